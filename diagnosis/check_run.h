#pragma once

#include <string>
#include <vector>

#include "jvm/java_command_line.h"
#include "report/run_end.h"
#include "settings/settings.h"

// A launch attempt of a check run: built and logged as for a start, not started.
struct JavaAttempt {
  bool is64Bit = false;
  std::string commandLine;
};

// What the start-up sequence decided, for the check at the run's end.
struct CheckRun {
  bool active = false;
  std::string logPath;
  std::string workingDirectory;
  bool ignoreMaintenance = false;
  bool tries64Bit = false;
  const CommandLineParameters* parameters = nullptr;
  // Set once the run gets as far as reading the settings.
  const Settings* settings = nullptr;
  std::vector<JavaAttempt> attempts;
  // What ReportError was given, in order.
  std::vector<std::string> reports;
};

// With -launcher.check=true the run becomes a check run: reports are kept
// for its end instead of being shown, and Java is never started.
void BeginCheck(const CommandLineParameters& parameters, bool ignoreMaintenance, CheckRun* check);

// Takes the place of LaunchJava in a check run. The error text is the one a
// start would give when the javaw.exe it names is missing.
RunEnd TryJavaInCheck(const std::string& javaHome, bool is64Bit, const Settings& settings,
                      const LaunchInputs& inputs, CheckRun& check, std::string* errorText);

// Writes the check section, tells the user (message box, or one "check:"
// line on standard output in service mode) and returns the exit code: 1
// when an error was found. A run that handed the start over to a child
// launcher without a report keeps its exit code: the child checks.
int ConcludeCheck(CheckRun& check, int exitCode);
