#pragma once

#include <string>

// The folder kivsoft.properties names with its key root, ending in two
// backslashes; empty when the file is missing or names none.
std::string ReadRootFolder();

// Halves runs of four backslashes in a text that begins with four: the
// doubled form of a network path.
std::string CollapseUncPrefix(const std::string& text);
