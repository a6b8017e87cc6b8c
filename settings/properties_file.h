#pragma once

#include <string>

#include "report/run_end.h"
#include "settings/settings.h"

// The line up to its first "#" outside double quotes.
std::string StripComment(const std::string& line);

// Reads directory + fileName into settings and logs every line with what
// was taken from it. A file that cannot be opened ends the run.
RunEnd ReadPropertiesFile(std::string directory, std::string fileName, Settings& settings);

// The folder kivsoft.properties names with its key root, ending in two
// backslashes; empty when the file is missing or names none.
std::string ReadRootFolder();

// Halves runs of four backslashes in a text that begins with four: the
// doubled form of a network path.
std::string CollapseUncPrefix(std::string text);
