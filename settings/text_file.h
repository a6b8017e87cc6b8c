#pragma once

#include <string>
#include <vector>

// The lines of a file as msvcrt's text mode reads them: CR before LF is
// dropped, byte 0x1A ends the file. A final line feed leaves one more, empty
// line, and an empty file reads as one empty line. False when the file
// cannot be opened.
bool ReadTextLines(const std::string& path, std::vector<std::string>* lines);

std::vector<std::string> SplitTextLines(const std::string& content);
