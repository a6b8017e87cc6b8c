#pragma once

#include <string>
#include <vector>

#include "process/run_plan.h"
#include "settings/settings.h"

// Check mode's own record of the run: where it looked, what it reached.
struct CheckRun {
  std::string logPath;
  std::string workingDirectory;
  const RunPlan* plan = nullptr;
  std::vector<const JavaAttempt*> reached;
  // The report the run would have ended with; empty for none.
  std::string report;
};

// What a check run tells at its end: the box's text and the service's line
// after "check:", both empty when a child launcher did the check.
struct CheckVerdict {
  int exitCode = 0;
  std::string boxText;
  std::string serviceLine;
};

// With -launcher.check=true the run becomes a check run, noted in the log:
// Java is never started, and nothing is written but the log. Call before
// the hand-over, which changes directories.
bool BeginCheck(const CommandLineParameters& parameters, CheckRun* check);

// Walks the plan with the probe, then writes the check section. A run
// handed over to a child launcher without a report keeps the child's exit
// code: the child checks.
CheckVerdict ConcludeCheck(const RunPlan& plan, CheckRun& check);
