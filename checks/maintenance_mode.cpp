#include "checks/maintenance_mode.h"

#include "platform/platform.h"
#include "report/launch_log.h"

Maintenance DecideMaintenance(const std::string& startKey, bool ignoreMaintenance) {
  Maintenance maintenance;
  maintenance.present = platform::FileCanBeOpened("InWartung.txt");
  if (ignoreMaintenance) {
    maintenance.exemption = "-launcher.ignore_inwartung=true";
  } else if (startKey == "WBQ_UPDATE") {
    maintenance.exemption = "-start=WBQ_UPDATE";
  }
  return maintenance;
}

RunEnd CheckMaintenanceMode(const Maintenance& maintenance) {
  Log().Banner(
      "InWartung.txt pr\xFC"
      "fen");
  if (!maintenance.exemption.empty()) {
    Log().WriteLine("Wird ignoriert wegen " + maintenance.exemption);
    return std::nullopt;
  }
  if (!maintenance.present) {
    Log().WriteLine("Es existiert keine InWartung.txt");
    return std::nullopt;
  }
  return FailedRun(
      "Das Programm ist im Wartungsmodus und kann daher nicht gestartet werden.\n"
      "Bitte versuchen Sie es sp\xE4"
      "ter noch einmal.");
}
