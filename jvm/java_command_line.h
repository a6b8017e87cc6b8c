#pragma once

#include <string>
#include <vector>

#include "report/run_end.h"
#include "settings/settings.h"

// Prepared once per run, before the first launch attempt.
struct Classpath {
  std::string classpathDefault;
  std::string classpathHelp;
  std::string classpathExtra;
};

Classpath PrepareClasspath(const Settings& settings);

// The folder a Java key names, without the double quotes it may be given in.
std::string JavaFolder(std::string javaHome);

// What every launch attempt of a run hands to Java.
struct LaunchInputs {
  // Decided once for the run: the upper-cased start key, and its entry.
  std::string startKey;
  std::string startValue;
  std::string readParameters;
  std::string readAppParameters;
  Classpath classpath;
};

// A piece the launcher put into a Java command line for one setting, as the
// setting meant it: one argument, its double quotes only grouping; and
// where it begins in the line.
struct MeantPiece {
  std::string key;
  std::string text;
  size_t begin = 0;
};

struct JavaAttempt;

// The attempt's heap sizes for its bit width.
void DecideHeaps(bool is64Bit, const Settings& settings, JavaAttempt* attempt);

// The attempt's Java folder, program, release file and javaw.exe command
// line, with what deciding them logs. A command line holding "-cp" more than once ends the run; one
// past Windows' limit cannot be started.
void BuildJavaCommandLine(const std::string& javaHome, bool is64Bit, const Settings& settings,
                          const LaunchInputs& inputs, JavaAttempt* attempt);

// Why Windows cannot start the command line: its length against the limit,
// the start key, and the longest pieces with their lengths, so that an
// administrator knows which setting to shorten, and what shortens a class
// path most.
std::string CommandLineLengthReport(const std::string& commandLine, const Settings& settings,
                                    const LaunchInputs& inputs);

// Why Windows would cut the command line: where its zero byte stands and
// the settings that hold one.
std::string ZeroByteReport(const std::string& commandLine, const Settings& settings);

// The number of "-cp", overlapping hits included.
int CountClasspathOptions(const std::string& commandLine);
// A repeated "-cp" ends the run, with the settings that hold the others.
RunEnd CheckClasspathOptionCount(const std::string& commandLine, const std::string& holders,
                                 std::vector<std::string>* logLines);
