#pragma once

#include <string>

// Whether Windows refuses the command line as too long to start.
bool ExceedsCommandLineLimit(const std::string& commandLine);

// The sentence that tells an administrator how long the command line is
// and what Windows allows.
std::string CommandLineLimitText(const std::string& commandLine);
