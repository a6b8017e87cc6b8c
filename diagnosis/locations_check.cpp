#include "checks/working_directory.h"
#include "diagnosis/sections.h"
#include "platform/platform.h"
#include "report/launch_log.h"
#include "settings/start_key.h"
#include "settings/text.h"

namespace {

// Windows compares paths without regard to case or the kind of slash.
std::string ComparablePath(const std::string& path) {
  std::string comparable = ToUpper(path);
  for (char& c : comparable) {
    if (c == '/') c = '\\';
  }
  while (comparable.size() > 1 && comparable.back() == '\\') comparable.pop_back();
  return comparable;
}

void CheckWorkingDirectory(const CheckRun& check, Findings& findings) {
  std::string executableFolder = ExecutableFolder();
  Log().WriteLine("Arbeitsverzeichnis: " + check.workingDirectory);
  Log().WriteLine("Ordner des Launchers: " + executableFolder);
  if (ComparablePath(check.workingDirectory) == ComparablePath(executableFolder)) return;
  Warn(findings,
       "Das Arbeitsverzeichnis ist nicht der Ordner des Launchers: Protokoll, properties-Dateien "
       "und relative Pfade gelten vom Arbeitsverzeichnis aus (Abhilfe: -launcher.cwd=true)");
}

std::string MaintenanceState(const CheckRun& check) {
  if (!platform::FileCanBeOpened("InWartung.txt")) return "nicht vorhanden";
  if (check.ignoreMaintenance) return "vorhanden, ignoriert wegen -launcher.ignore_inwartung=true";
  if (check.settings && StartKey(*check.settings) == "WBQ_UPDATE") {
    return "vorhanden, ignoriert wegen -start=WBQ_UPDATE";
  }
  return "vorhanden, der Start wird abgelehnt";
}

}  // namespace

void CheckLocations(const CheckRun& check, Findings& findings) {
  LogSubsection("Orte");
  Log().WriteLine("Protokoll: " + check.logPath);
  CheckWorkingDirectory(check, findings);
  Log().WriteLine("InWartung.txt: " + MaintenanceState(check));
}
