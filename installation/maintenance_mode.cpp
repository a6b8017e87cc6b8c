#include "installation/maintenance_mode.h"

#include "platform/platform.h"
#include "report/launch_log.h"

Maintenance DecideMaintenance(const std::string& startKey, bool ignoreMaintenance) {
  const char* exemption = ignoreMaintenance          ? "-launcher.ignore_inwartung=true"
                          : startKey == "WBQ_UPDATE" ? "-start=WBQ_UPDATE"
                                                     : "";
  return {platform::FileCanBeOpened("InWartung.txt"), exemption};
}

RunEnd CheckMaintenanceMode(const Maintenance& maintenance) {
  Log().Banner("InWartung.txt pr\374fen");
  if (maintenance.present && maintenance.exemption.empty()) {
    return FailedRun(
        "Das Programm ist im Wartungsmodus und kann daher nicht gestartet werden.\n"
        "Bitte versuchen Sie es sp\344ter noch einmal.");
  }
  Log().WriteLine(maintenance.exemption.empty() ? "Es existiert keine InWartung.txt"
                                                : "Wird ignoriert wegen " + maintenance.exemption);
  return std::nullopt;
}
