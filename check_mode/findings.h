#pragma once

#include <string>
#include <vector>

#include "process/run_plan.h"

// Check mode's own record of the run: where it looked, what it reached.
struct CheckRun {
  std::string logPath;
  std::string workingDirectory;
  const RunPlan* plan = nullptr;
  std::vector<const JavaAttempt*> reached;
  // The report the run would have ended with; empty for none.
  std::string report;
};

// The problems in the log's words, for the closing message.
struct Findings {
  int errors = 0;
  int warnings = 0;
  std::vector<std::string> problems;
};

// The problem is logged on a line of its own, "FEHLER: " or "WARNUNG: " first.
void Fail(Findings& findings, const std::string& text);
void Warn(Findings& findings, const std::string& text);

std::string CountsText(const Findings& findings);

// The check section's parts, each headed "=== title ===": unlike
// installation/, which ends a run, they read the plan and log what they find.
void LogSubsection(const std::string& title);
