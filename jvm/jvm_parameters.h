#pragma once

#include <string>
#include <vector>

#include "jvm/java_command_line.h"
#include "settings/settings.h"

// jvm.parameter (split at blanks), then the values of the keys
// jvm.parameter.SUFFIX in suffix order (a START.jvm.parameter.SUFFIX wins
// for its suffix), then the default parameters not yet present. Each
// jvm.parameter.SUFFIX that gives a value goes to pieces, when given, with
// its place in a line where the parameters begin at begin.
std::string BuildJvmParameters(const Settings& settings, std::vector<MeantPiece>* pieces = nullptr,
                               size_t begin = 0);

// A token per delimiter met, even an empty one; a final token only when
// characters remain after the last delimiter.
std::vector<std::string> SplitString(const std::string& text, char delimiter);
