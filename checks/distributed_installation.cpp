#include "checks/distributed_installation.h"

#include <vector>

#include "checks/working_directory.h"
#include "platform/platform.h"
#include "report/command_line_limit.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "report/system_error_line.h"
#include "settings/text.h"
#include "settings/windows_path.h"

namespace {

const char kChildLauncher[] = "KivLauncher.exe";
const char kBrokenInstallation[] =
    "Der KivLauncher konnte nicht gestartet werden. Dies deutet auf eine defekte verteilte "
    "Installation hin.\n";
const int kAnswerBufferSize = 2048;

bool IsReadyCopy(const std::string& folder) {
  std::vector<std::string> entries;
  return platform::ListDirectory(folder, &entries) &&
         platform::FileCanBeOpened(folder + "\\Bereit.txt");
}

// The child of the working directory, started directly: the command
// interpreter would refuse a share as its working directory, expand %NAME% in
// the arguments, run its AutoRun commands first and open a console window.
platform::StartOptions ChildInWorkingDirectory() {
  platform::StartOptions options;
  std::string folder = platform::CurrentDirectory();
  options.program = folder.empty() ? kChildLauncher : folder + "\\" + kChildLauncher;
  options.outputPipe = true;
  return options;
}

// Windows' reason goes to the log and, with the launcher that was tried,
// into the report; empty when the child started.
std::string StartFailure(const std::string& childCommand, const platform::StartOptions& options,
                         platform::Process* child) {
  auto failure = platform::StartProcess(childCommand, options, child);
  if (!failure) return std::string();
  std::string reason = SystemErrorLine(failure->error);
  Log().WriteLine(reason);
  return std::string(kBrokenInstallation) + ChildInWorkingDirectory().program + ": " + reason +
         "\n";
}

// The service reads the child's answer (its pid: or err: line) from our
// standard output; whatever happens, the exit code stays 0.
Stop HandOverInServiceMode(const std::string& childCommand) {
  Log().WriteLine("Starte Kindprozess " + childCommand + " und warte auf Konsolenausgabe");
  platform::Process child;
  std::string failure = StartFailure(childCommand, ChildInWorkingDirectory(), &child);
  if (!failure.empty()) return Stop{kExitSuccess, failure};
  std::string answer;
  Stop end{kExitSuccess, ""};
  if (platform::ReadPipe(*child.output, kAnswerBufferSize, &answer)) {
    AnswerService(answer);
    Log().Write(
        "Aus Kindprozess zur\xFC"
        "ckgekehrt mit Konsolenausgabe: " +
        answer);
  } else {
    end.report =
        "Der aufgerufene KivLauncher lieferte keine Antwort zur\xFC"
        "ck!\n";
  }
  // Closed first: a child still writing must not wait for us while we wait for it.
  child.output.reset();
  platform::WaitForProcess(child);
  return end;
}

// The child's exit code, once it has ended.
Stop WaitForChild(const platform::Process& child) {
  platform::ProcessEnd end = platform::WaitForProcess(child);
  if (end.failure) {
    Log().WriteLine("Warten auf den Kindprozess fehlgeschlagen: " + SystemErrorLine(*end.failure));
    return Stop{kExitFailure, ""};
  }
  Log().WriteLine("Kindprozess beendet mit Exitcode " + std::to_string(end.exitCode));
  return Stop{end.exitCode == 0 ? kExitSuccess : kExitFailure, ""};
}

// A shortcut without "Start in" starts the launcher in another folder,
// which then holds neither lib nor launch.properties while the launcher's
// own folder does: that folder, not the copies, is what is wrong.
std::string WrongWorkingDirectory(const std::string& current) {
  std::string launcherFolder = ExecutableFolder();
  if (launcherFolder.empty() || platform::FileCanBeOpened("launch.properties") ||
      ComparablePath(launcherFolder, current) == ComparablePath(current, current)) {
    return std::string();
  }
  if (!IsDirectory(launcherFolder + "\\lib") &&
      !platform::FileCanBeOpened(launcherFolder + "\\launch.properties")) {
    return std::string();
  }
  return "Das Arbeitsverzeichnis " + current + " ist nicht der Ordner des Launchers " +
         launcherFolder +
         ", in dem die Installation liegt.\nAbhilfe: -launcher.cwd=true angeben oder in der "
         "Verkn\xFCpfung bei \"Ausf\xFChren in\" " +
         launcherFolder + " eintragen.\n";
}

std::string CannotEnter(const std::string& folder) {
  return "Es konnte nicht in das Unterverzeichnis '" + folder + "' gewechselt werden";
}

}  // namespace

