#include "diagnosis/check_run.h"

#include "diagnosis/findings.h"
#include "diagnosis/sections.h"
#include "platform/platform.h"
#include "process/java_attempts.h"
#include "process/start_java.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "report/password_mask.h"

namespace {

const size_t kShownProblems = 10;

std::string LogPath() {
  std::string folder = platform::CurrentDirectory();
  bool separated = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
  return folder + (separated ? "" : "\\") + "KivLaunch.log";
}

void LogReports(const CheckRun& check, Findings& findings) {
  for (const std::string& report : check.reports) {
    std::string text = report;
    if (!text.empty() && text.back() == '\n') text.pop_back();
    Fail(findings, "Der Start w\xFCrde abgebrochen: " + text);
  }
}

void WriteSection(const CheckRun& check, Findings& findings) {
  Log().Banner(
      "Pr\xFC"
      "fung");
  LogReports(check, findings);
  if (check.plan->settingsRead) {
    const Settings& settings = check.plan->settings;
    CheckSettingOrigins(settings, findings);
    CheckJava(check, findings);
    CheckHeap(check, findings);
    CheckClasspath(check, findings);
    CheckJavaCommandLine(check, findings);
    CheckUnknownKeys(check, findings);
  }
  CheckLocations(check, findings);
  Log().EndLine();
  Log().WriteLine(CountsText(findings));
}

// The counts and the log's place first: a script or a glance needs no more.
std::string MessageText(const CheckRun& check, const Findings& findings) {
  std::string text = CountsText(findings) + "\nProtokoll: " + check.logPath;
  if (!findings.problems.empty()) text += "\n";
  for (size_t i = 0; i < findings.problems.size() && i < kShownProblems; ++i) {
    text += "\n" + findings.problems[i];
  }
  if (findings.problems.size() > kShownProblems) text += "\n...";
  return text;
}

// In place of a start: the error text is the one a start would give when
// the javaw.exe it names is missing.
AttemptOutcome ProbeJava(const JavaAttempt& attempt, CheckRun& check) {
  check.reached.push_back(&attempt);
  bool present = platform::FileCanBeOpened(attempt.program);
  Log().WriteLine(
      "Pr\xFC"
      "fmodus: " +
      attempt.program + (present ? " wird nicht gestartet" : " fehlt, der Start w\xFCrde scheitern"));
  if (present) return AttemptOutcome::Started();
  return AttemptOutcome::Failed(StartFailureText(MaskPassword(attempt.commandLine)));
}

RunEnd CheckedRunEnd(const RunPlan& plan, CheckRun& check) {
  if (plan.stop) return plan.stop;
  if (plan.handOver) return CarryOutHandOver(*plan.handOver);
  const JavaAttempt* started = nullptr;
  return TryJavaAttempts(
      plan.attempts, [&check](const JavaAttempt& attempt) { return ProbeJava(attempt, check); },
      &started);
}

}  // namespace

bool BeginCheck(const CommandLineParameters& parameters, CheckRun* check) {
  if (!parameters.IsTrue("launcher.check")) return false;
  check->logPath = LogPath();
  check->workingDirectory = platform::CurrentDirectory();
  Log().WriteLine(
      "launcher.check=true -> Pr\xFC"
      "fmodus: Java wird nicht gestartet, das Ergebnis steht am Ende des Protokolls");
  return true;
}

CheckVerdict ConcludeCheck(const RunPlan& plan, CheckRun& check) {
  check.plan = &plan;
  RunEnd end = CheckedRunEnd(plan, check);
  if (end && !end->report.empty()) {
    LogReport(end->report);
    check.reports.push_back(end->report);
  }
  CheckVerdict verdict;
  if (!plan.settingsRead && check.reports.empty()) {
    verdict.exitCode = end ? end->exitCode : kExitSuccess;
    return verdict;
  }
  Findings findings;
  WriteSection(check, findings);
  verdict.exitCode = findings.errors > 0 ? kExitFailure : kExitSuccess;
  verdict.boxText = MessageText(check, findings);
  verdict.serviceLine = CountsText(findings) + "; Protokoll: " + check.logPath;
  return verdict;
}
