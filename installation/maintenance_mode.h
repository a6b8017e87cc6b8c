#pragma once

#include <string>

#include "report/run_end.h"

// What InWartung.txt means for this start.
struct Maintenance {
  bool present = false;
  // Why a present file does not stop this start ("-start=WBQ_UPDATE"), empty
  // when it does.
  std::string exemption;
};

// The ignore switch and the start key WBQ_UPDATE exempt a start.
Maintenance DecideMaintenance(const std::string& startKey, bool ignoreMaintenance);

// Logs the decision; ends the run while the installation is in maintenance.
RunEnd CheckMaintenanceMode(const Maintenance& maintenance);
