#include "installation/distributed_installation.h"

#include <vector>

#include "platform/windows_arguments.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "settings/windows_path.h"

namespace {

// Why no ready copy was found. A shortcut without "Start in" starts the
// launcher in another folder, which then holds neither lib nor
// launch.properties while the launcher's own folder does: that folder, not
// the copies, is what is wrong.
std::string NoReadyCopy(const std::string& current) {
  std::string launcherFolder = ExecutableFolder();
  if (launcherFolder.empty() || platform::FileCanBeOpened("launch.properties") ||
      ComparablePath(launcherFolder, current) == ComparablePath(current, current) ||
      (!platform::IsDirectory(launcherFolder + "\\lib") &&
       !platform::FileCanBeOpened(launcherFolder + "\\launch.properties"))) {
    return "Es wurde eine verteilte Installation gefunden, aber keine Bereit.txt Datei in den "
           "Unterordnern! \nEine normale Installation braucht den Ordner lib in " +
           current + ".\n";
  }
  return "Das Arbeitsverzeichnis " + current + " ist nicht der Ordner des Launchers " +
         launcherFolder +
         ", in dem die Installation liegt.\nAbhilfe: -launcher.cwd=true angeben oder in der "
         "Verkn\374pfung bei \"Ausf\374hren in\" " +
         launcherFolder + " eintragen.\n";
}

// "name\Anwendung\" of the last subfolder, in listing order, that holds
// Bereit.txt; empty when none does.
std::string FindNewestReadyFolder() {
  std::vector<std::string> names;
  if (!platform::ListDirectory(".", &names)) {
    platform::WriteLastErrorLine("opendir: Path does not exist or could not be read.");
  }
  std::string current = platform::CurrentDirectory();
  std::string newest;
  for (const std::string& name : names) {
    std::string folder = current + "\\" + name;
    std::vector<std::string> entries;
    bool ready = platform::ListDirectory(folder, &entries) &&
                 platform::FileCanBeOpened(folder + "\\Bereit.txt");
    if (ready) newest = name;
  }
  return newest.empty() ? newest : newest + "\\Anwendung\\";
}

}  // namespace

std::string ExecutableFolder() {
  std::string path = platform::ExecutablePath();
  size_t backslash = path.rfind('\\');
  return backslash == std::string::npos ? std::string() : path.substr(0, backslash);
}

RunEnd CannotEnter(const std::string& folder, const platform::Failure& reason) {
  return FailedRun(
      "Es konnte nicht in das Unterverzeichnis '" + folder + "' gewechselt werden" +
      (reason ? ": " + SystemErrorLine(*reason) + "\n" : ", da es nicht existiert! \n"));
}

RunEnd DecideDistributedInstallation(const std::string& arguments, bool serviceMode,
                                     bool waitForChild, std::optional<HandOver>* handOver) {
  Log().Banner("Verteilte Installation");
  if (platform::IsDirectory("lib")) {
    Log().WriteLine("Der Ordner lib wurde gefunden. -> Keine verteilte Installation!");
    return std::nullopt;
  }
  Log().Write(
      "Der Ordner lib wurde nicht gefunden, darum wird eine verteilte Installation vermutet. "
      "Suche das neueste Verzeichnis mit Datei 'Bereit.txt'.\n");
  std::string folder = FindNewestReadyFolder();
  if (folder.empty()) return FailedRun(NoReadyCopy(platform::CurrentDirectory()));
  if (!platform::IsDirectory(folder)) return CannotEnter(folder);
  std::string program =
      serviceMode ? kChildLauncher : platform::QuotedIfBlank(folder + kChildLauncher);
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
