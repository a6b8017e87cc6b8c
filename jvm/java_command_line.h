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

MeantPiece Meant(const Settings& settings, const std::string& key, const std::string& text,
                 size_t begin = 0);

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
