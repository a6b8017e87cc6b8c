#pragma once

#include <string>
#include <vector>

#include "report/run_end.h"
#include "settings/settings.h"

// Ends the run when the settings hold no entry under the start key.
RunEnd CheckStartKey(const Settings& settings, const std::string& startKey);

// The passwords of the command line, its read groups and the settings:
// what the run hands its redactor.
std::vector<std::string> RunSecrets(const CommandLineParameters& parameters,
                                    const Settings& settings);

// The command-line group "read" or "read_app", "+++" decoded to a blank.
std::string ReadAdditionalParameters(const CommandLineParameters& parameters,
                                     const std::string& name);
