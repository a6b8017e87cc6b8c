#include "settings/start_key.h"

#include "report/launch_log.h"
#include "report/redactor.h"
#include "settings/keys.h"
#include "settings/text.h"

RunEnd CheckStartKey(const Settings& settings, const std::string& startKey) {
  if (!settings.Get(startKey).empty()) return std::nullopt;
  std::string text =
      "Der StartParameter: " + startKey + " wurde in der launch.properties nicht gefunden!\n";
  for (const auto& [key, value] : settings.entries) {
    if (ToUpper(key) != startKey) continue;
    text += "gemeint ist wohl " + startKey + OriginOf(settings, key) + ": dort steht " + key +
            ", das K\xFCrzel muss gro\xDF geschrieben sein.\n";
  }
  return FailedRun(text);
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

std::vector<std::string> RunSecrets(const CommandLineParameters& parameters,
                                    const Settings& settings) {
  std::vector<std::string> secrets = parameters.secrets;
  secrets.insert(secrets.end(), settings.secrets.begin(), settings.secrets.end());
  for (const char* group : {keyname::kRead, keyname::kReadApp}) {
    std::string escaped = parameters.Get(group);
    secrets.push_back(AfterPasswordOption(escaped));
    secrets.push_back(AfterPasswordOption(ReplaceWithBlank(escaped, "+++")));
  }
  return secrets;
}
