#include "check_mode/check_run.h"

#include <algorithm>

#include "check_mode/classpath_check.h"
#include "check_mode/command_line_check.h"
#include "check_mode/java_check.h"
#include "check_mode/locations_check.h"
#include "check_mode/setting_origins.h"
#include "check_mode/unknown_keys.h"
#include "jvm/launch_findings.h"
#include "platform/platform.h"
#include "process/executor.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "settings/keys.h"
#include "settings/text.h"

namespace {
const size_t kShownProblems = 10;
const char kErrorPrefix[] = "FEHLER: ";

// The run's end that repeats what the sections name finding by finding is
// not counted again.
bool NamedBySections(const CheckRun& check) {
  return std::any_of(check.reached.begin(), check.reached.end(), [&](const JavaAttempt* attempt) {
    std::string refusal = RefusalText(attempt->launchFindings);
    return attempt->refusal.empty() && !refusal.empty() &&
           check.report.find(refusal) != std::string::npos;
  });
}

void WriteSection(const CheckRun& check, Findings& findings) {
  Log().Banner("Pr\374fung");
  if (!check.report.empty() && !NamedBySections(check)) {
    std::string text = check.report;
    if (text.back() == '\n') text.pop_back();
    Fail(findings, "Der Start w\374rde abgebrochen: " + text);
  }
  if (check.plan->settingsRead) {
    ReviewSettingOrigins(check.plan->settings, check.plan->inputs.startKey, findings);
    const std::string& invalidWatch = check.plan->supervision.invalidWatch;
    if (!invalidWatch.empty()) Warn(findings, invalidWatch);
    ReviewJava(check, findings);
    ReviewHeap(check, findings);
    ReviewClasspath(check, findings);
    ReviewJavaCommandLine(check, findings);
    ReviewUnknownKeys(check, findings);
  }
  ReviewLocations(check, findings);
  ReviewLogAndCharacterSet(check, findings);
  Log().EndLine();
  Log().WriteLine(CountsText(findings));
}

bool IsError(const std::string& problem) { return StartsWith(problem, kErrorPrefix); }

// A log that could not be written (a full disk, no permission) holds none.
std::string LogPlace(const CheckRun& check) {
  if (Log().Written()) return check.logPath;
  return check.logPath + " konnte nicht geschrieben werden, die Pr\374fung steht nicht darin";
}

// The counts and the log's place first: a script or a glance needs no more.
// Then every error, and warnings as long as the box has room.
std::string MessageText(const CheckRun& check, const Findings& findings) {
  std::string text = CountsText(findings) + "\nProtokoll: " + LogPlace(check);
  // Errors first, each in the order found: no error hides behind warnings.
  std::vector<std::string> problems = findings.problems;
  std::stable_partition(problems.begin(), problems.end(), IsError);
  if (!problems.empty()) text += "\n";
  size_t shown = 0;
  while (shown < problems.size() && (shown < kShownProblems || IsError(problems[shown])))
    text += "\n" + problems[shown++];
  size_t more = problems.size() - shown;
  if (more == 0) return text;
  return text + "\n... und " + std::to_string(more) +
         (more == 1 ? " weitere Warnung" : " weitere Warnungen") + " im Protokoll";
}

// One line: a service or a script that reads it learns why the check failed.
std::string ServiceLine(const CheckRun& check, const Findings& findings) {
  std::string line = CountsText(findings);
  auto error = std::find_if(findings.problems.begin(), findings.problems.end(), IsError);
  if (error != findings.problems.end()) {
    line += "; erster Fehler: " + ReplaceWithBlank(error->substr(sizeof kErrorPrefix - 1), "\n");
  }
  return line + "; Protokoll: " + LogPlace(check);
}

}  // namespace

bool BeginCheck(const CommandLineParameters& parameters, CheckRun* check) {
  if (!parameters.IsTrue(keyname::kCheck)) return false;
  check->logPath = Log().Path();
  check->workingDirectory = platform::CurrentDirectory();
  Log().WriteLine(
      "launcher.check=true -> Pr\374fmodus: Java wird nicht gestartet, das Ergebnis steht am Ende "
      "des Protokolls");
  return true;
}

CheckVerdict ConcludeCheck(const RunPlan& plan, CheckRun& check) {
  check.plan = &plan;
  RunEnd end = WalkPlan(plan, kProbe, &check.reached);
  if (end && !end->report.empty()) {
    LogReport(end->report);
    check.report = end->report;
  }
  if (!plan.settingsRead && check.report.empty())
    return {end ? end->exitCode : kExitSuccess, "", ""};
  Findings findings;
  WriteSection(check, findings);
  return {findings.errors > 0 ? kExitFailure : kExitSuccess, MessageText(check, findings),
          ServiceLine(check, findings)};
}
