#include "settings/start_key.h"

#include "report/launch_log.h"
#include "report/password_mask.h"
#include "settings/keys.h"
#include "settings/text.h"

namespace {

// In a read group "+++" stands for a blank, so a blank in the password and
// the blank before a further option look alike: all of the group after the
// password marker counts as the password.
std::string PasswordToTheEnd(const std::string& group) {
  size_t hit = group.find(kPasswordMarker);
  if (hit == std::string::npos) return std::string();
  return group.substr(hit + std::char_traits<char>::length(kPasswordMarker));
}

}  // namespace

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
  RememberPassword(PasswordToTheEnd(decoded));
  Log().WriteLine("ADDITIONAL escpd LINE: " + escaped);
  Log().WriteLine("ADDITIONAL PARAMETERS:" + decoded);
  return decoded;
}
