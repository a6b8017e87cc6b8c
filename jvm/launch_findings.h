#pragma once

#include <string>
#include <vector>

#include "jvm/java_attempt.h"

// Root causes before consequences; without a Java folder the heap alone.
std::vector<LaunchFinding> ReadLaunchFindings(const JavaAttempt& attempt);

// A line each; empty when Java can be started.
std::string RefusalText(const std::vector<LaunchFinding>& findings);

// Windows cannot take the command line, or Java's launcher would refuse it.
std::string StartRefusal(const JavaAttempt& attempt);
