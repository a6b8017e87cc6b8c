#include "checks/maintenance_mode.h"

#include "platform/platform.h"
#include "report/error_report.h"
#include "report/launch_log.h"

RunEnd CheckMaintenanceMode(const std::string& startKey, bool ignoreMaintenance) {
  Log().Banner(
      "InWartung.txt pr\xFC"
      "fen");
  if (ignoreMaintenance) {
    Log().WriteLine("Wird ignoriert wegen -launcher.ignore_inwartung=true");
    return std::nullopt;
  }
  if (startKey == "WBQ_UPDATE") {
    Log().WriteLine("Wird ignoriert wegen -start=WBQ_UPDATE");
    return std::nullopt;
  }
  if (!platform::FileCanBeOpened("InWartung.txt")) {
    Log().WriteLine("Es existiert keine InWartung.txt");
    return std::nullopt;
  }
  ReportError(
      "Das Programm ist im Wartungsmodus und kann daher nicht gestartet werden.\n"
      "Bitte versuchen Sie es sp\xE4"
      "ter noch einmal.");
  return kExitFailure;
}
