#pragma once

#include <string>

#include "check_mode/findings.h"

void ReviewUnknownKeys(const CheckRun& check, Findings& findings);

// Empty when none is close.
std::string ClosestKnownKey(const std::string& key);
