#pragma once

#include <string>

#include "platform/platform.h"

// "Windows-Fehler N: TEXT", Windows' own reason for a refusal, for the log:
// the reports say what failed, this line tells the administrator why.
std::string SystemErrorLine(const platform::SystemError& error);
