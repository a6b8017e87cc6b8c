#pragma once

#include <string>

#include "process/run_plan.h"

// Decides what the run will do from the command line's arguments, starting
// and writing nothing but the log. Logs what it reads and decides on the
// way; each Java attempt keeps its own lines for when the run reaches it. A
// check run keeps every value's history and waits for a child launcher.
RunPlan PlanRun(const std::string& arguments, const CommandLineParameters& parameters,
                bool serviceMode, bool checking);
