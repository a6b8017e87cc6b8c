#include "check_mode/setting_origins.h"

#include "report/launch_log.h"
#include "settings/keys.h"

namespace {

std::string Parenthesised(const std::string& origin) {
  return origin.empty() ? origin : " (" + origin + ")";
}

const Assignment* LastAssignment(const Settings& settings, const std::string& key) {
  auto it = settings.history.find(key);
  return it == settings.history.end() || it->second.empty() ? nullptr : &it->second.back();
}

// The start-key variant always wins, even over a plain key that a later
// file set: the rule that surprises administrators most.
void ReviewVariant(const Settings& settings, const std::string& startKey, const std::string& key,
                   Findings& findings) {
  std::string variant = startKey + "." + key;
  if (!IsKeyIn(key, kWithStartKeyVariant) || settings.Get(variant).empty()) return;
  Log().WriteLine("  gilt nicht f\374r K\374rzel " + startKey + ": " + variant + " hat Vorrang");
  const Assignment* plain = LastAssignment(settings, key);
  const Assignment* winner = LastAssignment(settings, variant);
  if (!plain || !winner || plain->order < winner->order) return;
  Warn(findings, variant + Parenthesised(winner->origin) + " hat Vorrang vor " + key +
                     Parenthesised(plain->origin) +
                     ", obwohl dieser Wert sp\344ter gelesen wurde: die K\374rzel-Variante gilt "
                     "immer");
}

}  // namespace

void ReviewSettingOrigins(const Settings& settings, const std::string& startKey,
                          Findings& findings) {
  LogSubsection("Einstellungen und ihre Herkunft");
  for (const auto& [key, value] : settings.entries) {
    auto it = settings.history.find(key);
    size_t count = it == settings.history.end() ? 0 : it->second.size();
    Log().WriteLine(key + " = " + value + (count ? Parenthesised(it->second.back().origin) : ""));
    for (size_t i = 0; i + 1 < count; ++i)
      Log().WriteLine("  ersetzt: " + it->second[i].value + Parenthesised(it->second[i].origin));
    ReviewVariant(settings, startKey, key, findings);
  }
}
