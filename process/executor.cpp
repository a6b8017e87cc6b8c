#include "process/executor.h"

#include "jvm/launch_findings.h"
#include "platform/platform.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "settings/keys.h"

namespace {

const int kAnswerBufferSize = 2048;

// The launcher of the folder just entered, by its full path: Windows would
// look for the command line's relative one in the folder of the running exe
// (perhaps a share) and the working directory. No command interpreter stands
// between: it would refuse a share as its working directory, expand %NAME%
// in the arguments, run its AutoRun commands and open a console window.
// Windows' reason goes to the log and, with the launcher that was tried,
// into the report; empty when the child started.
std::string StartChild(const HandOver& handOver, platform::Process* child) {
  std::string folder = platform::CurrentDirectory();
  platform::StartOptions options;
  options.program = folder.empty() ? kChildLauncher : folder + "\\" + kChildLauncher;
  options.outputPipe = handOver.serviceMode;
  auto failure = platform::StartProcess(handOver.childCommand, options, child);
  if (!failure) return std::string();
  std::string reason = SystemErrorLine(failure->error);
  Log().WriteLine(reason);
  return "Der KivLauncher konnte nicht gestartet werden. Dies deutet auf eine defekte verteilte "
         "Installation hin.\n" +
         options.program + ": " + reason + "\n";
}

// The service reads the child's answer (its pid: or err: line) from our
// standard output.
Stop PassOnAnswer(platform::Process& child, const Secrets& secrets) {
  std::string answer;
  bool answered = platform::ReadPipe(*child.output, kAnswerBufferSize, &answer);
  if (answered) {
    AnswerService(answer, secrets);
    Log().Write("Aus Kindprozess zur\374ckgekehrt mit Konsolenausgabe: " + answer);
  }
  // Closed first: a child still writing must not wait for us while we wait for it.
  child.output.reset();
  platform::WaitForProcess(child);
  return Stop{kExitSuccess,
              answered ? "" : "Der aufgerufene KivLauncher lieferte keine Antwort zur\374ck!\n"};
}

Stop WaitForChild(const platform::Process& child) {
  platform::ProcessEnd end = platform::WaitForProcess(child);
  Log().WriteLine(end.failure ? "Warten auf den Kindprozess fehlgeschlagen: " +
                                    SystemErrorLine(*end.failure)
                              : "Kindprozess beendet mit Exitcode " + std::to_string(end.exitCode));
  return Stop{!end.failure && end.exitCode == 0 ? kExitSuccess : kExitFailure, ""};
}

// The line for the log: done, or what could not be deleted and why.
// Windows' own text says why too, but in the system's language: the log
// tells a file a running Java still holds (32) from one that access rules
// protect (5) in the launcher's words.
std::string DeleteArchive(const std::string& file, const std::string& reason) {
  platform::Failure failure = platform::RemoveFile(file);
  if (!failure) return "Klassenarchiv gel\366scht (" + reason + "): " + file;
  const char* why = failure->number == 32  ? "die Datei ist noch ge\366ffnet, "
                    : failure->number == 5 ? "Zugriffsrechte verbieten es, "
                                           : "";
  return "Klassenarchiv " + file + " (" + reason + ") konnte nicht gel\366scht werden: " + why +
         SystemErrorLine(*failure);
}

Stop CarryOutHandOver(const HandOver& handOver, const Secrets& secrets) {
  if (platform::Failure failure = platform::ChangeDirectory(handOver.folder)) {
    return *CannotEnter(handOver.folder, failure);
  }
  Log().WriteLine("Arbeitsverzeichnis gewechselt zu verteilter Installation: " +
                  platform::CurrentDirectory());
  if (handOver.refusal) return *handOver.refusal;
  Log().WriteLine("Starte Kindprozess " + handOver.childCommand +
                  (handOver.serviceMode ? " und warte auf Konsolenausgabe"
                                        : " ohne auf Konsolenausgabe zu warten"));
  platform::Process child;
  std::string failure = StartChild(handOver, &child);
  // In service mode the exit code stays 0, whatever happens.
  if (!failure.empty()) return Stop{handOver.serviceMode ? kExitSuccess : kExitFailure, failure};
  if (handOver.serviceMode) return PassOnAnswer(child, secrets);
  return handOver.waitForChild ? WaitForChild(child) : Stop{kExitSuccess, ""};
}

// A step that fails leaves the command line as planned: Java goes on
// without an archive it cannot find, and a Java that writes one at its end
// into a folder that is missing only says so. A claim or a use not marked
// costs at most a second training.
std::vector<std::string> CarryOutArchiveSteps(const ClassArchive& archive) {
  std::vector<std::string> lines;
  bool adopted = false;
  for (const ArchiveStep& step : archive.steps) {
    if (step.kind == ArchiveStep::Kind::kCreateFolder) {
      lines.push_back(platform::CreateFolders(step.path)
                          ? "Ordner f\374r Klassenarchive angelegt: " + step.path
                          : "Kein Klassenarchiv: " + CannotCreateFolder(step.path));
    } else if (step.kind == ArchiveStep::Kind::kAdopt) {
      if (adopted || !platform::RenameFileNoReplace(step.path, archive.file)) continue;
      adopted = true;
      lines.push_back("Klassenarchiv \374bernommen: " + step.path + " -> " + archive.file);
    } else {
      lines.push_back(DeleteArchive(step.path, step.reason));
    }
  }
  // Claimed once the folder is there: a first start makes the folder too.
  if (!archive.training.empty()) platform::CreateOutputFile(archive.training);
  if (archive.passed) platform::MarkFileUsed(archive.file);
  return lines;
}

// After a failed attempt the output file keeps what that Java said.
AttemptOutcome StartJavaAttempt(const RunPlan& plan, const JavaAttempt& attempt,
                                bool afterFailedAttempt) {
  JavaOutput output;
  output.secrets = plan.secrets;
  RunEnd end = OpenJavaOutput(plan.output.path, attempt.commandLine, afterFailedAttempt, &output);
  if (end) return {end, "", ""};
  // At log-off the job would end Java in the middle of saving, were the
  // windowless launcher shut down first.
  if (plan.supervision.keepAndKill) platform::ShutDownAfterApplications();
  AttemptOutcome outcome =
      StartJava(attempt.commandLine, plan.supervision, output, attempt.program);
  // Java that faults on its archive would fault at every start.
  if (outcome.crashed && attempt.classArchive.passed) {
    Log().WriteLine(DeleteArchive(attempt.classArchive.file, "Java ist abgest\374rzt"));
  }
  return outcome;
}

// In place of a start: the error text is the one a start would give when
// the javaw.exe it names is missing.
AttemptOutcome ProbeJava(const RunPlan&, const JavaAttempt& attempt, bool) {
  bool present = platform::FileCanBeOpened(attempt.program);
  Log().WriteLine("Pr\374fmodus: " + attempt.program +
                  (present ? " wird nicht gestartet" : " fehlt, der Start w\374rde scheitern"));
  if (present) return AttemptOutcome();
  return {std::nullopt, StartFailureText(attempt.commandLine), "javaw.exe fehlt"};
}

const char kCheckHint[] = "KivLauncher.exe -launcher.check=true pr\374ft die ganze Installation.";

// The path that was tried and why it failed: what the planning found, or
// else the reason the start gave.
std::string WhyNotStarted(const JavaAttempt& attempt, const AttemptOutcome& outcome) {
  if (!attempt.programProblem.empty() && !outcome.reasonFound) return attempt.programProblem;
  return attempt.program + ": " + outcome.summary;
}

// A remedy the refusal names itself goes last, where every remedy stands.
std::string RefusalReport(const std::string& refusal) {
  const std::string remedy = "\nAbhilfe: ";
  size_t named = refusal.find(remedy);
  if (named == std::string::npos) {
    return StartFailureText(refusal,
                            std::string("die genannte Einstellung berichtigen; ") + kCheckHint);
  }
  return StartFailureText(refusal.substr(0, named), refusal.substr(named + remedy.size()));
}

AttemptOutcome Try(const RunPlan& plan, const Executor& executor, const JavaAttempt& attempt,
                   bool afterFailedAttempt) {
  std::string refusal = StartRefusal(attempt);
  if (!refusal.empty()) return {std::nullopt, LogStartFailure(RefusalReport(refusal)), "", true};
  if (RunEnd end = EnterJavaOutput(plan.output)) return {end, "", ""};
  return executor.startJava(plan, attempt, afterFailedAttempt);
}

}  // namespace

