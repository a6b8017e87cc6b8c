#include "process/start_java.h"

#include "platform/platform.h"
#include "process/java_watch.h"
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

// How Java is followed after its start.
struct Supervision {
  bool keep = false;
  bool keepAndKill = false;
  bool recordsEnd = false;
  int watchSeconds = 0;
};

// In service mode the launcher never waits for Java.
Supervision ReadSupervision(const Settings& settings) {
  Supervision supervision;
  supervision.keep = settings.IsTrue("launcher.keep");
  supervision.keepAndKill = settings.IsTrue("launcher.keep_and_kill");
  if (ServiceMode()) {
    if (supervision.keep)
      Log().WriteLine(
          "Ignoriere den Parameter launcher.keep, da launcher.service=true gesetzt ist");
    if (supervision.keepAndKill) {
      Log().WriteLine(
          "Ignoriere den Parameter launcher.keep_and_kill, da launcher.service=true gesetzt ist");
    }
    supervision.keep = supervision.keepAndKill = false;
  }
  supervision.recordsEnd = RecordsJavaEnd(settings);
  supervision.watchSeconds = JavaWatchSeconds(settings);
  return supervision;
}

// Logged between markers and returned for the report.
std::string LogStartFailure(const std::string& failure) {
  Log().WriteLine("=== Startfehler Start ===");
  Log().WriteLine(failure);
  Log().WriteLine("=== Startfehler Ende ===");
  return failure;
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

// Java was created suspended and runs only once it is in the job, so nothing
// it starts escapes the job.
platform::Job* BindToKillOnCloseJob(const platform::Process& java) {
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
  return job;
}

// Only after Java's own end. The programs it opened for the user (a
// spreadsheet, a browser) are in the job too and must not be killed with
// unsaved work.
void EndSupervision(const platform::Process& java, platform::Job* job) {
  platform::CloseProcess(java);
  if (!job) return;
  platform::LiftKillOnClose(job);
  platform::CloseJob(job);
}

JavaEnd Watch(const platform::Process& java, int seconds, unsigned long long startedAt) {
  std::string watch = std::to_string(seconds);
  Log().WriteLine("launcher.java_watch=" + watch + " -> Der Launcher wartet bis zu " + watch +
                  " s, ob Java gleich wieder beendet wird.");
  JavaEnd end = WatchJava(java, seconds, startedAt);
  if (!end.ended) {
    Log().WriteLine("Java l\xE4uft nach " + watch + " s noch.");
  } else if (end.exitCode == 0) {
    Log().WriteLine(JavaEndLine(end));
  }
  return end;
}

// A Java that the watch saw ending was logged there already.
void AwaitEnd(const platform::Process& java, const Supervision& supervision, const JavaEnd& seen,
              unsigned long long startedAt) {
  if (seen.ended) return;
  JavaEnd end = AwaitJava(java, startedAt);
  if (supervision.recordsEnd) Log().WriteLine(JavaEndLine(end));
}

void FollowJava(const platform::Process& java, const Supervision& supervision, platform::Job* job,
                const JavaEnd& seen, unsigned long long startedAt) {
  if (!supervision.keepAndKill) {
    Log().WriteLine(
        "launcher.keep=true -> Der Launcher l\xE4uft weiter, solange der java-Prozess l\xE4uft.");
  }
  AwaitEnd(java, supervision, seen, startedAt);
  EndSupervision(java, job);
}

}  // namespace

std::string StartJava(const std::string& commandLine, const Settings& settings,
                      const JavaOutput& output) {
  Supervision supervision = ReadSupervision(settings);
  platform::Process java;
  platform::StartOptions options;
  options.breakawayFromJob = supervision.keepAndKill;
  options.suspended = supervision.keepAndKill;
  options.output = output.file;
  // The text is shown and logged, so the password is masked; Java itself
  // received it in clear.
  if (!StartJavaProcess(commandLine, options, &java)) {
    return LogStartFailure(StartFailureText(MaskPassword(commandLine)));
  }
  unsigned long long startedAt = platform::MonotonicMilliseconds();
  platform::Job* job = supervision.keepAndKill ? BindToKillOnCloseJob(java) : nullptr;
  JavaEnd seen;
  if (supervision.watchSeconds > 0) seen = Watch(java, supervision.watchSeconds, startedAt);
  if (seen.ended && seen.exitCode != 0) {
    EndSupervision(java, job);
    return LogStartFailure(WatchFailureText(seen, output));
  }
  if (ServiceMode()) {
    Log().WriteLine("PID des Prozesses wird auf Konsole ausgegeben: " + std::to_string(java.id));
    platform::WriteStandardOutput("pid:" + std::to_string(java.id));
  }
  if (supervision.keep || supervision.keepAndKill)
    FollowJava(java, supervision, job, seen, startedAt);
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
    *errorText =
        LogStartFailure(StartFailureText(CommandLineLengthReport(commandLine, settings, inputs)));
    return std::nullopt;
  }
  if (HoldsZeroByte(commandLine)) {
    *errorText = LogStartFailure(StartFailureText(ZeroByteReport(commandLine, settings)));
    return std::nullopt;
  }
  JavaOutput output;
  if (RunEnd end = OpenJavaOutput(settings, commandLine, &output)) return end;
  *errorText = StartJava(commandLine, settings, output);
  CloseJavaOutput(&output);
  return std::nullopt;
}
