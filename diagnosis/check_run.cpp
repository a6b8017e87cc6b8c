#include "diagnosis/check_run.h"

#include "diagnosis/findings.h"
#include "diagnosis/sections.h"
#include "jvm/java_selection.h"
#include "platform/platform.h"
#include "process/start_java.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "report/password_mask.h"

namespace {

const size_t kShownProblems = 10;

std::string LogPath() {
  std::string folder = platform::CurrentDirectory();
  bool separated = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
  return folder + (separated ? "" : "\\") + Log().Name();
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
  if (check.settings) {
    CheckSettingOrigins(*check.settings, findings);
    CheckJava(check, findings);
    CheckHeap(check, findings);
    CheckClasspath(*check.settings, findings);
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

void TellUser(const CheckRun& check, const Findings& findings) {
  if (ServiceMode()) {
    platform::WriteStandardOutput("check:" + CountsText(findings) +
                                  "; Protokoll: " + check.logPath);
  } else {
    platform::ShowMessageBox(MessageText(check, findings),
                             "KivLauncher Pr\xFC"
                             "fung");
  }
}

}  // namespace

void BeginCheck(const CommandLineParameters& parameters, bool ignoreMaintenance, CheckRun* check) {
  if (!parameters.IsTrue("launcher.check")) return;
  check->active = true;
  check->logPath = LogPath();
  check->workingDirectory = platform::CurrentDirectory();
  check->ignoreMaintenance = ignoreMaintenance;
  check->tries64Bit = AttemptsJava64();
  check->parameters = &parameters;
  CaptureReports(&check->reports);
  Log().WriteLine(
      "launcher.check=true -> Pr\xFC"
      "fmodus: Java wird nicht gestartet, das Ergebnis steht am Ende des Protokolls");
}

RunEnd TryJavaInCheck(const std::string& javaHome, bool is64Bit, const Settings& settings,
                      const LaunchInputs& inputs, CheckRun& check, std::string* errorText) {
  std::string commandLine;
  if (RunEnd end = BuildJavaCommandLine(javaHome, is64Bit, settings, inputs, &commandLine)) {
    return end;
  }
  check.attempts.push_back({is64Bit, commandLine});
  std::string program = JavaProgram(javaHome);
  bool present = platform::FileCanBeOpened(program);
  Log().WriteLine(
      "Pr\xFC"
      "fmodus: " +
      program + (present ? " wird nicht gestartet" : " fehlt, der Start w\xFCrde scheitern"));
  *errorText = present ? std::string() : StartFailureText(MaskPassword(commandLine));
  return std::nullopt;
}

int ConcludeCheck(CheckRun& check, int exitCode) {
  CaptureReports(nullptr);
  if (!check.settings && check.reports.empty()) return exitCode;
  Findings findings;
  WriteSection(check, findings);
  TellUser(check, findings);
  return findings.errors > 0 ? kExitFailure : kExitSuccess;
}
