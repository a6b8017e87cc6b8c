#include "process/java_attempts.h"

#include "platform/platform.h"
#include "report/launch_log.h"
#include "report/system_error_line.h"

namespace {

std::string Bits(bool is64Bit) { return is64Bit ? "64 Bit: " : "32 Bit: "; }

// Both reasons, each in a line: what the 64-bit Java said is the evidence an
// administrator needs as much as the 32-bit one's.
RunEnd BothFailed(const JavaAttempt& first, const AttemptOutcome& firstOutcome,
                  const JavaAttempt& second, const AttemptOutcome& secondOutcome) {
  return Failure("Java konnte nicht gestartet werden:\n" + Bits(first.is64Bit) +
                 firstOutcome.summary + "\n" + Bits(second.is64Bit) + secondOutcome.summary +
                 "\nEinzelheiten stehen im Protokoll " + Log().Name() +
                 ".\n\nBitte kontaktieren Sie den Support.");
}

AttemptOutcome Try(const RunPlan& plan, const JavaStarter& starter, const JavaAttempt& attempt,
                   bool afterFailedAttempt) {
  if (!attempt.refusal.empty()) {
    return AttemptOutcome::Failed(LogStartFailure(StartFailureText(attempt.refusal)), "", true);
  }
  if (RunEnd end = EnterJavaOutput(plan.output)) return AttemptOutcome::Stopped(*end);
  return starter.start(attempt, afterFailedAttempt);
}

RunEnd WalkAttempts(const RunPlan& plan, const JavaStarter& starter,
                    std::vector<const JavaAttempt*>* reached) {
  AttemptOutcome failed;
  for (const JavaAttempt& attempt : plan.attempts) {
    bool prepared = IsMade(attempt) && !attempt.stop && starter.prepare;
    LogJavaAttempt(attempt, prepared ? starter.prepare(attempt) : std::vector<std::string>());
    if (attempt.stop) {
      return !IsMade(attempt) && failed.reasonFound ? Failure(failed.failure) : attempt.stop;
    }
    if (!IsMade(attempt)) continue;
    bool afterFailedAttempt = !reached->empty();
    reached->push_back(&attempt);
    AttemptOutcome outcome = Try(plan, starter, attempt, afterFailedAttempt);
    if (outcome.kind == AttemptOutcome::Kind::kStopped) return outcome.stop;
    if (outcome.kind == AttemptOutcome::Kind::kStarted) return std::nullopt;
    bool summarised = !failed.summary.empty() && !outcome.summary.empty();
    if (afterFailedAttempt && summarised && (failed.reasonFound || outcome.reasonFound)) {
      return BothFailed(*reached->front(), failed, attempt, outcome);
    }
    failed = outcome;
  }
  return Failure(failed.failure);
}

}  // namespace

RunEnd WalkPlan(const RunPlan& plan, const JavaStarter& starter,
                std::vector<const JavaAttempt*>* reached) {
  if (plan.stop) return plan.stop;
  if (plan.handOver) return CarryOutHandOver(*plan.handOver);
  return WalkAttempts(plan, starter, reached);
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
