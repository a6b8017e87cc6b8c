#pragma once

#include <string>

#include "jvm/java_command_line.h"
#include "process/java_output.h"
#include "report/run_end.h"
#include "settings/settings.h"

// Starts Java and, as launcher.keep and launcher.keep_and_kill say, returns
// at once, waits, or waits with Java bound to a kill-on-close job. With
// launcher.java_watch, a Java that ends with an error within the watch
// counts as not started. Returns the failure text, empty when Java was
// started.
std::string StartJava(const std::string& commandLine, const Settings& settings,
                      const JavaOutput& output = JavaOutput());

// What the user is told when Java could not be started; the detail is the
// masked command line, or why it could not be started.
std::string StartFailureText(const std::string& detail);

// One launch attempt: the command line is built, then Java started.
RunEnd LaunchJava(const std::string& javaHome, bool is64Bit, const Settings& settings,
                  const LaunchInputs& inputs, std::string* errorText);
