#pragma once

#include <string>

#include "settings/settings.h"

// The command line after the program's own name (quoted or not).
std::string CommandLineTail(const std::string& fullCommandLine);

// Parameters of the form -key=value separated by blanks; the last non-empty
// value of a key wins. A piece wholly in double quotes counts without them;
// pieces that are not of that form are skipped.
CommandLineParameters ParseCommandLine(std::string tail);

void CopyCommandLineValue(const CommandLineParameters& parameters, const std::string& key,
                          Settings& settings);
// The keys whose command-line value wins over every properties file.
void CopyCommandLineOverrides(const CommandLineParameters& parameters, Settings& settings);
