#pragma once

#include <string>

// The whole run, from the full command line to the exit code.
int RunLauncher(const std::string& fullCommandLine);

// Out of memory: the report, made in a reserve given back; exit code 1.
[[noreturn]] void ReportOutOfMemory();

// An unexpected fault: the log's last line says so; exit code 3, no abort box.
[[noreturn]] void EndAfterFault();
