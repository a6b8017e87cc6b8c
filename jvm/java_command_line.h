#pragma once

#include <string>
#include <vector>

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

struct JavaAttempt;

// The attempt's heap options for its bit width.
void DecideHeaps(bool is64Bit, const Settings& settings, JavaAttempt* attempt);

// The attempt's Java folder, program, release file and javaw.exe command
// line, with what deciding them logs. A command line holding "-cp" more
// than once ends the run; one past Windows' limit cannot be started.
void BuildJavaCommandLine(const std::string& javaHome, bool is64Bit, const Settings& settings,
                          const LaunchInputs& inputs, JavaAttempt* attempt);

// The number of "-cp", overlapping hits included.
int CountClasspathOptions(const std::string& commandLine);

// jvm.parameter (split at blanks), then the values of the keys
// jvm.parameter.SUFFIX in suffix order (a START.jvm.parameter.SUFFIX wins
// for its suffix), then the default parameters not yet present. Each
// jvm.parameter.SUFFIX that gives a value goes to pieces, when given, with
// its place in a line where the parameters begin at begin.
std::string BuildJvmParameters(const Settings& settings, std::vector<MeantPiece>* pieces = nullptr,
                               size_t begin = 0);

// A token per delimiter met, even an empty one; a final token only when
// characters remain after the last delimiter.
std::vector<std::string> SplitString(const std::string& text, char delimiter);
