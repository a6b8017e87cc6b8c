#include "check_mode/locations_check.h"

#include <vector>

#include "installation/distributed_installation.h"
#include "platform/platform.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "settings/text.h"
#include "settings/windows_path.h"

namespace {

// Where the log went instead is where the administrator must look.
std::string LogRefusal() {
  const platform::Failure& refusal = Log().Refusal();
  if (!refusal) return std::string();
  std::string text = std::string(kLogName) +
                     " kann im Arbeitsverzeichnis nicht geschrieben werden (" +
                     SystemErrorLine(*refusal) + ")";
  if (Log().Name() == kLogName) {
    return text +
           ", und auch im Ordner f\374r tempor\344re Dateien kein Protokoll: der Start "
           "schreibt keines";
  }
  return text + ", das Protokoll steht darum in " + Log().Path();
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

void ReviewLocations(const CheckRun& check, Findings& findings) {
  LogSubsection("Orte");
  Log().WriteLine("Protokoll: " + check.logPath);
  // A log opened nowhere is told once, with Windows' reason, among the
  // character set's findings.
  bool openedNowhere = Log().Refusal() && Log().Name() == kLogName;
  if (!Log().Written() && !openedNowhere) {
    Warn(findings, "Das Protokoll " + check.logPath +
                       " kann nicht geschrieben werden: das Arbeitsverzeichnis ist "
                       "schreibgesch\374tzt oder voll, ein Start hinterl\344sst kein Protokoll");
  }
  Log().WriteLine("Arbeitsverzeichnis: " + check.workingDirectory);
  Log().WriteLine("Ordner des Launchers: " + ExecutableFolder());
  const std::string& folder = check.workingDirectory;
  if (ComparablePath(folder, folder) != ComparablePath(ExecutableFolder(), folder)) {
    Warn(findings,
         "Das Arbeitsverzeichnis ist nicht der Ordner des Launchers: Protokoll, properties-Dateien "
         "und relative Pfade gelten vom Arbeitsverzeichnis aus (Abhilfe: -launcher.cwd=true)");
  }
  Log().WriteLine("InWartung.txt: " + MaintenanceState(*check.plan));
}

// Most computers give nothing to say here, and then no subsection.
void ReviewLogAndCharacterSet(const CheckRun& check, Findings& findings) {
  std::vector<std::string> warnings;
  for (const std::string& warning : {LogRefusal(), CodePageWarning()}) {
    if (!warning.empty()) warnings.push_back(warning);
  }
  const Settings none;
  const Settings& settings = check.plan->settingsRead ? check.plan->settings : none;
  warnings.insert(warnings.end(), settings.droppedComments.begin(), settings.droppedComments.end());
  if (warnings.empty() && settings.convertedFiles.empty()) return;
  LogSubsection("Protokoll und Zeichensatz");
  for (const std::string& note : settings.convertedFiles) Log().WriteLine(note);
  for (const std::string& warning : warnings) Warn(findings, warning);
}
