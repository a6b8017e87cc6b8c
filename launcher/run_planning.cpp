#include "launcher/run_planning.h"

#include "jvm/java_selection.h"
#include "launcher/command_line.h"
#include "report/launch_log.h"
#include "settings/keys.h"
#include "settings/properties_file.h"

namespace {

RunEnd ReadSettings(const CommandLineParameters& parameters, Settings& settings) {
  std::string root = CollapseUncPrefix(ReadRootFolder());
  if (RunEnd end = ReadPropertiesFile(root, "launch.properties", settings)) return end;
  if (RunEnd end = ReadPropertiesFile(root, "customlaunch.properties", settings)) return end;
  std::string custom = parameters.Get(keyname::kCustomFile);
  if (!custom.empty()) return ReadPropertiesFile(root, custom, settings);
  return std::nullopt;
}

RunEnd CompleteSettings(const CommandLineParameters& parameters, Settings& settings,
                        LaunchInputs& inputs) {
  if (RunEnd end = ReadSettings(parameters, settings)) return end;
  inputs.readParameters = ReadAdditionalParameters(parameters, keyname::kRead);
  inputs.readAppParameters = ReadAdditionalParameters(parameters, keyname::kReadApp);
  CopyCommandLineOverrides(parameters, settings);
  LogAllSettings(settings);
  return std::nullopt;
}

void LogStartKey(const std::string& startKey, const LaunchInputs& inputs) {
  Log().Banner("Starten der javaw.exe");
  const Classpath& classpath = inputs.classpath;
  Log().WriteLine("Gestartet wird K\xFCrzel: '" + startKey +
                  "' mit Parameter: " + classpath.classpathDefault + " " + classpath.classpathHelp +
                  " " + classpath.classpathExtra + " " + inputs.startValue);
}

// A failed 64-bit attempt is followed by the 32-bit one.
std::vector<JavaAttempt> PlanJava(const Settings& settings, const LaunchInputs& inputs) {
  std::vector<std::string> computerNames = ReadComputerNames();
  std::vector<JavaAttempt> attempts;
  if (AttemptsJava64()) attempts.push_back(PlanJavaAttempt(true, settings, inputs, computerNames));
  attempts.push_back(PlanJavaAttempt(false, settings, inputs, computerNames));
  return attempts;
}

// The switches only the command line gives: service mode and the
// maintenance override, logged.
void LogSwitches(const RunPlan& plan) {
  if (plan.serviceMode) {
    Log().WriteLine(
        "launcher.service=true -> Launcher arbeitet im Service-Modus (gestartet von "
        "KivLaunchService)");
  }
  if (plan.ignoreMaintenance) {
    Log().WriteLine("launcher.ignore_inwartung=true -> Launcher ignoriert die InWartung.txt");
  }
}

}  // namespace

RunPlan PlanRun(const std::string& arguments, const CommandLineParameters& parameters,
                bool serviceMode, bool checking) {
  RunPlan plan;
  plan.parameters = parameters;
  plan.serviceMode = serviceMode;
  plan.staleLogs = StaleFallbackLogs();
  plan.ignoreMaintenance = parameters.IsTrue(keyname::kIgnoreMaintenance);
  LogSwitches(plan);
  plan.stop = DecideDistributedInstallation(arguments, serviceMode, checking, &plan.handOver);
  if (plan.stop || plan.handOver) return plan;
  plan.settingsRead = true;
  plan.settings = InitialSettings(checking);
  plan.stop = CompleteSettings(parameters, plan.settings, plan.inputs);
  plan.inputs.startKey = StartKey(plan.settings);
  plan.inputs.classpath = PrepareClasspath(plan.settings);
  plan.inputs.startValue = plan.settings.Get(plan.inputs.startKey);
  plan.maintenance = DecideMaintenance(plan.inputs.startKey, plan.ignoreMaintenance);
  plan.attempts = PlanJava(plan.settings, plan.inputs);
  plan.supervision = DecideSupervision(plan.settings, serviceMode);
  plan.output = DecideJavaOutput(plan.settings);
  if (plan.stop || (plan.stop = CheckStartKey(plan.settings, plan.inputs.startKey)) ||
      (plan.stop = CheckMaintenanceMode(plan.maintenance))) {
    return plan;
  }
  LogStartKey(plan.inputs.startKey, plan.inputs);
  return plan;
}
