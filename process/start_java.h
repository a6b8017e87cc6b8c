#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "process/java_output.h"
#include "report/run_end.h"
#include "settings/settings.h"

// How Java is followed after its start.
struct Supervision {
  bool keep = false;
  bool keepAndKill = false;
  // launcher.java_output or launcher.java_watch: the end is logged.
  bool recordsEnd = false;
  // How long after the start the launcher waits to see whether Java ends at
  // once: launcher.java_watch, 0 to 60.
  int watchSeconds = 0;
  // Why launcher.java_watch watches nothing; empty when its value is valid.
  std::string invalidWatch;
  // Java's process id goes to standard output, for KivLaunchService.
  bool writesPid = false;
  // What deciding this logs before each start.
  std::vector<std::string> logLines;
};

// In service mode the launcher never waits for Java.
Supervision DecideSupervision(const Settings& settings, bool serviceMode);

// What became of one Java attempt: started when neither stopped nor failed.
struct AttemptOutcome {
  // Set: the run ends with this.
  RunEnd stop;
  // When failed: what the user is told should no later attempt start.
  std::string failure;
  // The reason in one line, for a report that names several attempts;
  // empty when the failure text must stand whole.
  std::string summary;
  // The launcher found the reason itself (the command line, the watch), not
  // Windows: worth more to an administrator than a missing 32-bit Java.
  bool reasonFound = false;
  // Java was seen to crash, within the watch or while the launcher waited
  // for it.
  bool crashed = false;
};

// Starts Java and, as the supervision says, returns at once, waits, or
// waits with Java bound to a kill-on-close job. With launcher.java_watch, a
// Java that ends with an error within the watch counts as not started.
// The program, when given, is started as it is: Windows does not search
// for it, so a relative Java folder means the working directory's.
AttemptOutcome StartJava(const std::string& commandLine, const Supervision& supervision,
                         const JavaOutput& output = JavaOutput(),
                         const std::string& program = std::string());

// What the user is told when Java could not be started; the detail is the
// command line, or why it could not be started.
std::string StartFailureText(
    const std::string& detail,
    const std::string& remedy =
        "java64 und java nennen je einen Java-Ordner mit bin\\javaw.exe; bei Windows-Fehler 5 "
        "oder 1260 die Zugriffsrechte und AppLocker pr\374fen.");

// Logged between markers and returned for the report. Windows' reason is
// for the administrator who reads the log; the report stays as it was.
std::string LogStartFailure(const std::string& failure,
                            const platform::Failure& reason = std::nullopt);
