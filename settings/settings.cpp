#include "settings/settings.h"

#include "settings/text.h"

std::string Settings::Get(const std::string& key) const {
  auto it = entries.find(key);
  return it == entries.end() ? std::string() : it->second;
}

bool Settings::IsTrue(const std::string& key) const { return Get(key) == "true"; }

const char kDefaultOrigin[] = "Voreinstellung";
const char kCommandLineOrigin[] = "Kommandozeile";

void Settings::Set(const std::string& key, const std::string& value, const std::string& origin) {
  entries[key] = value;
  if (keepsHistory) history[key].push_back({value, origin, ++assignmentCount});
}

std::string Settings::GetForStartKey(const std::string& key) const {
  std::string variant = Get(ToUpper(Get("start")) + "." + key);
  return variant.empty() ? Get(key) : variant;
}

Settings InitialSettings(bool keepsHistory) {
  static const char* const kInitial[][2] = {
      {"start", "QV"},
      {"memory.maximum", "256M"},
      {"memory.initial", "32M"},
      {"swing.noxp", "false"},
      {"sun.java2d.d3d", "true"},
      {"launcher.keep", "false"},
      {"launcher.keep_and_kill", "false"},
      {"launcher.service", "false"},
      {"launcher.ignore_inwartung", "false"},
  };
  Settings settings;
  settings.keepsHistory = keepsHistory;
  for (const auto& entry : kInitial) settings.Set(entry[0], entry[1], kDefaultOrigin);
  return settings;
}
