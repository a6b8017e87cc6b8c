#pragma once

#include <string>
#include <vector>

#include "process/run_plan.h"

// Whatever the run does to the world goes through one of these, given the
// plan.
struct Executor {
  // Moves into the copy's folder and starts the child launcher there.
  Stop (*handOver)(const HandOver& handOver);
  // Before the attempt is logged: what was done in the class archive's
  // folder, in the log's words; null: nothing is done there.
  std::vector<std::string> (*prepare)(const ClassArchive& archive);
  AttemptOutcome (*startJava)(const RunPlan& plan, const JavaAttempt& attempt,
                              bool afterFailedAttempt);
};

// The start: it enters the ready copy and starts its launcher, carries out
// the class archive's steps, opens Java's output file and starts Java.
extern const Executor kStart;
// Check mode's: it starts no Java, changes no file and looks only whether
// each javaw.exe is there. A distributed installation it hands to the ready
// copy's launcher, started in check mode in the copy's folder, as the start
// would: the copy may carry another launcher version, whose own check is
// the one that counts, and that launcher starts nothing either.
extern const Executor kProbe;

// The run as planned, for the start and check mode alike: it ends early,
// hands over to a ready copy, or goes through the Java attempts in order,
// logging each as it is reached. An attempt Java cannot be given, or whose
// output file the start refuses, starts nothing. A failed 64-bit attempt is
// only logged, the next one decides; without a 32-bit Java the reason the
// launcher found for the 64-bit failure is the report, as it says more than
// the missing "java", else the missing "java" is, with the 64-bit Java's
// path and why it failed; when both attempts fail and the launcher found a
// reason, the report names both. Nothing when Java started; reached gets
// every attempt that could start, the started one last.
RunEnd WalkPlan(const RunPlan& plan, const Executor& executor,
                std::vector<const JavaAttempt*>* reached);

// The plan carried out by the start, the stale fall-back logs removed
// first; how the run ends.
Stop CarryOutPlan(const RunPlan& plan);

// Before the plan, which it decides the place of: moves to the executable's
// folder when -launcher.cwd=true; returns the two-line report of what it
// found and did.
std::string ApplyWorkingDirectory(const CommandLineParameters& parameters);
