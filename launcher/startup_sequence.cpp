#include "launcher/startup_sequence.h"

#include <new>

#include "check_mode/check_run.h"
#include "launcher/version.h"
#include "process/executor.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "report/redactor.h"
#include "settings/command_line.h"
#include "settings/keys.h"

namespace {

void OpenLog(const std::string& workingDirectoryReport, const OwnCommandLine& commandLine,
             const std::vector<std::string>& secrets) {
  Log().Open(kLogName);
  Log().Write(kLogStart + std::string(kVersion) + " built " + __DATE__ + " " + __TIME__ + "$\n");
  Log().WriteLine("KivLauncher wird gestartet am " + CurrentTimeText() + "\n");
  Log().WriteLine("===== Arbeitsverzeichnis =====");
  Log().WriteLine(workingDirectoryReport);
  Log().Banner("Kommandozeilenparameter");
  Log().WriteLine(commandLine.tail, &secrets);
  if (commandLine.programNameMissing) {
    Log().WriteLine(
        "Der Programmname fehlt in der Kommandozeile. -> Das erste Wort wird als Parameter "
        "ausgewertet.");
  }
  Log().Banner("Kommandozeilenparameter auswerten");
}

// A check run ends with its verdict, told even when the run would have
// failed; a plain run tells only a failure.
int Run(const OwnCommandLine& commandLine, const CommandLineParameters& parameters,
        bool serviceMode, ReportChannel channel) {
  std::string report = ApplyWorkingDirectory(parameters);
  // Shown before the log exists, as a box even in service mode.
  if (parameters.IsTrue(keyname::kShowDirectory)) {
    ReportError(report, ReportChannel::kMessageBox, Secrets());
  }
  OpenLog(report, commandLine, parameters.secrets);
  CheckRun check;
  bool checking = BeginCheck(parameters, &check);
  RunPlan plan = PlanRun(commandLine.tail, parameters, serviceMode, checking);
  Log().SetSecrets(plan.secrets);
  if (checking) {
    CheckVerdict verdict = ConcludeCheck(plan, check);
    if (!verdict.boxText.empty()) {
      ReportCheckVerdict(verdict.boxText, verdict.serviceLine, channel, plan.secrets);
    }
    return verdict.exitCode;
  }
  Stop end = CarryOutPlan(plan);
  if (!end.report.empty()) {
    ReportError(WithMisspeltKeys(end.report, plan.settings), channel, plan.secrets);
  }
  return end.exitCode;
}

// Memory runs out only for absurd input, such as a properties line of
// hundreds of megabytes. The reserve given back makes room for the report,
// in check mode as in a plain run; a report that itself runs out ends the
// run without one.
char* memoryReserve = nullptr;
ReportChannel outOfMemoryChannel = ReportChannel::kMessageBox;

}  // namespace

void ReportOutOfMemory() {
  if (!memoryReserve) platform::ExitImmediately(kExitFailure);
  delete[] memoryReserve;
  memoryReserve = nullptr;
  ReportError(
      "Der Arbeitsspeicher reicht nicht aus, um den KivLauncher auszuf\374hren. Bitte die "
      "Gr\366\337e der Properties-Dateien pr\374fen.\n",
      outOfMemoryChannel, Secrets());
  Log().Close();
  platform::ExitImmediately(kExitFailure);
}

void EndAfterFault() {
  Log().WriteLine("Unerwarteter Fehler -> Der KivLauncher wird beendet.");
  platform::ExitImmediately(3);
}

int RunLauncher(const std::string& fullCommandLine) {
  OwnCommandLine commandLine = ReadOwnCommandLine(fullCommandLine);
  CommandLineParameters parameters = ParseCommandLine(commandLine.tail);
  bool serviceMode = parameters.IsTrue(keyname::kService);
  ReportChannel channel = serviceMode ? ReportChannel::kServiceOutput : ReportChannel::kMessageBox;
  outOfMemoryChannel = channel;
  if (!memoryReserve) memoryReserve = new char[64 * 1024];
  std::set_new_handler(ReportOutOfMemory);
  int exitCode = Run(commandLine, parameters, serviceMode, channel);
  Log().Close();
  return exitCode;
}
