#include "launcher/startup_sequence.h"

#include <new>

#include "checks/distributed_installation.h"
#include "checks/maintenance_mode.h"
#include "checks/working_directory.h"
#include "diagnosis/check_run.h"
#include "jvm/java_command_line.h"
#include "jvm/java_selection.h"
#include "launcher/command_line.h"
#include "launcher/version.h"
#include "process/start_java.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "report/password_mask.h"
#include "settings/properties_file.h"
#include "settings/root_folder.h"
#include "settings/settings_listing.h"
#include "settings/start_key.h"

namespace {

void OpenLog(const std::string& workingDirectoryReport, const std::string& commandLine) {
  Log().Open(kLogName);
  Log().Write(std::string("$Id: launcher, v") + kVersion + " built " + __DATE__ + " " + __TIME__ +
              "$\n");
  Log().WriteLine("KivLauncher wird gestartet am " + CurrentTimeText());
  Log().WriteLine("===== Arbeitsverzeichnis =====");
  Log().WriteLine(workingDirectoryReport);
  Log().Banner("Kommandozeilenparameter");
  Log().WriteLine(MaskPassword(commandLine));
  Log().Banner("Kommandozeilenparameter auswerten");
}

RunEnd ReadSettings(const CommandLineParameters& parameters, Settings& settings) {
  std::string root = CollapseUncPrefix(ReadRootFolder());
  if (RunEnd end = ReadPropertiesFile(root, "launch.properties", settings)) return end;
  if (RunEnd end = ReadPropertiesFile(root, "customlaunch.properties", settings)) return end;
  std::string custom = parameters.Get("custom");
  if (!custom.empty()) return ReadPropertiesFile(root, custom, settings);
  return std::nullopt;
}

// RunLauncher closes the log right after this line; a check run has started nothing.
int EndSuccessfully(const char* bits, const CheckRun& check) {
  if (!check.active) Log().WriteLine(std::string("LAUNCH PROCESS FOR ") + bits + " BIT COMPLETE.");
  return kExitSuccess;
}

RunEnd AttemptJava(const std::string& javaHome, bool is64Bit, const Settings& settings,
                   const LaunchInputs& inputs, CheckRun& check, std::string* errorText) {
  if (check.active) return TryJavaInCheck(javaHome, is64Bit, settings, inputs, check, errorText);
  return LaunchJava(javaHome, is64Bit, settings, inputs, errorText);
}

// A failed 64-bit start is only logged; the 32-bit attempt decides the run.
int StartJavaRuntime(const Settings& settings, const LaunchInputs& inputs, CheckRun& check) {
  std::string errorText;
  if (AttemptsJava64()) {
    std::string javaHome = SelectJavaHome(true, settings);
    if (!javaHome.empty()) {
      if (RunEnd end = AttemptJava(javaHome, true, settings, inputs, check, &errorText)) {
        return *end;
      }
      if (errorText.empty()) return EndSuccessfully("64", check);
    }
  }
  std::string javaHome = SelectJavaHome(false, settings);
  if (javaHome.empty()) {
    ReportError(
        "Das 64-Bit-Java wurde entweder nicht angegeben oder konnte nicht gestartet werden und es "
        "wurde kein Parameter \"java\" definiert!");
    return kExitFailure;
  }
  if (RunEnd end = AttemptJava(javaHome, false, settings, inputs, check, &errorText)) return *end;
  if (errorText.empty()) return EndSuccessfully("32", check);
  ReportError(errorText);
  return kExitFailure;
}

// ServiceMode and the maintenance override come from the command line only.
bool EvaluateSwitches(const CommandLineParameters& parameters) {
  SetServiceMode(parameters.IsTrue("launcher.service"));
  if (ServiceMode()) {
    Log().WriteLine(
        "launcher.service=true -> Launcher arbeitet im Service-Modus (gestartet von "
        "KivLaunchService)");
  }
  bool ignoreMaintenance = parameters.IsTrue("launcher.ignore_inwartung");
  if (ignoreMaintenance) {
    Log().WriteLine("launcher.ignore_inwartung=true -> Launcher ignoriert die InWartung.txt");
  }
  return ignoreMaintenance;
}

RunEnd CompleteSettings(const CommandLineParameters& parameters, Settings& settings,
                        LaunchInputs& inputs) {
  if (RunEnd end = ReadSettings(parameters, settings)) return end;
  inputs.readParameters = ReadAdditionalParameters(parameters, "read");
  inputs.readAppParameters = ReadAdditionalParameters(parameters, "read_app");
  CopyCommandLineOverrides(parameters, settings);
  RememberPassword(settings.Get("Dautologin.pwd"));
  LogAllSettings(settings);
  return std::nullopt;
}

void LogStartKey(const std::string& startKey, const LaunchInputs& inputs) {
  Log().Banner("Starten der javaw.exe");
  const Classpath& classpath = inputs.classpath;
  Log().WriteLine("Gestartet wird K\xFCrzel: '" + startKey +
                  "' mit Parameter: " + classpath.classpathDefault + " " + classpath.classpathHelp +
                  " " + classpath.classpathExtra + " " + MaskPassword(inputs.startValue));
}

int Start(const std::string& commandLine, const CommandLineParameters& parameters,
          bool ignoreMaintenance, Settings& settings, CheckRun& check) {
  if (RunEnd end = ResolveDistributedInstallation(commandLine, check.active)) return *end;
  check.settings = &settings;
  LaunchInputs inputs;
  if (RunEnd end = CompleteSettings(parameters, settings, inputs)) return *end;
  std::string startKey = StartKey(settings);
  if (RunEnd end = CheckStartKey(settings, startKey)) return *end;
  if (RunEnd end = CheckMaintenanceMode(startKey, ignoreMaintenance)) return *end;
  inputs.classpath = PrepareClasspath(settings);
  inputs.startValue = settings.Get(startKey);
  LogStartKey(startKey, inputs);
  return StartJavaRuntime(settings, inputs, check);
}

int Run(const std::string& commandLine) {
  CommandLineParameters parameters = ParseCommandLine(commandLine);
  std::string report = ApplyWorkingDirectory(parameters);
  if (parameters.IsTrue("launcher.show_dir")) ReportError(report);
  OpenLog(report, commandLine);
  bool ignoreMaintenance = EvaluateSwitches(parameters);
  CheckRun check;
  BeginCheck(parameters, ignoreMaintenance, &check);
  Settings settings = InitialSettings(check.active);
  int exitCode = Start(commandLine, parameters, ignoreMaintenance, settings, check);
  return check.active ? ConcludeCheck(check, exitCode) : exitCode;
}

}  // namespace

// Memory runs out only for absurd input, such as a properties line of
// hundreds of megabytes; what held it is freed on the way here, so the
// report can still be made.
int RunLauncher(const std::string& fullCommandLine) {
  SetServiceMode(false);
  ForgetPasswords();
  int exitCode = kExitFailure;
  try {
    exitCode = Run(CommandLineTail(fullCommandLine));
  } catch (const std::bad_alloc&) {
    ReportError(
        "Der Arbeitsspeicher reicht nicht aus, um den KivLauncher auszuf\xFC"
        "hren. Bitte die Gr\xF6\xDF"
        "e der Properties-Dateien pr\xFC"
        "fen.\n");
  }
  Log().Close();
  return exitCode;
}
