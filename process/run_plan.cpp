#include "process/run_plan.h"

#include "jvm/java_selection.h"
#include "jvm/launch_findings.h"
#include "report/launch_log.h"
#include "settings/command_line.h"
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
  Log().WriteLine("Gestartet wird K\374rzel: '" + inputs.startKey +
                  "' mit Parameter: " + classpath.classpathDefault + " " + classpath.classpathHelp +
                  " " + classpath.classpathExtra + " " + inputs.startValue);
}

// Once no ready copy takes the run over: the settings, as the command line
// has them start, then the Java attempts. Every secret is given with what
// the planning logs: the run knows none until it is planned.
void PlanStart(const CommandLineParameters& parameters, bool serviceMode, bool checking,
               RunPlan& plan) {
  plan.settingsRead = true;
  plan.settings = InitialSettings(checking);
  plan.settings.secrets = parameters.secrets;
  plan.stop = ReadSettings(parameters, plan.settings, plan.inputs);
  plan.inputs.startKey = StartKey(plan.settings);
  plan.inputs.classpath = PrepareClasspath(plan.settings);
  plan.inputs.startValue = plan.settings.Get(plan.inputs.startKey);
  plan.maintenance = DecideMaintenance(plan.inputs.startKey, plan.ignoreMaintenance);
  std::vector<std::string> computerNames = ReadComputerNames();
  // A failed 64-bit attempt is followed by the 32-bit one.
  for (bool is64Bit : {true, false}) {
    if (is64Bit && !AttemptsJava64()) continue;
    JavaAttempt attempt = PlanJavaAttempt(is64Bit, plan.settings, plan.inputs, computerNames);
    attempt.launchFindings = ReadLaunchFindings(attempt);
    plan.attempts.push_back(std::move(attempt));
  }
  plan.supervision = DecideSupervision(plan.settings, serviceMode);
  plan.output = DecideJavaOutput(plan.settings);
  if (!plan.stop) plan.stop = CheckStartKey(plan.settings, plan.inputs.startKey);
  if (!plan.stop) plan.stop = CheckMaintenanceMode(plan.maintenance);
  if (!plan.stop) LogStartKey(plan.inputs);
}

}  // namespace

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
  if (!plan.stop && !plan.handOver) PlanStart(parameters, serviceMode, checking, plan);
  plan.secrets = KnowSecrets(plan.settingsRead ? plan.settings.secrets : parameters.secrets);
  return plan;
}
