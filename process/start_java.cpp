#include "process/start_java.h"

#include "platform/windows_arguments.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "settings/keys.h"
#include "settings/text.h"

namespace {

// Java's end as the launcher saw it, seconds after the start.
struct JavaEnd {
  platform::ProcessEnd process;
  unsigned long long seconds = 0;
};

JavaEnd Seen(const platform::ProcessEnd& process, unsigned long long startedAt) {
  return {process, (platform::MonotonicMilliseconds() - startedAt) / 1000};
}

std::string JavaEndLine(const JavaEnd& end) {
  std::string when = " am " + CurrentTimeText() + " nach " + std::to_string(end.seconds) + " s";
  if (end.process.failure) {
    return "Warten auf Java fehlgeschlagen" + when + ": " + SystemErrorLine(*end.process.failure);
  }
  return "Java beendet" + when + " mit Exit-Code " + std::to_string(end.process.exitCode);
}

// Another value than 0 to 60 watches nothing, and *invalid says why.
int WatchSeconds(const std::string& value, std::string* invalid) {
  if (value.empty()) return 0;
  bool digits = value.size() <= 2 && value.find_first_not_of("0123456789") == std::string::npos;
  int seconds = digits ? std::stoi(value) : 61;
  if (seconds <= 60) return seconds;
  *invalid = "launcher.java_watch=" + value +
             " -> Ung\374ltiger Wert, erlaubt sind 0 bis 60 Sekunden. Java wird nicht "
             "\374berwacht.";
  return 0;
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
      "launcher.keep_and_kill=true -> Der Launcher l\344uft weiter, solange der java-Prozess "
      "l\344uft und der java-Prozess wird mitbeendet, falls der KivLauncher beendet wird.");
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
        "Der Job des java-Prozesses konnte nicht gel\366st werden, von Java gestartete Programme "
        "werden mit dem KivLauncher beendet: " +
        SystemErrorLine(*failure));
  }
}

JavaEnd Watch(const platform::Process& java, int seconds, unsigned long long startedAt) {
  std::string watch = std::to_string(seconds);
  Log().WriteLine("launcher.java_watch=" + watch + " -> Der Launcher wartet bis zu " + watch +
                  " s, ob Java gleich wieder beendet wird.");
  JavaEnd end = Seen(platform::WaitForProcessEnd(java, static_cast<unsigned long>(seconds) * 1000),
                     startedAt);
  if (end.process.failure || (end.process.ended && end.process.exitCode == 0)) {
    Log().WriteLine(JavaEndLine(end));
  } else if (!end.process.ended) {
    Log().WriteLine("Java l\344uft nach " + watch + " s noch.");
  }
  return end;
}

// A Java that the watch saw ending, or could not wait for, was logged there
// already. A failed wait is logged even where the end is not.
JavaEnd FollowJava(const platform::Process& java, const Supervision& supervision,
                   platform::Job* job, const JavaEnd& seen, unsigned long long startedAt) {
  if (!supervision.keepAndKill) {
    Log().WriteLine(
        "launcher.keep=true -> Der Launcher l\344uft weiter, solange der java-Prozess l\344uft.");
  }
  JavaEnd end = seen;
  if (!seen.process.ended && !seen.process.failure) {
    end = Seen(platform::WaitForProcess(java), startedAt);
    if (supervision.recordsEnd || end.process.failure) Log().WriteLine(JavaEndLine(end));
  }
  EndSupervision(job);
  return end;
}

// As Java expands -XX:ErrorFile=: %p its id, %% one %, any other % stays.
std::string WithId(const std::string& pattern, const std::string& id) {
  std::string path;
  for (size_t i = 0; i < pattern.size(); ++i) {
    bool escape =
        pattern[i] == '%' && (pattern.compare(i, 2, "%p") == 0 || pattern.compare(i, 2, "%%") == 0);
    path += escape ? (pattern[++i] == 'p' ? id : "%") : std::string(1, pattern[i]);
  }
  return path;
}

