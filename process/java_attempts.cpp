#include "process/executor.h"
#include "report/error_report.h"
#include "report/launch_log.h"

namespace {

const char kCheckHint[] =
    "KivLauncher.exe -launcher.check=true pr\xFC"
    "ft die ganze Installation.";

// The path that was tried and why it failed: what the planning found, or
// else the reason the start gave.
std::string WhyNotStarted(const JavaAttempt& attempt, const AttemptOutcome& outcome) {
  if (!attempt.programProblem.empty() && !outcome.reasonFound) return attempt.programProblem;
  return attempt.program + ": " + outcome.summary;
}

// Both reasons, each in a line: what the 64-bit Java said is the evidence an
// administrator needs as much as the 32-bit one's.
RunEnd BothFailed(const std::string& tried) {
  return FailedRun("Java konnte nicht gestartet werden:\n" + tried +
                   "Einzelheiten stehen im Protokoll " + Log().Name() +
                   ".\n\nAbhilfe: die Ursachen oben beheben; " + kCheckHint);
}

// A remedy the refusal names itself goes last, where every remedy stands.
std::string RefusalReport(const std::string& refusal) {
  const std::string remedy = "\nAbhilfe: ";
  size_t named = refusal.find(remedy);
  if (named == std::string::npos) {
    return StartFailureText(refusal,
                            std::string("die genannte Einstellung berichtigen; ") + kCheckHint);
  }
  return StartFailureText(refusal.substr(0, named), refusal.substr(named + remedy.size()));
}

AttemptOutcome Try(const RunPlan& plan, const Executor& executor, const JavaAttempt& attempt,
                   bool afterFailedAttempt) {
  std::string refusal = StartRefusal(attempt);
  if (!refusal.empty()) return {std::nullopt, LogStartFailure(RefusalReport(refusal)), "", true};
  if (RunEnd end = EnterJavaOutput(plan.output)) return {end, "", ""};
  return executor.startJava(plan, attempt, afterFailedAttempt);
}

}  // namespace

RunEnd WalkPlan(const RunPlan& plan, const Executor& executor,
                std::vector<const JavaAttempt*>* reached) {
  if (plan.stop) return plan.stop;
  if (plan.handOver) return executor.handOver(*plan.handOver);
  AttemptOutcome failed;
  std::string tried;
  for (const JavaAttempt& attempt : plan.attempts) {
    bool prepared = HasJavaFolder(attempt) && !attempt.stop && executor.prepare;
    LogJavaAttempt(attempt,
                   prepared ? executor.prepare(attempt.classArchive) : std::vector<std::string>());
    if (attempt.stop) {
      if (HasJavaFolder(attempt) || reached->empty()) return attempt.stop;
      if (failed.reasonFound) return FailedRun(failed.failure);
      return FailedRun(attempt.stop->report + "\n" + WhyNotStarted(*reached->back(), failed));
    }
    if (!HasJavaFolder(attempt)) continue;
    bool afterFailedAttempt = !reached->empty();
    reached->push_back(&attempt);
    AttemptOutcome outcome = Try(plan, executor, attempt, afterFailedAttempt);
    if (outcome.stop) return outcome.stop;
    if (outcome.failure.empty()) return std::nullopt;
    bool summarised = !failed.summary.empty() && !outcome.summary.empty();
    if (!outcome.summary.empty())
      tried += BitsText(attempt.is64Bit) + ": " + WhyNotStarted(attempt, outcome) + "\n";
    if (afterFailedAttempt && summarised && (failed.reasonFound || outcome.reasonFound)) {
      return BothFailed(tried);
    }
    failed = outcome;
  }
  if (failed.reasonFound || reached->empty()) return FailedRun(failed.failure);
  // Windows refused every Java: each one tried, then the last command line.
  return FailedRun(StartFailureText(tried + reached->back()->commandLine));
}
