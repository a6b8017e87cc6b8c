#include "process/java_attempts.h"

#include "platform/platform.h"
#include "report/error_report.h"
#include "report/launch_log.h"

namespace {

// Both reasons, each in a line: what the 64-bit Java said is the evidence an
// administrator needs as much as the 32-bit one's.
RunEnd BothFailed(const JavaAttempt& first, const AttemptOutcome& firstOutcome,
                  const JavaAttempt& second, const AttemptOutcome& secondOutcome) {
  return FailedRun("Java konnte nicht gestartet werden:\n" + BitsText(first.is64Bit) + ": " +
                   firstOutcome.summary + "\n" + BitsText(second.is64Bit) + ": " +
                   secondOutcome.summary + "\nEinzelheiten stehen im Protokoll " + Log().Name() +
                   ".\n\nBitte kontaktieren Sie den Support.");
}

// The path that was tried and why it failed: what the planning found, or
// else Windows' reason.
std::string WhyNotStarted(const JavaAttempt& attempt, const AttemptOutcome& outcome) {
  if (!attempt.programProblem.empty()) return attempt.programProblem;
  return attempt.program + ": " + outcome.summary;
}

AttemptOutcome Try(const RunPlan& plan, const Executor& executor, const JavaAttempt& attempt,
                   bool afterFailedAttempt) {
  std::string refusal = StartRefusal(attempt);
  if (!refusal.empty()) {
    return AttemptOutcome::Failed(LogStartFailure(StartFailureText(refusal)), "", true);
  }
  if (RunEnd end = EnterJavaOutput(plan.output)) return AttemptOutcome::Stopped(*end);
  return executor.startJava(plan, attempt, afterFailedAttempt);
}

RunEnd WalkAttempts(const RunPlan& plan, const Executor& executor,
                    std::vector<const JavaAttempt*>* reached) {
  AttemptOutcome failed;
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
    if (outcome.kind == AttemptOutcome::Kind::kStopped) return outcome.stop;
    if (outcome.kind == AttemptOutcome::Kind::kStarted) return std::nullopt;
    bool summarised = !failed.summary.empty() && !outcome.summary.empty();
    if (afterFailedAttempt && summarised && (failed.reasonFound || outcome.reasonFound)) {
      return BothFailed(*reached->front(), failed, attempt, outcome);
    }
    failed = outcome;
  }
  return FailedRun(failed.failure);
}

}  // namespace

RunEnd WalkPlan(const RunPlan& plan, const Executor& executor,
                std::vector<const JavaAttempt*>* reached) {
  if (plan.stop) return plan.stop;
  if (plan.handOver) return executor.handOver(*plan.handOver);
  return WalkAttempts(plan, executor, reached);
}

std::string StartFailureText(const std::string& detail) {
  return "Java konnte nicht aufgerufen werden:\n" + detail +
         "\nArbeitsverzeichnis: " + platform::CurrentDirectory() +
         "\n\nBitte kontaktieren Sie den Support.";
}

std::string LogStartFailure(const std::string& failure, const platform::Failure& reason) {
  Log().WriteLine("=== Startfehler Start ===");
  Log().WriteLine(failure);
  if (reason) Log().WriteLine(SystemErrorLine(*reason));
  Log().WriteLine("=== Startfehler Ende ===");
  return failure;
}
