#pragma once

#include <string>
#include <vector>

#include "process/run_plan.h"

// Whatever the run does to the world goes through one of these, given the
// plan.
struct Executor {
  Stop (*handOver)(const HandOver& handOver, const Secrets& secrets);
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
// each javaw.exe is there. It starts a ready copy's launcher as the start
// does, in check mode: the copy's own version is the one to check.
extern const Executor kProbe;

// The run as planned, for the start and check mode alike: it ends early,
// hands over to a ready copy, or goes through the Java attempts in order,
// logging each as it is reached. A failed 64-bit attempt is only logged,
// the next one decides. Nothing when Java started; reached gets every
// attempt that could start, the started one last.
RunEnd WalkPlan(const RunPlan& plan, const Executor& executor,
                std::vector<const JavaAttempt*>* reached);

// The plan carried out by the start, the stale fall-back logs removed
// first; how the run ends.
Stop CarryOutPlan(const RunPlan& plan);

// Before the plan, which is made where it leaves the run: the executable's
// folder for -launcher.cwd=true; the report of what it found and did.
std::string ApplyWorkingDirectory(const CommandLineParameters& parameters);
