#pragma once

#include "check_mode/findings.h"

// After the launcher's normalisation, per bit width.
void ReviewHeap(const CheckRun& check, Findings& findings);
// The command lines, their length, the pieces Java would not read as meant.
void ReviewJavaCommandLine(const CheckRun& check, Findings& findings);
