#pragma once

#include <optional>
#include <string>
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
  LaunchInputs inputs;
  Maintenance maintenance;
  // 64 bit first when this computer gets a 64-bit attempt, then 32 bit.
  std::vector<JavaAttempt> attempts;
  Supervision supervision;
  JavaOutputChoice output;
};

// Whatever the run does to the world goes through one of these, given the
// plan.
struct Executor {
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
