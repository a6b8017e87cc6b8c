#include "launcher/carry_out.h"

#include "platform/platform.h"
#include "process/start_java.h"
#include "report/launch_log.h"

Stop CarryOutPlan(const RunPlan& plan) {
  if (plan.stop) return *plan.stop;
  if (plan.handOver) return CarryOutHandOver(*plan.handOver);
  // At log-off the job would end Java in the middle of saving, were the
  // windowless launcher shut down first.
  if (plan.supervision.keepAndKill) platform::ShutDownAfterApplications();
  const JavaAttempt* started = nullptr;
  bool afterFailedAttempt = false;
  RunEnd end = TryJavaAttempts(
      plan.attempts,
      [&plan, &afterFailedAttempt](const JavaAttempt& attempt) {
        AttemptOutcome outcome =
            LaunchJava(attempt, plan.settings, plan.supervision, afterFailedAttempt);
        afterFailedAttempt = true;
        return outcome;
      },
      &started);
  if (end) return *end;
  Log().WriteLine(std::string("LAUNCH PROCESS FOR ") + (started->is64Bit ? "64" : "32") +
                  " BIT COMPLETE.");
  return Stop{kExitSuccess, ""};
}
