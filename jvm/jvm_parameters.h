#pragma once

#include <string>
#include <vector>

#include "settings/settings.h"

// jvm.parameter (split at blanks), then the values of the keys
// jvm.parameter.SUFFIX in suffix order (a START.jvm.parameter.SUFFIX wins
// for its suffix), then the default parameters not yet present.
std::string BuildJvmParameters(const Settings& settings);

// A token per delimiter met, even an empty one; a final token only when
// characters remain after the last delimiter.
std::vector<std::string> SplitString(const std::string& text, char delimiter);
