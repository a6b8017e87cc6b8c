#pragma once

#include <string>

#include "settings/settings.h"

// Moves to the executable's folder when -launcher.cwd=true; returns the
// two-line report of what it found and did.
std::string ApplyWorkingDirectory(const CommandLineParameters& parameters);

// The running executable's folder, without a trailing backslash.
std::string ExecutableFolder();
