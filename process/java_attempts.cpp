#include "process/java_attempts.h"

RunEnd TryJavaAttempts(const std::vector<JavaAttempt>& attempts,
                       const std::function<AttemptOutcome(const JavaAttempt&)>& attempt,
                       const JavaAttempt** started) {
  AttemptOutcome failed;
  for (const JavaAttempt& candidate : attempts) {
    LogJavaAttempt(candidate);
    if (candidate.stop) {
      return !IsMade(candidate) && failed.reasonFound ? Failure(failed.failure) : candidate.stop;
    }
    if (!IsMade(candidate)) continue;
    AttemptOutcome outcome = attempt(candidate);
    if (outcome.kind == AttemptOutcome::Kind::kStopped) return outcome.stop;
    if (outcome.kind == AttemptOutcome::Kind::kStarted) {
      *started = &candidate;
      return std::nullopt;
    }
    failed = outcome;
  }
  return Failure(failed.failure);
}
