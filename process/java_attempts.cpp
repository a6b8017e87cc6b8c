#include "process/java_attempts.h"

RunEnd TryJavaAttempts(const std::vector<JavaAttempt>& attempts,
                       const std::function<AttemptOutcome(const JavaAttempt&)>& attempt,
                       const JavaAttempt** started) {
  std::string failure;
  for (const JavaAttempt& candidate : attempts) {
    LogJavaAttempt(candidate);
    if (candidate.stop) return candidate.stop;
    if (!IsMade(candidate)) continue;
    AttemptOutcome outcome = attempt(candidate);
    if (outcome.kind == AttemptOutcome::Kind::kStopped) return outcome.stop;
    if (outcome.kind == AttemptOutcome::Kind::kStarted) {
      *started = &candidate;
      return std::nullopt;
    }
    failure = outcome.failure;
  }
  return Failure(failure);
}
