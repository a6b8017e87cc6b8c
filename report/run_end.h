#pragma once

#include <optional>
#include <string>

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;

// How the run ends: the exit code, and what whoever started the launcher is
// told (empty: nothing). Only the entry tells it and ends the process.
struct Stop {
  int exitCode = kExitFailure;
  std::string report;
};

// What a step that may end the run returns: nothing when the run goes on.
using RunEnd = std::optional<Stop>;

inline RunEnd FailedRun(const std::string& report) { return Stop{kExitFailure, report}; }
