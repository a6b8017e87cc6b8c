#pragma once

#include <string>

#include "check_mode/findings.h"

// The box's text and the line after "check:", both empty when a child
// launcher did the check.
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
