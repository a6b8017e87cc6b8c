#include "process/java_attempts.h"

#include "report/launch_log.h"

namespace {

std::string Bits(const JavaAttempt& attempt) { return attempt.is64Bit ? "64 Bit: " : "32 Bit: "; }

// Both reasons, each in a line: what the 64-bit Java said is the evidence an
// administrator needs as much as the 32-bit one's.
RunEnd BothFailed(const JavaAttempt& first, const AttemptOutcome& firstOutcome,
                  const JavaAttempt& second, const AttemptOutcome& secondOutcome) {
  return Failure("Java konnte nicht gestartet werden:\n" + Bits(first) + firstOutcome.summary +
                 "\n" + Bits(second) + secondOutcome.summary +
                 "\nEinzelheiten stehen im Protokoll " + Log().Name() +
                 ".\n\nBitte kontaktieren Sie den Support.");
}

// The path that was tried and why it failed: what the planning found, or
// else Windows' reason.
std::string WhyNotStarted(const JavaAttempt& attempt, const AttemptOutcome& outcome) {
  if (!attempt.programProblem.empty()) return attempt.programProblem;
  return attempt.program + ": " + outcome.summary;
}

}  // namespace

RunEnd TryJavaAttempts(const std::vector<JavaAttempt>& attempts,
                       const std::function<AttemptOutcome(const JavaAttempt&)>& attempt,
                       const JavaAttempt** started) {
  AttemptOutcome failed;
  const JavaAttempt* failedAttempt = nullptr;
  for (const JavaAttempt& candidate : attempts) {
    LogJavaAttempt(candidate);
    if (candidate.stop) {
      if (IsMade(candidate) || !failedAttempt) return candidate.stop;
      if (failed.reasonFound) return Failure(failed.failure);
      return Failure(candidate.stop->report + "\n" + WhyNotStarted(*failedAttempt, failed));
    }
    if (!IsMade(candidate)) continue;
    AttemptOutcome outcome = attempt(candidate);
    if (outcome.kind == AttemptOutcome::Kind::kStopped) return outcome.stop;
    if (outcome.kind == AttemptOutcome::Kind::kStarted) {
      *started = &candidate;
      return std::nullopt;
    }
    bool summarised = !failed.summary.empty() && !outcome.summary.empty();
    if (failedAttempt && summarised && (failed.reasonFound || outcome.reasonFound)) {
      return BothFailed(*failedAttempt, failed, candidate, outcome);
    }
    failed = outcome;
    failedAttempt = &candidate;
  }
  return Failure(failed.failure);
}
