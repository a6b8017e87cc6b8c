#pragma once

#include <functional>
#include <string>
#include <vector>

#include "jvm/java_attempt.h"
#include "report/run_end.h"

// What became of one Java attempt.
struct AttemptOutcome {
  enum class Kind { kStarted, kFailed, kStopped };
  Kind kind = Kind::kStarted;
  // When failed: what the user is told should no later attempt start.
  std::string failure;
  // When stopped: how the run ends.
  Stop stop;

  static AttemptOutcome Started() { return AttemptOutcome(); }
  static AttemptOutcome Failed(const std::string& failure) {
    return AttemptOutcome{Kind::kFailed, failure, Stop()};
  }
  static AttemptOutcome Stopped(const Stop& stop) {
    return AttemptOutcome{Kind::kStopped, std::string(), stop};
  }
};

// Goes through the attempts in order, logging each as it is reached: a
// failed 64-bit attempt is only logged, the next one decides. Nothing when
// an attempt started (it is put into *started), else how the run ends. The
// start and check mode pass what they do with an attempt.
RunEnd TryJavaAttempts(const std::vector<JavaAttempt>& attempts,
                       const std::function<AttemptOutcome(const JavaAttempt&)>& attempt,
                       const JavaAttempt** started);