// Without a 32-bit Java the reason the launcher found for the 64-bit failure
// is the report, as it says more than the missing "java"; else the missing
// "java" is, with the 64-bit Java's path and why it failed. When both fail
// and the launcher found a reason, the report names both.
RunEnd WalkPlan(const RunPlan& plan, const Executor& executor,
                std::vector<const JavaAttempt*>* reached) {
  if (plan.stop) return plan.stop;
  if (plan.handOver) return executor.handOver(*plan.handOver, plan.secrets);
  AttemptOutcome failed;
  std::string tried;
  for (const JavaAttempt& attempt : plan.attempts) {
    bool prepared = HasJavaFolder(attempt) && !attempt.stop && executor.prepare;
    LogJavaAttempt(attempt,
                   prepared ? executor.prepare(attempt.classArchive) : std::vector<std::string>());
    if (attempt.stop) {
      if (HasJavaFolder(attempt) || reached->empty()) return attempt.stop;
      if (failed.reasonFound) return FailedRun(failed.failure);
      return FailedRun(attempt.stop->report + "\n" + WhyNotStarted(*reached->back(), failed));
    }
    if (!HasJavaFolder(attempt)) continue;
    bool afterFailedAttempt = !reached->empty();
    reached->push_back(&attempt);
    AttemptOutcome outcome = Try(plan, executor, attempt, afterFailedAttempt);
    if (outcome.stop) return outcome.stop;
    if (outcome.failure.empty()) return std::nullopt;
    bool summarised = !failed.summary.empty() && !outcome.summary.empty();
    if (!outcome.summary.empty())
      tried += BitsText(attempt.is64Bit) + ": " + WhyNotStarted(attempt, outcome) + "\n";
    // Both reasons, each in a line: what the 64-bit Java said is the evidence
    // an administrator needs as much as the 32-bit one's.
    if (afterFailedAttempt && summarised && (failed.reasonFound || outcome.reasonFound)) {
      return FailedRun("Java konnte nicht gestartet werden:\n" + tried +
                       "Einzelheiten stehen im Protokoll " + Log().Name() +
                       ".\n\nAbhilfe: die Ursachen oben beheben; " + kCheckHint);
    }
    failed = outcome;
  }
  if (failed.reasonFound || reached->empty()) return FailedRun(failed.failure);
  // Windows refused every Java: each one tried, then the last command line.
  return FailedRun(StartFailureText(tried + reached->back()->commandLine));
}

