#pragma once

#include <string>
#include <vector>

#include "jvm/java_attempt.h"

// Root causes before consequences; without a Java folder the heap alone.
std::vector<LaunchFinding> ReadLaunchFindings(const JavaAttempt& attempt);

// The class path and the main class Java's launcher reads from the line;
// no main class where it is not certain to name one (-jar, --module, @FILE).
struct JavaApplication {
  std::string classpath;
  std::string mainClass;
};
JavaApplication ReadJavaApplication(const std::string& commandLine);

// A line each; empty when Java can be started.
std::string RefusalText(const std::vector<LaunchFinding>& findings);

// Windows cannot take the command line, or Java's launcher would refuse it.
std::string StartRefusal(const JavaAttempt& attempt);
