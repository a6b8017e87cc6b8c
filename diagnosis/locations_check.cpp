#include "checks/distributed_installation.h"
#include "diagnosis/sections.h"
#include "platform/platform.h"
#include "report/launch_log.h"
#include "settings/windows_path.h"

namespace {

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
  const std::string& folder = check.workingDirectory;
  return ComparablePath(folder, folder) == ComparablePath(ExecutableFolder(), folder);
}

void ReviewLocations(const CheckRun& check, Findings& findings) {
  LogSubsection("Orte");
  Log().WriteLine("Protokoll: " + check.logPath);
  // A log opened nowhere is told once, with Windows' reason, among the
  // character set's findings.
  bool openedNowhere = Log().Refusal() && Log().Name() == kLogName;
  if (!Log().Written() && !openedNowhere) {
    Warn(findings, "Das Protokoll " + check.logPath +
                       " kann nicht geschrieben werden: das Arbeitsverzeichnis ist "
                       "schreibgesch\xFCtzt oder voll, ein Start hinterl\xE4sst kein Protokoll");
  }
  ReviewWorkingDirectory(check, findings);
  Log().WriteLine("InWartung.txt: " + MaintenanceState(*check.plan));
}
