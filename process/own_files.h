#pragma once

#include <string>

#include "settings/settings.h"

// What of the launcher's own the path names, as Windows compares paths:
// its log, a properties file it reads, or the launcher itself; empty when
// the path names none of them. Java's output must never overwrite one.
std::string OwnFileNamed(const std::string& path, const Settings& settings);
