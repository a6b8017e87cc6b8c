#include "launcher/carry_out.h"

#include "process/start_java.h"
#include "report/launch_log.h"

Stop CarryOutPlan(const RunPlan& plan) {
  if (plan.stop) return *plan.stop;
  if (plan.handOver) return CarryOutHandOver(*plan.handOver);
  const JavaAttempt* started = nullptr;
  RunEnd end = TryJavaAttempts(
      plan.attempts,
      [&plan](const JavaAttempt& attempt) {
        return LaunchJava(attempt, plan.settings, plan.supervision);
      },
      &started);
  if (end) return *end;
  Log().WriteLine(std::string("LAUNCH PROCESS FOR ") + (started->is64Bit ? "64" : "32") +
                  " BIT COMPLETE.");
  return Stop{kExitSuccess, ""};
}
