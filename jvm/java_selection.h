#pragma once

#include <string>

#include "settings/settings.h"

// The Java directory for this computer and bit width: the last matching
// java64.host.PATTERN (or java.host.PATTERN) in key order, else java64 (java).
std::string SelectJavaHome(bool is64Bit, const Settings& settings);

std::string ReadComputerName();

// Whether text from position j on matches pattern from position i on;
// "*" matches any run of characters, "?" exactly one.
bool MatchWildcard(const std::string& pattern, const std::string& text, size_t i, size_t j);
