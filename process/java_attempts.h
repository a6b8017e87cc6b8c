#pragma once

#include <string>
#include <vector>

#include "jvm/java_attempt.h"
#include "process/run_plan.h"
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
  // Java was seen to crash, within the watch or while the launcher waited
  // for it.
  bool crashed = false;

  static AttemptOutcome Started() { return AttemptOutcome(); }
  static AttemptOutcome Failed(const std::string& failure, const std::string& summary,
                               bool reasonFound = false) {
    return AttemptOutcome{Kind::kFailed, failure, reasonFound, summary, Stop(), false};
  }
  static AttemptOutcome Stopped(const Stop& stop) {
    return AttemptOutcome{Kind::kStopped, std::string(), false, std::string(), stop, false};
  }
};

// Whatever the run does to the world goes through one of these, given the
// plan (process/executor.h): the start's acts, check mode's probes.
struct Executor {
  Stop (*handOver)(const HandOver& handOver);
  // Before the attempt is logged: what was done in the class archive's
  // folder, in the log's words; null: nothing is done there.
  std::vector<std::string> (*prepare)(const ClassArchive& archive);
  AttemptOutcome (*startJava)(const RunPlan& plan, const JavaAttempt& attempt,
                              bool afterFailedAttempt);
};

// The run as planned, for the start and check mode alike: it ends early,
// hands over to a ready copy, or goes through the Java attempts in order,
// logging each as it is reached. An attempt Java cannot be given, or whose
// output file the start refuses, starts nothing. A failed 64-bit attempt is
// only logged, the next one decides; without a 32-bit Java the reason the
// launcher found for the 64-bit failure is the report, as it says more than
// the missing "java", else the missing "java" is, with the 64-bit Java's
// path and why it failed; when both attempts fail and the launcher found a
// reason, the report names both. Nothing when Java started; reached gets
// every attempt that could start, the started one last.
RunEnd WalkPlan(const RunPlan& plan, const Executor& executor,
                std::vector<const JavaAttempt*>* reached);

// What the user is told when Java could not be started; the detail is the
// command line, or why it could not be started.
std::string StartFailureText(
    const std::string& detail,
    const std::string& remedy =
        "java64 und java nennen je einen Java-Ordner mit bin\\javaw.exe; bei Windows-Fehler 5 "
        "oder 1260 die Zugriffsrechte und AppLocker pr\xFC"
        "fen.");

// Logged between markers and returned for the report. Windows' reason is
// for the administrator who reads the log; the report stays as it was.
std::string LogStartFailure(const std::string& failure,
                            const platform::Failure& reason = std::nullopt);
