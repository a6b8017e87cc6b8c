#include "launcher/startup_sequence.h"

#include <new>

#include "diagnosis/check_run.h"
#include "jvm/java_selection.h"
#include "launcher/command_line.h"
#include "launcher/version.h"
#include "process/executor.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "report/redactor.h"
#include "settings/keys.h"
#include "settings/properties_file.h"
#include "settings/text.h"

namespace {

// The properties files, then what the command line adds and overrides.
RunEnd ReadSettings(const CommandLineParameters& parameters, Settings& settings,
                    LaunchInputs& inputs) {
  std::string root = CollapseUncPrefix(ReadRootFolder());
  std::string files[] = {"launch.properties", "customlaunch.properties",
                         parameters.Get(keyname::kCustomFile)};
  for (const std::string& file : files) {
    if (file.empty()) continue;
    if (RunEnd end = ReadPropertiesFile(root, file, settings)) return end;
  }
  inputs.readParameters = ReadAdditionalParameters(parameters, keyname::kRead);
  inputs.readAppParameters = ReadAdditionalParameters(parameters, keyname::kReadApp);
  CopyCommandLineOverrides(parameters, settings);
  LogAllSettings(settings);
  return std::nullopt;
}

void LogStartKey(const LaunchInputs& inputs) {
  Log().Banner("Starten der javaw.exe");
  const Classpath& classpath = inputs.classpath;
  Log().WriteLine("Gestartet wird K\xFCrzel: '" + inputs.startKey +
                  "' mit Parameter: " + classpath.classpathDefault + " " + classpath.classpathHelp +
                  " " + classpath.classpathExtra + " " + inputs.startValue);
}

// Decides what the run will do from the command line's arguments, starting
// and writing nothing but the log. Logs what it reads and decides on the
// way; each Java attempt keeps its own lines for when the run reaches it. A
// check run keeps every value's history and waits for a child launcher.
RunPlan PlanRun(const std::string& arguments, const CommandLineParameters& parameters,
                bool serviceMode, bool checking) {
  RunPlan plan;
  plan.parameters = parameters;
  plan.staleLogs = StaleFallbackLogs();
  plan.ignoreMaintenance = parameters.IsTrue(keyname::kIgnoreMaintenance);
  // Check mode tells it among its findings.
  std::string codePage = CodePageWarning();
  if (!checking && !codePage.empty()) Log().WriteLine(codePage);
  if (serviceMode) {
    Log().WriteLine(
        "launcher.service=true -> Launcher arbeitet im Service-Modus (gestartet von "
        "KivLaunchService)");
  }
  if (plan.ignoreMaintenance) {
    Log().WriteLine("launcher.ignore_inwartung=true -> Launcher ignoriert die InWartung.txt");
  }
  plan.stop = DecideDistributedInstallation(arguments, serviceMode, checking, &plan.handOver);
  if (plan.stop || plan.handOver) return plan;
  plan.settingsRead = true;
  plan.settings = InitialSettings(checking);
  plan.stop = ReadSettings(parameters, plan.settings, plan.inputs);
  plan.inputs.startKey = StartKey(plan.settings);
  plan.inputs.classpath = PrepareClasspath(plan.settings);
  plan.inputs.startValue = plan.settings.Get(plan.inputs.startKey);
  plan.maintenance = DecideMaintenance(plan.inputs.startKey, plan.ignoreMaintenance);
  std::vector<std::string> computerNames = ReadComputerNames();
  // A failed 64-bit attempt is followed by the 32-bit one.
  for (bool is64Bit : {true, false}) {
    if (is64Bit && !AttemptsJava64()) continue;
    plan.attempts.push_back(PlanJavaAttempt(is64Bit, plan.settings, plan.inputs, computerNames));
  }
  plan.supervision = DecideSupervision(plan.settings, serviceMode);
  plan.output = DecideJavaOutput(plan.settings);
  if (!plan.stop) plan.stop = CheckStartKey(plan.settings, plan.inputs.startKey);
  if (!plan.stop) plan.stop = CheckMaintenanceMode(plan.maintenance);
  if (!plan.stop) LogStartKey(plan.inputs);
  return plan;
}

void OpenLog(const std::string& workingDirectoryReport, const OwnCommandLine& commandLine) {
  Log().Open(kLogName);
  Log().Write(kLogStart + std::string(kVersion) + " built " + __DATE__ + " " + __TIME__ + "$\n");
  Log().WriteLine("KivLauncher wird gestartet am " + CurrentTimeText() + "\n");
  Log().WriteLine("===== Arbeitsverzeichnis =====");
  Log().WriteLine(workingDirectoryReport);
  Log().Banner("Kommandozeilenparameter");
  Log().WriteLine(commandLine.tail);
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
  if (parameters.IsTrue(keyname::kShowDirectory)) ReportError(report, ReportChannel::kMessageBox);
  OpenLog(report, commandLine);
  CheckRun check;
  bool checking = BeginCheck(parameters, &check);
  RunPlan plan = PlanRun(commandLine.tail, parameters, serviceMode, checking);
  KnowSecrets(RunSecrets(parameters, plan.settings));
  if (checking) {
    CheckVerdict verdict = ConcludeCheck(plan, check);
    if (!verdict.boxText.empty()) ReportCheckVerdict(verdict.boxText, verdict.serviceLine, channel);
    return verdict.exitCode;
  }
  Stop end = CarryOutPlan(plan);
  if (!end.report.empty()) ReportError(end.report, channel);
  return end.exitCode;
}

// Memory runs out only for absurd input, such as a properties line of
// hundreds of megabytes. The reserve given back makes room for the report,
// in check mode as in a plain run; a report that itself runs out ends the
// run without one.
char* memoryReserve = nullptr;
ReportChannel outOfMemoryChannel = ReportChannel::kMessageBox;

void ReportOutOfMemory() {
  if (!memoryReserve) platform::ExitImmediately(kExitFailure);
  delete[] memoryReserve;
  memoryReserve = nullptr;
  ReportError(
      "Der Arbeitsspeicher reicht nicht aus, um den KivLauncher auszuf\xFC"
      "hren. Bitte die Gr\xF6\xDF"
      "e der Properties-Dateien pr\xFC"
      "fen.\n",
      outOfMemoryChannel);
  Log().Close();
  platform::ExitImmediately(kExitFailure);
}

}  // namespace

int RunLauncher(const std::string& fullCommandLine) {
  OwnCommandLine commandLine = ReadOwnCommandLine(fullCommandLine);
  CommandLineParameters parameters = ParseCommandLine(commandLine.tail);
  KnowSecrets(RunSecrets(parameters, Settings()));
  bool serviceMode = parameters.IsTrue(keyname::kService);
  ReportChannel channel = serviceMode ? ReportChannel::kServiceOutput : ReportChannel::kMessageBox;
  outOfMemoryChannel = channel;
  if (!memoryReserve) memoryReserve = new char[64 * 1024];
  std::set_new_handler(ReportOutOfMemory);
  int exitCode = Run(commandLine, parameters, serviceMode, channel);
  Log().Close();
  return exitCode;
}
