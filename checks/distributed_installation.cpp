#include "checks/distributed_installation.h"

#include <vector>

#include "platform/platform.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "report/password_mask.h"

namespace {

const char kChildLauncher[] = "KivLauncher.exe ";
const char kBrokenInstallation[] =
    "Der KivLauncher konnte nicht gestartet werden. Dies deutet auf eine defekte verteilte "
    "Installation hin.\n";
const int kAnswerBufferSize = 2048;

bool IsReadyCopy(const std::string& folder) {
  std::vector<std::string> entries;
  return platform::ListDirectory(folder, &entries) &&
         platform::FileCanBeOpened(folder + "\\Bereit.txt");
}

// The service reads the child's answer (its pid: or err: line) from our
// standard output; whatever happens, the exit code stays 0.
int HandOverInServiceMode(const std::string& childCommand) {
  Log().WriteLine("Starte Kindprozess " + MaskPassword(childCommand) +
                  " und warte auf Konsolenausgabe");
  platform::Pipe* pipe = platform::OpenCommandPipe(childCommand);
  if (!pipe) {
    ReportError(kBrokenInstallation);
    return kExitSuccess;
  }
  std::string answer;
  if (platform::ReadPipeLine(pipe, kAnswerBufferSize, &answer)) {
    platform::WriteStandardOutput(answer);
    Log().Write(
        "Aus Kindprozess zur\xFC"
        "ckgekehrt mit Konsolenausgabe: " +
        answer);
  } else {
    ReportError(
        "Der aufgerufene KivLauncher lieferte keine Antwort zur\xFC"
        "ck!\n");
  }
  platform::ClosePipe(pipe);
  return kExitSuccess;
}

int HandOver(const std::string& childCommand) {
  Log().WriteLine("Starte Kindprozess " + MaskPassword(childCommand) +
                  " ohne auf Konsolenausgabe zu warten");
  platform::Process child;
  if (platform::StartProcess(childCommand, {}, &child)) return kExitSuccess;
  ReportError(kBrokenInstallation);
  return kExitFailure;
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

RunEnd ResolveDistributedInstallation(const std::string& arguments) {
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
    ReportError(
        "Es wurde eine verteilte Installation gefunden, aber keine Bereit.txt Datei in den "
        "Unterordnern! \n");
    return kExitFailure;
  }
  if (!IsDirectory(folder)) {
    ReportError("Es konnte nicht in das Unterverzeichnis '" + folder +
                "' gewechselt werden, da es nicht existiert! \n");
    return kExitFailure;
  }
  platform::ChangeDirectory(folder);
  Log().WriteLine("Arbeitsverzeichnis gewechselt zu verteilter Installation: " +
                  platform::CurrentDirectory());
  std::string childCommand = kChildLauncher + arguments;
  if (ServiceMode()) return HandOverInServiceMode(childCommand);
  return HandOver(folder + childCommand);
}
