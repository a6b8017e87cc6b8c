#include "diagnosis/sections.h"
#include "settings/keys.h"
#include "report/launch_log.h"

namespace {

std::string Parenthesised(const std::string& origin) {
  return origin.empty() ? origin : " (" + origin + ")";
}

const Assignment* LastAssignment(const Settings& settings, const std::string& key) {
  auto it = settings.history.find(key);
  return it == settings.history.end() || it->second.empty() ? nullptr : &it->second.back();
}

void LogReplacedValues(const Settings& settings, const std::string& key) {
  auto it = settings.history.find(key);
  if (it == settings.history.end()) return;
  const std::vector<Assignment>& values = it->second;
  for (size_t i = 0; i + 1 < values.size(); ++i) {
    Log().WriteLine("  ersetzt: " + values[i].value + Parenthesised(values[i].origin));
  }
}

// The start-key variant always wins, even over a plain key that a later
// file set: the rule that surprises administrators most.
void ReviewVariant(const Settings& settings, const std::string& startKey, const std::string& key,
                   Findings& findings) {
  std::string variant = startKey + "." + key;
  if (!TakesStartKeyVariant(key) || settings.Get(variant).empty()) return;
  Log().WriteLine("  gilt nicht f\xFCr K\xFCrzel " + startKey + ": " + variant + " hat Vorrang");
  const Assignment* plain = LastAssignment(settings, key);
  const Assignment* winner = LastAssignment(settings, variant);
  if (!plain || !winner || plain->order < winner->order) return;
  Warn(findings, variant + OriginOf(settings, variant) + " hat Vorrang vor " + key +
                     OriginOf(settings, key) +
                     ", obwohl dieser Wert sp\xE4ter gelesen wurde: die K\xFCrzel-Variante gilt "
                     "immer");
}

}  // namespace

void LogSubsection(const std::string& title) {
  Log().EndLine();
  Log().WriteLine("=== " + title + " ===");
}

void ReviewSettingOrigins(const Settings& settings, const std::string& startKey,
                          Findings& findings) {
  LogSubsection("Einstellungen und ihre Herkunft");
  for (const auto& [key, value] : settings.entries) {
    Log().WriteLine(key + " = " + value + OriginOf(settings, key));
    LogReplacedValues(settings, key);
    ReviewVariant(settings, startKey, key, findings);
  }
}
