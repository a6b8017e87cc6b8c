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

// Where a Java folder holds the program the launcher starts.
std::string JavaProgram(const std::string& javaHome);

// The class path as the command line gives it after -cp, without quotes.
std::string ClasspathText(bool is64Bit, const Settings& settings, const Classpath& classpath);

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

// Why Windows cannot start the command line: its length against the limit,
// the start key, and the longest pieces with their lengths, so that an
// administrator knows which setting to shorten.
std::string CommandLineLengthReport(const std::string& commandLine, const Settings& settings,
                                    const LaunchInputs& inputs);

// The number of "-cp", overlapping hits included.
int CountClasspathOptions(const std::string& commandLine);
RunEnd CheckClasspathOptionCount(const std::string& commandLine);
