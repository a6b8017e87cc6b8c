#pragma once

#include <optional>
#include <vector>

#include "checks/distributed_installation.h"
#include "checks/maintenance_mode.h"
#include "jvm/java_attempt.h"
#include "process/start_java.h"
#include "report/run_end.h"
#include "settings/settings.h"

// What the run will do, decided whole by the start-up before anything is
// started or written, and not changed afterwards: end early, hand over to a
// ready copy, or try the Java attempts in order. The start carries it out;
// check mode reads it.
struct RunPlan {
  CommandLineParameters parameters;
  // Fall-back logs of earlier runs that the start removes.
  std::vector<std::string> staleLogs;
  bool ignoreMaintenance = false;
  // Set: the run ends with this before Java.
  RunEnd stop;
  // Set: the launcher of a ready copy takes the run over.
  std::optional<HandOver> handOver;
  // What follows is decided once the settings are being read, even when the
  // run ends on the way, so that check mode sees it all.
  bool settingsRead = false;
  Settings settings;
  // The start key among them.
  LaunchInputs inputs;
  Maintenance maintenance;
  // 64 bit first when this computer gets a 64-bit attempt, then 32 bit.
  std::vector<JavaAttempt> attempts;
  Supervision supervision;
  JavaOutputChoice output;
};
