#pragma once

#include <string>

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
  std::string startValue;
  std::string readParameters;
  std::string readAppParameters;
  Classpath classpath;
};

// The javaw.exe command line, logged with the password masked. A command
// line holding "-cp" more than once is reported and ends the run.
RunEnd BuildJavaCommandLine(const std::string& javaHome, bool is64Bit, const Settings& settings,
                            const LaunchInputs& inputs, std::string* commandLine);

// The number of "-cp", overlapping hits included.
int CountClasspathOptions(const std::string& commandLine);
RunEnd CheckClasspathOptionCount(const std::string& commandLine);
