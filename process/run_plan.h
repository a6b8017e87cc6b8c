#pragma once

#include <optional>
#include <string>
#include <vector>

#include "installation/distributed_installation.h"
#include "installation/maintenance_mode.h"
#include "jvm/java_attempt.h"
#include "process/start_java.h"
#include "report/redactor.h"
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
  LaunchInputs inputs;
  Maintenance maintenance;
  // 64 bit first when this computer gets a 64-bit attempt, then 32 bit.
  std::vector<JavaAttempt> attempts;
  Supervision supervision;
  JavaOutputChoice output;
  // Every secret of the command line and the settings, for every text that
  // leaves the launcher once the run is planned.
  Secrets secrets;
};

// Decides what the run will do from the command line's arguments, starting
// and writing nothing but the log. Logs what it reads and decides on the
// way; each Java attempt keeps its own lines for when the run reaches it. A
// check run keeps every value's history and waits for a child launcher.
RunPlan PlanRun(const std::string& arguments, const CommandLineParameters& parameters,
                bool serviceMode, bool checking);
