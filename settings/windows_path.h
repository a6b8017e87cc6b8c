#pragma once

#include <string>

// A path in the form in which two paths that Windows takes for the same
// file are equal: made absolute from the working directory, "/" read as
// "\", "." and ".." resolved, the blanks and dots Windows drops at the end
// of a name dropped, and the letters of Windows-1252 in one case.
std::string ComparablePath(std::string path, std::string workingDirectory);
