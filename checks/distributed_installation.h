#pragma once

#include <string>

#include "report/run_end.h"

// Without a lib folder the working directory holds copies of the
// installation: the run is handed to the launcher of the last ready copy,
// started with the same arguments, and ends here. Outside service mode,
// waitForChild makes the child's exit code (0 or 1) this run's: a check run
// passes the child's verdict on to the script that started it.
RunEnd ResolveDistributedInstallation(const std::string& arguments, bool waitForChild = false);

// "name\Anwendung\" of the last subfolder, in listing order, that holds
// Bereit.txt; empty when none does.
std::string FindNewestReadyFolder();

bool IsDirectory(const std::string& path);
