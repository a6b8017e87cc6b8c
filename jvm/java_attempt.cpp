#include "jvm/java_attempt.h"

#include "report/launch_log.h"

JavaAttempt PlanJavaAttempt(bool is64Bit, const Settings& settings, const LaunchInputs& inputs,
                            const std::string& computerName) {
  JavaAttempt attempt;
  attempt.is64Bit = is64Bit;
  attempt.computerName = computerName;
  attempt.choice = ChooseJavaHome(is64Bit, settings, computerName);
  if (IsMade(attempt)) {
    BuildJavaCommandLine(attempt.choice.home, is64Bit, settings, inputs, &attempt);
    return attempt;
  }
  DecideHeaps(is64Bit, settings, &attempt);
  if (!is64Bit) {
    attempt.stop = Failure(
        "Das 64-Bit-Java wurde entweder nicht angegeben oder konnte nicht gestartet werden und es "
        "wurde kein Parameter \"java\" definiert!");
  }
  return attempt;
}

bool IsMade(const JavaAttempt& attempt) { return !attempt.choice.home.empty(); }

void LogJavaAttempt(const JavaAttempt& attempt, const std::vector<std::string>& archiveSteps) {
  Log().WriteLine("Java wird ermittelt f\xFCr Computer \"" + attempt.computerName + "\" mit " +
                  (attempt.is64Bit ? "64 Bit" : "32 Bit") + ": " + attempt.choice.key + "=" +
                  attempt.choice.home);
  if (!IsMade(attempt)) return;
  for (const HeapDecision* heap : {&attempt.initialHeap, &attempt.maximumHeap}) {
    if (!heap->logLine.empty()) Log().WriteLine(heap->logLine);
  }
  for (const std::string& line : archiveSteps) Log().WriteLine(line);
  for (const std::string& line : attempt.classArchive.logLines) Log().WriteLine(line);
  for (const std::string& line : attempt.logLines) Log().WriteLine(line);
  if (attempt.stop) return;
  Log().WriteLine("JVM wird gestartet am " + CurrentTimeText());
  Log().WriteLine(attempt.commandLine);
}
