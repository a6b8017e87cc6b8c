#pragma once

#include <string>
#include <vector>

#include "settings/settings.h"

// How Java is followed after its start.
struct Supervision {
  bool keep = false;
  bool keepAndKill = false;
  // launcher.java_output or launcher.java_watch: the end is logged.
  bool recordsEnd = false;
  int watchSeconds = 0;
  // Why launcher.java_watch watches nothing; empty when its value is valid.
  std::string invalidWatch;
  // Java's process id goes to standard output, for KivLaunchService.
  bool writesPid = false;
  // What deciding this logs before each start.
  std::vector<std::string> logLines;
};

// In service mode the launcher never waits for Java.
Supervision DecideSupervision(const Settings& settings, bool serviceMode);
