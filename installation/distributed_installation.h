#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"
#include "report/run_end.h"

// The run given to the launcher of a ready copy, started with the same
// arguments.
struct HandOver {
  // The ready copy's Anwendung folder, which the child runs in.
  std::string folder;
  std::string childCommand;
  // The service reads the child's first line from ours; the exit code stays 0.
  bool serviceMode = false;
  // Outside service mode the child's exit code (0 or 1) becomes this run's:
  // a check run passes the child's verdict on to the script that started it.
  bool waitForChild = false;
  // Why the child cannot be started.
  RunEnd refusal;
};

// Without a lib folder the working directory holds copies of the
// installation: the run is to move into the last ready copy's Anwendung
// folder and be handed over there. Starts and changes nothing.
RunEnd DecideDistributedInstallation(const std::string& arguments, bool serviceMode,
                                     bool waitForChild, std::optional<HandOver>* handOver);

// The running executable's folder, without a trailing backslash.
std::string ExecutableFolder();

inline constexpr char kChildLauncher[] = "KivLauncher.exe";

// The copy's folder is not there, or cannot be entered for Windows' reason.
RunEnd CannotEnter(const std::string& folder, const platform::Failure& reason = std::nullopt);
