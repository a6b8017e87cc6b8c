#pragma once

#include "check_mode/findings.h"

void ReviewClasspath(const CheckRun& check, Findings& findings);
