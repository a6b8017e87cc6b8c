#pragma once

#include <string>

#include "report/run_end.h"

// Without a lib folder the working directory holds copies of the
// installation: the run is handed to the launcher of the last ready copy,
// started with the same arguments, and ends here.
RunEnd ResolveDistributedInstallation(const std::string& arguments);

// "name\Anwendung\" of the last subfolder, in listing order, that holds
// Bereit.txt; empty when none does.
std::string FindNewestReadyFolder();

bool IsDirectory(const std::string& path);
