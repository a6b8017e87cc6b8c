#include "process/start_java.h"

#include "platform/platform.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "report/password_mask.h"

// The text is shown and logged, so the password is masked; Java itself
// received it in clear.
std::string StartFailureText(const std::string& commandLine) {
  return "Java konnte nicht aufgerufen werden:\n" + MaskPassword(commandLine) +
         "\nArbeitsverzeichnis: " + platform::CurrentDirectory() +
         "\n\nBitte kontaktieren Sie den Support.";
}

namespace {

void KeepAndKill(const platform::Process& java) {
  Log().WriteLine(
      "launcher.keep_and_kill=true -> Der Launcher l\xE4uft weiter, solange der java-Prozess "
      "l\xE4uft und der java-Prozess wird mitbeendet, falls der KivLauncher beendet wird.");
  platform::Job* job = platform::CreateKillOnCloseJob();
  if (unsigned long error = platform::AssignProcessToJob(job, java)) {
    Log().WriteLine(
        "Der java-Prozess konnte keinem Job zugeordnet werden und kann darum nicht zusammen mit "
        "dem KivLauncher beendet werden: " +
        std::to_string(error));
  }
  platform::WaitForProcess(java);
  platform::CloseProcess(java);
  platform::CloseJob(job);
}

void Keep(const platform::Process& java) {
  Log().WriteLine(
      "launcher.keep=true -> Der Launcher l\xE4uft weiter, solange der java-Prozess l\xE4uft.");
  platform::WaitForProcess(java);
  platform::CloseProcess(java);
}

}  // namespace

std::string StartJava(const std::string& commandLine, const Settings& settings) {
  bool keep = settings.IsTrue("launcher.keep");
  bool keepAndKill = settings.IsTrue("launcher.keep_and_kill");
  if (ServiceMode()) {
    if (keep)
      Log().WriteLine(
          "Ignoriere den Parameter launcher.keep, da launcher.service=true gesetzt ist");
    if (keepAndKill) {
      Log().WriteLine(
          "Ignoriere den Parameter launcher.keep_and_kill, da launcher.service=true gesetzt ist");
    }
    keep = keepAndKill = false;
  }
  platform::Process java;
  platform::StartOptions options;
  options.breakawayFromJob = keepAndKill;
  if (!platform::StartProcess(commandLine, options, &java)) {
    std::string failure = StartFailureText(commandLine);
    Log().WriteLine("=== Startfehler Start ===");
    Log().WriteLine(failure);
    Log().WriteLine("=== Startfehler Ende ===");
    return failure;
  }
  if (ServiceMode()) {
    Log().WriteLine("PID des Prozesses wird auf Konsole ausgegeben: " + std::to_string(java.id));
    platform::WriteStandardOutput("pid:" + std::to_string(java.id));
  }
  if (keepAndKill) {
    KeepAndKill(java);
  } else if (keep) {
    Keep(java);
  }
  return std::string();
}

RunEnd LaunchJava(const std::string& javaHome, bool is64Bit, const Settings& settings,
                  const LaunchInputs& inputs, std::string* errorText) {
  std::string commandLine;
  if (RunEnd end = BuildJavaCommandLine(javaHome, is64Bit, settings, inputs, &commandLine)) {
    return end;
  }
  *errorText = StartJava(commandLine, settings);
  return std::nullopt;
}
