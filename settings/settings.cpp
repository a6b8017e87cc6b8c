#include "settings/settings.h"

#include <algorithm>

#include "report/launch_log.h"
#include "report/redactor.h"
#include "settings/keys.h"
#include "settings/text.h"

using namespace std::string_view_literals;
std::string Settings::Get(const std::string& key) const {
  auto it = entries.find(key);
  return it == entries.end() ? std::string() : it->second;
}

bool Settings::IsTrue(const std::string& key) const { return Get(key) == "true"; }

void Settings::Set(const std::string& key, const std::string& value, const std::string& origin) {
  entries[key] = value;
  bool known = std::find(secrets.begin(), secrets.end(), value) != secrets.end();
  if (IsPasswordKey(key) && !known) secrets.push_back(value);
  if (keepsHistory) {
    history[key].push_back({value, origin, ++assignmentCount});
  } else if (IsKnownFileKey(key) || key.find('.') == std::string::npos ||
             !KeyMeantInOtherCase(key, "").empty()) {
    // A key without a dot may be the start key's entry in another case; a
    // known key's in another case is named when the run fails.
    history[key] = {{value, origin, ++assignmentCount}};
  }
}

std::string OriginOf(const Settings& settings, const std::string& key) {
  auto it = settings.history.find(key);
  if (it == settings.history.end() || it->second.empty() || it->second.back().origin.empty()) {
    return std::string();
  }
  return " (" + it->second.back().origin + ")";
}

std::string Settings::GetForStartKey(const std::string& key) const {
  return Get(KeyForStartKey(key));
}

std::string Settings::KeyForStartKey(const std::string& key) const {
  std::string variant = StartKey(*this) + "." + key;
  return Get(variant).empty() ? key : variant;
}

std::string StartKey(const Settings& settings) { return ToUpper(settings.Get(keyname::kStart)); }

Settings InitialSettings(bool keepsHistory) {
  Settings settings;
  settings.keepsHistory = keepsHistory;
  for (const KeyEntry& entry : kKeys) {
    if (entry.defaultValue) settings.Set(entry.name, entry.defaultValue, kDefaultOrigin);
  }
  return settings;
}

RunEnd CheckStartKey(const Settings& settings, const std::string& startKey) {
  if (!settings.Get(startKey).empty()) return std::nullopt;
  std::string text =
      "Der StartParameter: " + startKey + " wurde in der launch.properties nicht gefunden!\n";
  for (const auto& [key, value] : settings.entries) {
    if (ToUpper(key) != startKey) continue;
    text += "gemeint ist wohl " + startKey + OriginOf(settings, key) + ": dort steht " + key +
            ", das K\374rzel muss gro\337 geschrieben sein.\n";
  }
  return FailedRun(text);
}

std::string WithMisspeltKeys(const std::string& report, const Settings& settings) {
  std::string hints, startKey = StartKey(settings);
  for (const auto& [key, values] : settings.history) {
    std::string meant = KeyMeantInOtherCase(key, startKey);
    if (meant.empty()) continue;
    hints += Concat({"\ngemeint ist wohl "sv, meant, ": "sv, key, " ("sv, values.back().origin,
                     ")"sv, " wird vom Launcher nicht gelesen"sv});
  }
  size_t firstLine = std::min(report.find('\n'), report.size());
  return std::string(report).insert(firstLine, hints);
}

void LogAllSettings(const Settings& settings) {
  Log().Banner("Liste aller Einstellungen");
  for (const auto& [key, value] : settings.entries) {
    if (!StartsWith(key, "Dautologin.")) Log().WriteLine(key + " = " + value, &settings.secrets);
  }
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
  Log().WriteLine("ADDITIONAL escpd LINE: " + escaped, &parameters.secrets);
  Log().WriteLine("ADDITIONAL PARAMETERS:" + decoded, &parameters.secrets);
  return decoded;
}
