#pragma once

#include <string>
#include <vector>

#include "jvm/class_archive.h"
#include "jvm/java_release.h"
#include "jvm/java_selection.h"
#include "report/run_end.h"
#include "settings/settings.h"

// Prepared once per run, before the first launch attempt.
struct Classpath {
  std::string classpathDefault;
  std::string classpathHelp;
  std::string classpathExtra;
};

Classpath PrepareClasspath(const Settings& settings);

// What every launch attempt of a run hands to Java.
struct LaunchInputs {
  // Decided once for the run: the upper-cased start key, and its entry.
  std::string startKey;
  std::string startValue;
  std::string readParameters;
  std::string readAppParameters;
  Classpath classpath;
};

// A piece of a Java command line, as the setting that gave it meant it:
// one argument, its double quotes only grouping; where it begins in the
// line, and where the setting came from, " (launch.properties, Zeile 7)".
struct MeantPiece {
  std::string key;
  std::string text;
  size_t begin = 0;
  std::string origin;
};

// A refusal is a fault at which Java's own launcher is certain to stop
// before it runs anything; the start then does not start that Java. A false
// refusal would keep a working application from starting, so whatever is
// less than certain is an error or a warning for check mode only.
struct LaunchFinding {
  enum Severity { kWarning, kError, kRefusal } severity = kWarning;
  // Shown with the heap sizes, else with the command line.
  bool aboutHeap = false;
  std::string text;
};

// One way the run may start Java, decided in full before anything starts.
// The start carries the attempts out in order; check mode reads them.
struct JavaAttempt {
  bool is64Bit = false;
  JavaChoice choice;
  std::string folder;
  std::string program;
  JavaRelease release;
  // -Xms and -Xmx as decided for the bit width, and why, for the log.
  MeantPiece heaps[2];
  std::vector<std::string> heapLogLines;
  // Why javaw.exe is not there, or the Java key names a file; empty if it is.
  std::string programProblem;
  ClassArchive classArchive;
  std::string commandLine;
  // What each setting put into the command line before the class path, in
  // order; the class path's option, and the start value after it.
  std::vector<MeantPiece> pieces;
  MeantPiece classpath;
  MeantPiece start;
  // Logged before the command line, after the heap sizes and the archive.
  std::vector<std::string> logLines;
  // The run ends when it reaches this attempt.
  RunEnd stop;
  // Why Windows cannot give Java the command line; empty when it can.
  std::string refusal;
  std::vector<LaunchFinding> launchFindings;
};

// Starts and logs nothing. A 32-bit attempt without a Java folder ends the run.
JavaAttempt PlanJavaAttempt(bool is64Bit, const Settings& settings, const LaunchInputs& inputs,
                            const std::vector<std::string>& computerNames);

bool HasJavaFolder(const JavaAttempt& attempt);

// Once the run reaches it: the Java folder, the archive's steps, the line.
void LogJavaAttempt(const JavaAttempt& attempt, const std::vector<std::string>& archiveSteps = {});

// A command line holding "-cp" more than once ends the run; one past
// Windows' limit cannot be started.
void BuildJavaCommandLine(const std::string& javaHome, bool is64Bit, const Settings& settings,
                          const LaunchInputs& inputs, JavaAttempt* attempt);

// Overlapping hits included.
int CountClasspathOptions(const std::string& commandLine);

// jvm.parameter, jvm.parameter.SUFFIX in suffix order (START.jvm.parameter.
// SUFFIX wins), the default if missing; each SUFFIX a piece, placed at begin.
std::string BuildJvmParameters(const Settings& settings, std::vector<MeantPiece>* pieces = nullptr,
                               size_t begin = 0);
