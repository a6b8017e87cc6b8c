#pragma once

#include <string>

#include "check_mode/findings.h"

void ReviewSettingOrigins(const Settings& settings, const std::string& startKey,
                          Findings& findings);
