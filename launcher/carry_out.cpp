#include "launcher/carry_out.h"

#include "platform/platform.h"
#include "process/java_attempts.h"
#include "process/start_java.h"
#include "report/launch_log.h"

Stop CarryOutPlan(const RunPlan& plan) {
  for (const std::string& log : plan.staleLogs) {
    if (platform::RemoveClosedFile(log)) {
      Log().WriteLine("Altes Protokoll " + log +
                      " gel\xF6scht: zuletzt vor mehr als 7 Tagen geschrieben");
    }
  }
  JavaStarter starter;
  starter.prepare = [](const JavaAttempt& attempt) {
    return CarryOutArchiveSteps(attempt.classArchive);
  };
  starter.start = [&plan](const JavaAttempt& attempt, bool afterFailedAttempt) {
    return LaunchJava(attempt, plan.output.path, plan.supervision, afterFailedAttempt);
  };
  std::vector<const JavaAttempt*> reached;
  if (RunEnd end = WalkPlan(plan, starter, &reached)) return *end;
  Log().WriteLine(std::string("LAUNCH PROCESS FOR ") + (reached.back()->is64Bit ? "64" : "32") +
                  " BIT COMPLETE.");
  return Stop{kExitSuccess, ""};
}
