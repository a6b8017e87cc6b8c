#include "settings/settings_listing.h"

#include "report/launch_log.h"
#include "settings/text.h"

void LogAllSettings(const Settings& settings) {
  Log().Banner("Liste aller Einstellungen");
  for (const auto& [key, value] : settings.entries) {
    if (StartsWith(key, "Dautologin.")) continue;
    Log().WriteLine(key + " = " + value, settings.secrets);
  }
}