// Only a crash may be the archive's fault: an application that ends itself
// with an error (System.exit(1)) keeps it. Java's fault handler writes its
// report to -XX:ErrorFile=, else or where it cannot to hs_err_pid<pid>.log
// in its working directory, then in the temporary folder, and ends Java
// with exit code 1 on Windows; a fault beyond its reach shows in the exit
// code. A report older than this Java (file times count whole seconds) is
// an earlier Java's of the same id.
bool Crashed(const JavaEnd& end, const std::string& commandLine, unsigned long id) {
  if (!end.process.ended || end.process.exitCode == 0) return false;
  std::string name = "hs_err_pid" + std::to_string(id) + ".log";
  std::vector<std::string> reports = {name, platform::TemporaryFolder() + name, ""};
  for (const platform::Argument& argument :
       platform::SplitArguments(commandLine, platform::ArgumentReader::kJavaLauncher)) {
    if (argument.text == "-cp") break;
    if (StartsWith(argument.text, "-XX:ErrorFile="))
      reports[2] = WithId(argument.text.substr(14), std::to_string(id));
  }
  for (const std::string& report : reports) {
    if (platform::FileCanBeOpened(report) && !platform::FileOlderThan(report, end.seconds + 2))
      return true;
  }
  return end.process.crashed;
}

// Windows refused: its reason goes into the log and into the line that
// names this attempt in the report.
AttemptOutcome Refused(const std::string& failureText, const platform::SystemError& reason) {
  return {std::nullopt, LogStartFailure(failureText, reason), SystemErrorLine(reason)};
}

}  // namespace

Supervision DecideSupervision(const Settings& settings, bool serviceMode) {
  Supervision supervision;
  for (const std::string key : {keyname::kKeep, keyname::kKeepAndKill}) {
    if (!serviceMode || !settings.IsTrue(key)) continue;
    supervision.logLines.push_back("Ignoriere den Parameter " + key +
                                   ", da launcher.service=true gesetzt ist");
  }
  supervision.keep = !serviceMode && settings.IsTrue(keyname::kKeep);
  supervision.keepAndKill = !serviceMode && settings.IsTrue(keyname::kKeepAndKill);
  supervision.writesPid = serviceMode;
  std::string watch = settings.GetForStartKey(keyname::kJavaWatch);
  supervision.recordsEnd = !watch.empty() || !settings.GetForStartKey(keyname::kJavaOutput).empty();
  supervision.watchSeconds = WatchSeconds(watch, &supervision.invalidWatch);
  if (!supervision.invalidWatch.empty()) supervision.logLines.push_back(supervision.invalidWatch);
  return supervision;
}

AttemptOutcome StartJava(const std::string& commandLine, const Supervision& supervision,
                         const JavaOutput& output, const std::string& program) {
  for (const std::string& line : supervision.logLines) Log().WriteLine(line);
  platform::Owned<platform::Job> job;
  platform::Process java;
  platform::StartOptions options;
  options.breakawayFromJob = options.suspended = supervision.keepAndKill;
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
  platform::Failure unbound =
      supervision.keepAndKill ? BindToKillOnCloseJob(java, &job) : std::nullopt;
  if (unbound) return Refused(failureText, *unbound);
  JavaEnd seen;
  if (supervision.watchSeconds > 0) seen = Watch(java, supervision.watchSeconds, startedAt);
  if (seen.process.ended && seen.process.exitCode != 0) {
    EndSupervision(job.get());
    std::string failure = "Java wurde nach " + std::to_string(seen.seconds) + " s mit Exit-Code " +
                          std::to_string(seen.process.exitCode) + " beendet." +
                          JavaOutputTail(output);
    // "Java wurde nach 1 s mit Exit-Code 1 beendet. Invalid maximum heap size"
    std::string summary =
        failure.substr(0, failure.find('\n')) + " " + failure.substr(failure.rfind('\n') + 1);
    return {std::nullopt, LogStartFailure(failure), summary, true,
            Crashed(seen, commandLine, java.id)};
  }
  if (supervision.writesPid) {
    Log().WriteLine("PID des Prozesses wird auf Konsole ausgegeben: " + std::to_string(java.id));
    platform::WriteStandardOutput("pid:" + std::to_string(java.id));
  }
  AttemptOutcome started;
  if (supervision.keep || supervision.keepAndKill) {
    started.crashed =
        Crashed(FollowJava(java, supervision, job.get(), seen, startedAt), commandLine, java.id);
  }
  return started;
}

std::string StartFailureText(const std::string& detail, const std::string& remedy) {
  return "Java konnte nicht aufgerufen werden:\n" + detail +
         "\nArbeitsverzeichnis: " + platform::CurrentDirectory() + "\n\nAbhilfe: " + remedy;
}

std::string LogStartFailure(const std::string& failure, const platform::Failure& reason) {
  Log().WriteLine("=== Startfehler Start ===");
  Log().WriteLine(failure);
  if (reason) Log().WriteLine(SystemErrorLine(*reason));
  Log().WriteLine("=== Startfehler Ende ===");
  return failure;
}