const Executor kStart = {CarryOutHandOver, CarryOutArchiveSteps, StartJavaAttempt};
const Executor kProbe = {CarryOutHandOver, nullptr, ProbeJava};

Stop CarryOutPlan(const RunPlan& plan) {
  for (const std::string& log : plan.staleLogs) {
    if (platform::RemoveClosedFile(log)) {
      Log().WriteLine("Altes Protokoll " + log +
                      " gel\366scht: zuletzt vor mehr als 7 Tagen geschrieben");
    }
  }
  std::vector<const JavaAttempt*> reached;
  if (RunEnd end = WalkPlan(plan, kStart, &reached)) return *end;
  Log().WriteLine("LAUNCH PROCESS FOR " + BitWidth(reached.back()->is64Bit) + " BIT COMPLETE.");
  return Stop{kExitSuccess, ""};
}

std::string ApplyWorkingDirectory(const CommandLineParameters& parameters) {
  std::string report = "Arbeitsverzeichnis beim Start: " + platform::CurrentDirectory();
  if (parameters.IsTrue(keyname::kChangeDirectory)) {
    platform::ChangeDirectory(ExecutableFolder());
    report += "\nlauncher.cwd=true -> Arbeitsverzeichnis automatisch gewechselt zu: " +
              platform::CurrentDirectory();
  } else {
    report += "\nlauncher.cwd=false -> Das Arbeitsverzeichnis wurde nicht automatisch gewechselt.";
  }
  return report;
}
