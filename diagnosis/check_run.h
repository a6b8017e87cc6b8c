#pragma once

#include <string>
#include <vector>

#include "process/executor.h"
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

// The check section's parts, each headed "=== title ===": unlike checks/,
// which end a run, they read the plan and log what they find.
void ReviewSettingOrigins(const Settings& settings, const std::string& startKey,
                          Findings& findings);
// Per bit width: keys, folder, javaw.exe, its bit width, release, archive.
void ReviewJava(const CheckRun& check, Findings& findings);
// After the launcher's normalisation, per bit width.
void ReviewHeap(const CheckRun& check, Findings& findings);
void ReviewClasspath(const CheckRun& check, Findings& findings);
// The command lines, their length, the pieces Java would not read as meant.
void ReviewJavaCommandLine(const CheckRun& check, Findings& findings);
void ReviewUnknownKeys(const CheckRun& check, Findings& findings);
// The log, the working directory, maintenance; then a log that cannot be
// written where it belongs, a code page other than 1252, UTF-8 files.
void ReviewLocations(const CheckRun& check, Findings& findings);
void ReviewLogAndCharacterSet(const CheckRun& check, Findings& findings);

void LogSubsection(const std::string& title);

// Empty when none is close.
std::string ClosestKnownKey(const std::string& key);

constexpr unsigned kMachineI386 = 0x14C;
constexpr unsigned kMachineAmd64 = 0x8664;
// The machine field of a Windows program's PE header, behind "PE\0\0" where
// e_lfanew (offset 0x3C) points; 0 when the bytes are no such program.
unsigned PeMachine(const std::string& bytes);
unsigned ReadPeMachine(const std::string& path);
