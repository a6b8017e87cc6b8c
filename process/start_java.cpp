#include "process/start_java.h"

#include "platform/platform.h"
#include "report/command_line_limit.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "report/password_mask.h"

std::string StartFailureText(const std::string& detail) {
  return "Java konnte nicht aufgerufen werden:\n" + detail +
         "\nArbeitsverzeichnis: " + platform::CurrentDirectory() +
         "\n\nBitte kontaktieren Sie den Support.";
}

namespace {

// Logged between markers and returned for the report.
std::string LogStartFailure(const std::string& detail) {
  std::string failure = StartFailureText(detail);
  Log().WriteLine("=== Startfehler Start ===");
  Log().WriteLine(failure);
  Log().WriteLine("=== Startfehler Ende ===");
  return failure;
}

// Java was created suspended and runs only once it is in the job, so nothing
// it starts escapes the job. After Java's own end the programs it opened for
// the user (a spreadsheet, a browser) are in the job too and must not be
// killed with unsaved work.
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
  platform::ResumeProcess(java);
  platform::WaitForProcess(java);
  platform::CloseProcess(java);
  platform::LiftKillOnClose(job);
  platform::CloseJob(job);
}

// Task Scheduler, "Run as different user" and CI agents run the launcher in a
// job that forbids breakaway. Java then starts inside that job; jobs nest
// from Windows 8 on, so our kill-on-close job still binds it (before, the
// assignment fails and is logged).
bool StartJavaProcess(const std::string& commandLine, platform::StartOptions options,
                      platform::Process* java) {
  if (platform::StartProcess(commandLine, options, java)) return true;
  if (!options.breakawayFromJob || java->error != platform::kErrorAccessDenied) return false;
  Log().WriteLine("Der java-Prozess darf den Job des KivLaunchers nicht verlassen (Fehler " +
                  std::to_string(java->error) + ") -> Er wird innerhalb dieses Jobs gestartet.");
  options.breakawayFromJob = false;
  return platform::StartProcess(commandLine, options, java);
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
  options.suspended = keepAndKill;
  // The text is shown and logged, so the password is masked; Java itself
  // received it in clear.
  if (!StartJavaProcess(commandLine, options, &java)) {
    return LogStartFailure(MaskPassword(commandLine));
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
  // Windows would refuse it, and Wine would silently cut it.
  if (ExceedsCommandLineLimit(commandLine)) {
    *errorText = LogStartFailure(CommandLineLengthReport(commandLine, settings, inputs));
    return std::nullopt;
  }
  *errorText = StartJava(commandLine, settings);
  return std::nullopt;
}
