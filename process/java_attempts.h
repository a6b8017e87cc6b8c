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
  // The launcher found the reason itself (the command line, the watch), not
  // Windows: worth more to an administrator than a missing 32-bit Java.
  bool reasonFound = false;
  // The reason in one line, for a report that names several attempts;
  // empty when the failure text must stand whole.
  std::string summary;
  // When stopped: how the run ends.
  Stop stop;

  static AttemptOutcome Started() { return AttemptOutcome(); }
  static AttemptOutcome Failed(const std::string& failure, const std::string& summary,
                               bool reasonFound = false) {
    return AttemptOutcome{Kind::kFailed, failure, reasonFound, summary, Stop()};
  }
  static AttemptOutcome Stopped(const Stop& stop) {
    return AttemptOutcome{Kind::kStopped, std::string(), false, std::string(), stop};
  }
};

// Goes through the attempts in order, logging each as it is reached: a
// failed 64-bit attempt is only logged, the next one decides; without a
// 32-bit Java the reason the launcher found for the 64-bit failure is the
// report, as it says more than the missing "java", else the missing "java"
// is, with the 64-bit Java's path and why it failed; when both attempts fail
// and the launcher found a reason, the report names both. Nothing when
// an attempt started (it is put into *started), else how the run ends. The
// start and check mode pass what they do with an attempt.
RunEnd TryJavaAttempts(const std::vector<JavaAttempt>& attempts,
                       const std::function<AttemptOutcome(const JavaAttempt&)>& attempt,
                       const JavaAttempt** started);
