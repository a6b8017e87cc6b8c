#include "launcher/run_planning.h"

#include "jvm/java_selection.h"
#include "launcher/command_line.h"
#include "report/launch_log.h"
#include "report/password_mask.h"
#include "settings/keys.h"
#include "settings/properties_file.h"
#include "settings/root_folder.h"
#include "settings/settings_listing.h"
#include "settings/start_key.h"
#include "settings/text.h"

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
  RememberPassword(settings.Get(keyname::kAutologinPassword));
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
void PlanJava(RunPlan& plan) {
  std::string computerName = ToUpper(ReadComputerName());
  if (AttemptsJava64()) {
    plan.attempts.push_back(PlanJavaAttempt(true, plan.settings, plan.inputs, computerName));
  }
  plan.attempts.push_back(PlanJavaAttempt(false, plan.settings, plan.inputs, computerName));
  plan.supervision = DecideSupervision(plan.settings, plan.serviceMode);
}

}  // namespace

void EvaluateSwitches(RunPlan& plan) {
  plan.serviceMode = plan.parameters.IsTrue(keyname::kService);
  if (plan.serviceMode) {
    Log().WriteLine(
        "launcher.service=true -> Launcher arbeitet im Service-Modus (gestartet von "
        "KivLaunchService)");
  }
  plan.ignoreMaintenance = plan.parameters.IsTrue(keyname::kIgnoreMaintenance);
  if (plan.ignoreMaintenance) {
    Log().WriteLine("launcher.ignore_inwartung=true -> Launcher ignoriert die InWartung.txt");
  }
}

void PlanRun(const std::string& arguments, bool checking, RunPlan& plan) {
  plan.stop = DecideDistributedInstallation(arguments, plan.serviceMode, checking, &plan.handOver);
  if (plan.stop || plan.handOver) return;
  plan.settingsRead = true;
  plan.settings = InitialSettings(checking);
  plan.stop = CompleteSettings(plan.parameters, plan.settings, plan.inputs);
  std::string startKey = StartKey(plan.settings);
  plan.inputs.classpath = PrepareClasspath(plan.settings);
  plan.inputs.startValue = plan.settings.Get(startKey);
  plan.maintenance = DecideMaintenance(startKey, plan.ignoreMaintenance);
  PlanJava(plan);
  if (plan.stop || (plan.stop = CheckStartKey(plan.settings, startKey)) ||
      (plan.stop = CheckMaintenanceMode(plan.maintenance))) {
    return;
  }
  LogStartKey(startKey, plan.inputs);
}
