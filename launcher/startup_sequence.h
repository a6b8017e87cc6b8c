#pragma once

#include <string>

// The whole run, from the full command line to the exit code.
int RunLauncher(const std::string& fullCommandLine);
