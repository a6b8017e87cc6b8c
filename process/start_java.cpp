#include "process/start_java.h"

#include "platform/platform.h"
#include "process/java_watch.h"
#include "report/error_report.h"
#include "report/launch_log.h"

namespace {

// "Java wurde nach 1 s mit Exit-Code 1 beendet. Invalid maximum heap size"
std::string FirstAndLastLine(const std::string& text) {
  size_t firstEnd = text.find('\n');
  if (firstEnd == std::string::npos) return text;
  return text.substr(0, firstEnd) + " " + text.substr(text.rfind('\n') + 1);
}

// Task Scheduler, "Run as different user" and CI agents run the launcher in a
// job that forbids breakaway. Java then starts inside that job; jobs nest
// from Windows 8 on, so our kill-on-close job still binds it (before, the
// assignment fails and is logged).
std::optional<platform::StartFailure> StartJavaProcess(const std::string& commandLine,
                                                       platform::StartOptions options,
                                                       platform::Process* java) {
  auto failure = platform::StartProcess(commandLine, options, java);
  if (!failure || !failure->leavingJobRefused) return failure;
  Log().WriteLine("Der java-Prozess darf den Job des KivLaunchers nicht verlassen (Fehler " +
                  std::to_string(failure->error.number) +
                  ") -> Er wird innerhalb dieses Jobs gestartet.");
  options.breakawayFromJob = false;
  return platform::StartProcess(commandLine, options, java);
}

// Java was created suspended and runs only once it is in the job, so nothing
// it starts escapes the job. A Java that cannot be resumed never ran.
platform::Failure BindToKillOnCloseJob(const platform::Process& java,
                                       platform::Owned<platform::Job>* job) {
  Log().WriteLine(
      "launcher.keep_and_kill=true -> Der Launcher l\xE4uft weiter, solange der java-Prozess "
      "l\xE4uft und der java-Prozess wird mitbeendet, falls der KivLauncher beendet wird.");
  platform::Failure failure = platform::CreateKillOnCloseJob(job);
  if (!failure) failure = platform::AssignProcessToJob(**job, java);
  if (failure) {
    Log().WriteLine(
        "Der java-Prozess konnte keinem Job zugeordnet werden und kann darum nicht zusammen mit "
        "dem KivLauncher beendet werden: " +
        std::to_string(failure->number));
  }
  return platform::ResumeProcess(java);
}

// Only after Java's own end. The programs it opened for the user (a
// spreadsheet, a browser) are in the job too and must not be killed with
// unsaved work when the job is closed.
void EndSupervision(platform::Job* job) {
  if (!job) return;
  if (platform::Failure failure = platform::LiftKillOnClose(*job)) {
    Log().WriteLine(
        "Der Job des java-Prozesses konnte nicht gel\xF6st werden, von Java gestartete Programme "
        "werden mit dem KivLauncher beendet: " +
        SystemErrorLine(*failure));
  }
}

JavaEnd Watch(const platform::Process& java, int seconds, unsigned long long startedAt) {
  std::string watch = std::to_string(seconds);
  Log().WriteLine("launcher.java_watch=" + watch + " -> Der Launcher wartet bis zu " + watch +
                  " s, ob Java gleich wieder beendet wird.");
  JavaEnd end = WatchJava(java, seconds, startedAt);
  if (end.waitFailure || (end.ended && end.exitCode == 0)) {
    Log().WriteLine(JavaEndLine(end));
  } else if (!end.ended) {
    Log().WriteLine("Java l\xE4uft nach " + watch + " s noch.");
  }
  return end;
}

// A Java that the watch saw ending, or could not wait for, was logged there
// already. A failed wait is logged even where the end is not.
JavaEnd AwaitEnd(const platform::Process& java, const Supervision& supervision, const JavaEnd& seen,
                 unsigned long long startedAt) {
  if (seen.ended || seen.waitFailure) return seen;
  JavaEnd end = AwaitJava(java, startedAt);
  if (supervision.recordsEnd || end.waitFailure) Log().WriteLine(JavaEndLine(end));
  return end;
}

JavaEnd FollowJava(const platform::Process& java, const Supervision& supervision,
                   platform::Job* job, const JavaEnd& seen, unsigned long long startedAt) {
  if (!supervision.keepAndKill) {
    Log().WriteLine(
        "launcher.keep=true -> Der Launcher l\xE4uft weiter, solange der java-Prozess l\xE4uft.");
  }
  JavaEnd end = AwaitEnd(java, supervision, seen, startedAt);
  EndSupervision(job);
  return end;
}

// Only a crash may be the archive's fault: an application that ends itself
// with an error (System.exit(1)) keeps it. Java's own fault handler writes
// hs_err_pid<pid>.log into its working directory, or where it cannot into
// the temporary folder, and ends Java with exit code 1 on Windows, so that
// file is the evidence there; a fault beyond the handler's reach shows in
// the exit code. A report left by an earlier Java of the same id costs one
// archive, no more.
bool Crashed(const JavaEnd& end, unsigned long id) {
  if (!end.ended || end.exitCode == 0) return false;
  std::string report = "hs_err_pid" + std::to_string(id) + ".log";
  return end.crashed || platform::FileCanBeOpened(report) ||
         platform::FileCanBeOpened(platform::TemporaryFolder() + report);
}

// Windows refused: its reason goes into the log and into the line that
// names this attempt in the report.
AttemptOutcome Refused(const std::string& failureText, const platform::SystemError& reason) {
  return AttemptOutcome::Failed(LogStartFailure(failureText, reason), SystemErrorLine(reason));
}

}  // namespace

AttemptOutcome StartJava(const std::string& commandLine, const Supervision& supervision,
                         const JavaOutput& output, const std::string& program) {
  for (const std::string& line : supervision.logLines) Log().WriteLine(line);
  platform::Owned<platform::Job> job;
  platform::Process java;
  platform::StartOptions options;
  options.breakawayFromJob = supervision.keepAndKill;
  options.suspended = supervision.keepAndKill;
  options.output = output.file.get();
  options.program = program;
  // Java receives the password in clear; the text is masked where it is
  // shown and logged.
  std::string failureText = StartFailureText(commandLine);
  if (auto failure = StartJavaProcess(commandLine, options, &java)) {
    return Refused(failureText, failure->error);
  }
  platform::AllowToComeToFront(java);
  unsigned long long startedAt = platform::MonotonicMilliseconds();
  if (supervision.keepAndKill) {
    if (platform::Failure failure = BindToKillOnCloseJob(java, &job)) {
      return Refused(failureText, *failure);
    }
  }
  JavaEnd seen;
  if (supervision.watchSeconds > 0) seen = Watch(java, supervision.watchSeconds, startedAt);
  if (seen.ended && seen.exitCode != 0) {
    EndSupervision(job.get());
    std::string failure = WatchFailureText(seen, output);
    AttemptOutcome failed =
        AttemptOutcome::Failed(LogStartFailure(failure), FirstAndLastLine(failure), true);
    failed.crashed = Crashed(seen, java.id);
    return failed;
  }
  if (supervision.writesPid) {
    Log().WriteLine("PID des Prozesses wird auf Konsole ausgegeben: " + std::to_string(java.id));
    platform::WriteStandardOutput("pid:" + std::to_string(java.id));
  }
  AttemptOutcome started = AttemptOutcome::Started();
  if (supervision.keep || supervision.keepAndKill) {
    JavaEnd end = FollowJava(java, supervision, job.get(), seen, startedAt);
    started.crashed = Crashed(end, java.id);
  }
  return started;
}
