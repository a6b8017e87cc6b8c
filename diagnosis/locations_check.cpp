#include "checks/working_directory.h"
#include "diagnosis/sections.h"
#include "platform/platform.h"
#include "report/launch_log.h"
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

void ReviewWorkingDirectory(const CheckRun& check, Findings& findings) {
  Log().WriteLine("Arbeitsverzeichnis: " + check.workingDirectory);
  Log().WriteLine("Ordner des Launchers: " + ExecutableFolder());
  if (StartsInLauncherFolder(check)) return;
  Warn(findings,
       "Das Arbeitsverzeichnis ist nicht der Ordner des Launchers: Protokoll, properties-Dateien "
       "und relative Pfade gelten vom Arbeitsverzeichnis aus (Abhilfe: -launcher.cwd=true)");
}

// Without settings the start key is not known yet.
std::string MaintenanceState(const RunPlan& plan) {
  Maintenance maintenance =
      plan.settingsRead ? plan.maintenance : DecideMaintenance("", plan.ignoreMaintenance);
  if (!maintenance.present) return "nicht vorhanden";
  if (!maintenance.exemption.empty()) return "vorhanden, ignoriert wegen " + maintenance.exemption;
  return "vorhanden, der Start wird abgelehnt";
}

}  // namespace

bool StartsInLauncherFolder(const CheckRun& check) {
  return ComparablePath(check.workingDirectory) == ComparablePath(ExecutableFolder());
}

void ReviewLocations(const CheckRun& check, Findings& findings) {
  LogSubsection("Orte");
  Log().WriteLine("Protokoll: " + check.logPath);
  ReviewWorkingDirectory(check, findings);
  Log().WriteLine("InWartung.txt: " + MaintenanceState(*check.plan));
}