bool IsDirectory(const std::string& path) { return platform::IsDirectory(path); }

std::string FindNewestReadyFolder() {
  std::vector<std::string> names;
  if (!platform::ListDirectory(".", &names)) {
    platform::WriteLastErrorLine("opendir: Path does not exist or could not be read.");
  }
  std::string current = platform::CurrentDirectory();
  std::string newest;
  for (const std::string& name : names) {
    if (IsReadyCopy(current + "\\" + name)) newest = name;
  }
  return newest.empty() ? newest : newest + "\\Anwendung\\";
}

RunEnd DecideDistributedInstallation(const std::string& arguments, bool serviceMode,
                                     bool waitForChild, std::optional<HandOver>* handOver) {
  Log().Banner("Verteilte Installation");
  if (IsDirectory("lib")) {
    Log().WriteLine("Der Ordner lib wurde gefunden. -> Keine verteilte Installation!");
    return std::nullopt;
  }
  Log().Write(
      "Der Ordner lib wurde nicht gefunden, darum wird eine verteilte Installation vermutet. "
      "Suche das neueste Verzeichnis mit Datei 'Bereit.txt'.\n");
  std::string folder = FindNewestReadyFolder();
  if (folder.empty()) {
    std::string wrongFolder = WrongWorkingDirectory(platform::CurrentDirectory());
    if (!wrongFolder.empty()) return Failure(wrongFolder);
    return Failure(
        "Es wurde eine verteilte Installation gefunden, aber keine Bereit.txt Datei in den "
        "Unterordnern! \nEine normale Installation braucht den Ordner lib in " +
        platform::CurrentDirectory() + ".\n");
  }
  if (!IsDirectory(folder)) return Failure(CannotEnter(folder) + ", da es nicht existiert! \n");
  std::string program = serviceMode ? kChildLauncher : QuotedProgramPath(folder + kChildLauncher);
  HandOver planned{folder, program + " " + arguments, serviceMode, waitForChild, std::nullopt};
  if (ExceedsCommandLineLimit(planned.childCommand)) {
    planned.refusal = Stop{serviceMode ? kExitSuccess : kExitFailure,
                           "Der KivLauncher der verteilten Installation kann nicht gestartet "
                           "werden: " +
                               CommandLineLimitText(planned.childCommand) + "\n"};
  }
  *handOver = planned;
  return std::nullopt;
}

Stop CarryOutHandOver(const HandOver& handOver) {
  if (platform::Failure failure = platform::ChangeDirectory(handOver.folder)) {
    return Stop{kExitFailure,
                CannotEnter(handOver.folder) + ": " + SystemErrorLine(*failure) + "\n"};
  }
  Log().WriteLine("Arbeitsverzeichnis gewechselt zu verteilter Installation: " +
                  platform::CurrentDirectory());
  if (handOver.refusal) return *handOver.refusal;
  if (handOver.serviceMode) return HandOverInServiceMode(handOver.childCommand);
  Log().WriteLine("Starte Kindprozess " + handOver.childCommand +
                  " ohne auf Konsolenausgabe zu warten");
  platform::Process child;
  std::string failure = StartFailure(handOver.childCommand, {}, &child);
  if (!failure.empty()) return Stop{kExitFailure, failure};
  if (handOver.waitForChild) return WaitForChild(child);
  return Stop{kExitSuccess, ""};
}
