#pragma once

#include <string>

#include "process/java_attempts.h"
#include "process/java_output.h"
#include "process/supervision.h"
#include "settings/settings.h"

// Starts Java and, as the supervision says, returns at once, waits, or
// waits with Java bound to a kill-on-close job. With launcher.java_watch, a
// Java that ends with an error within the watch counts as not started.
// The program, when given, is started as it is: Windows does not search
// for it, so a relative Java folder means the working directory's.
AttemptOutcome StartJava(const std::string& commandLine, const Supervision& supervision,
                         const JavaOutput& output = JavaOutput(),
                         const std::string& program = std::string());
