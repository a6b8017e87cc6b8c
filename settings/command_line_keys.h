#pragma once

#include <string>
#include <vector>

// The keys whose command-line value is copied over every properties file,
// in copying order; keys beginning with "Dkiv." are copied as well.
const std::vector<std::string>& CopiedCommandLineKeys();
