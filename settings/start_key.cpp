#include "settings/start_key.h"

#include "report/error_report.h"
#include "report/launch_log.h"
#include "settings/text.h"

std::string StartKey(const Settings& settings) { return ToUpper(settings.Get("start")); }

RunEnd CheckStartKey(const Settings& settings, const std::string& startKey) {
  if (!settings.Get(startKey).empty()) return std::nullopt;
  ReportError("Der StartParameter: " + startKey +
              " wurde in der launch.properties nicht gefunden!\n");
  return kExitFailure;
}

std::string ReadAdditionalParameters(const CommandLineParameters& parameters,
                                     const std::string& name) {
  Log().Banner("Zusatzparameter mit -" + name);
  std::string escaped = parameters.Get(name);
  if (escaped.empty()) {
    Log().WriteLine("NO ADDITIONAL PARAMETERS");
    return std::string();
  }
  std::string decoded = ReplaceWithBlank(escaped, "+++");
  Log().WriteLine("ADDITIONAL escpd LINE: " + escaped);
  Log().WriteLine("ADDITIONAL PARAMETERS:" + decoded);
  return decoded;
}
