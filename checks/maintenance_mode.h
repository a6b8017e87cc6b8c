#pragma once

#include <string>

#include "report/run_end.h"

// Ends the run while InWartung.txt lies in the working directory, unless
// the ignore switch or the start key WBQ_UPDATE exempts this start.
RunEnd CheckMaintenanceMode(const std::string& startKey, bool ignoreMaintenance);
