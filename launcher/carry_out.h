#pragma once

#include "process/run_plan.h"
#include "report/run_end.h"

// The start: the plan carried out, a hand-over or the Java attempts with the
// fall-back from 64 to 32 bit. How the run ends.
Stop CarryOutPlan(const RunPlan& plan);
