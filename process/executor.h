#pragma once

#include <string>
#include <vector>

#include "jvm/class_archive.h"
#include "process/java_attempts.h"
#include "process/run_plan.h"
#include "report/run_end.h"

// The start: it enters the ready copy and starts its launcher, carries out
// the class archive's steps, opens Java's output file and starts Java.
extern const Executor kStart;
// Check mode's: it starts no Java, changes no file and looks only whether
// each javaw.exe is there. A distributed installation it hands to the ready
// copy's launcher, started in check mode in the copy's folder, as the start
// would: the copy may carry another launcher version, whose own check is
// the one that counts, and that launcher starts nothing either.
extern const Executor kProbe;

// The plan carried out by the start, the stale fall-back logs removed
// first; how the run ends.
Stop CarryOutPlan(const RunPlan& plan);

// Before the plan, which it decides the place of: moves to the executable's
// folder when -launcher.cwd=true; returns the two-line report of what it
// found and did.
std::string ApplyWorkingDirectory(const CommandLineParameters& parameters);

// Moves into the copy's folder and starts the child launcher there; how
// this run ends with it.
Stop CarryOutHandOver(const HandOver& handOver);

// The steps carried out, and what they did for the log. A step that fails
// leaves the command line as planned: Java goes on without an archive it
// cannot find, and a Java that writes one at its end into a folder that is
// missing only says so.
std::vector<std::string> CarryOutArchiveSteps(const ClassArchive& archive);
