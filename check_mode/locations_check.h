#pragma once

#include "check_mode/findings.h"

// The log, the working directory, maintenance; then a log that cannot be
// written where it belongs, a code page other than 1252, UTF-8 files.
void ReviewLocations(const CheckRun& check, Findings& findings);
void ReviewLogAndCharacterSet(const CheckRun& check, Findings& findings);
