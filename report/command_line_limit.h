#pragma once

#include <string>

// Whether Windows refuses the command line as too long to start.
bool ExceedsCommandLineLimit(const std::string& commandLine);

// The sentence that tells an administrator how long the command line is
// and what Windows allows.
std::string CommandLineLimitText(const std::string& commandLine);

// Whether the command line holds a zero byte: Windows reads a command line
// only up to its first one, so Java would get less than the log shows.
bool HoldsZeroByte(const std::string& commandLine);

// The sentence that tells where the zero byte stands and what it would do.
std::string ZeroByteText(const std::string& commandLine);
