#pragma once

#include <string>

#include "process/run_plan.h"

// The switches only the command line gives: service mode and the
// maintenance override, logged.
void EvaluateSwitches(RunPlan& plan);

// Decides what the run will do from the command line's arguments, starting
// nothing. Logs what it reads and decides on the way; each Java attempt keeps
// its own lines for when the run reaches it. A check run keeps every value's
// history and waits for a child launcher.
void PlanRun(const std::string& arguments, bool checking, RunPlan& plan);
