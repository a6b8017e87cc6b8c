#include "check_mode/unknown_keys.h"

#include <algorithm>

#include "report/launch_log.h"
#include "settings/keys.h"
#include "settings/text.h"

namespace {
size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// " (file, Zeile n)" of the first value a file gave the key, empty when none did.
std::string FileOrigin(const std::vector<Assignment>& values) {
  auto file = std::find_if(values.begin(), values.end(), [](const Assignment& value) {
    return !value.origin.empty() && value.origin != kDefaultOrigin &&
           value.origin != kCommandLineOrigin;
  });
  return file == values.end() ? std::string() : " (" + file->origin + ")";
}

// Written as the key would be given: dash is "-" for a command-line parameter.
std::string Suggestion(const std::string& key, const std::string& dash) {
  std::string prefix, rest;
  std::string closest = SplitStartKeyPrefix(key, &prefix, &rest)
                            ? prefix + "." + ClosestKnownKey(rest)
                            : ClosestKnownKey(key);
  if (closest.empty() || closest.back() == '.') return std::string();
  return ", gemeint ist wohl " + dash + closest;
}

// "qv.memory.maximum": the variant is only read under the upper-case start key.
std::string LowerCasePrefixHint(const std::string& key) {
  size_t dot = key.find('.');
  if (dot == std::string::npos || !IsKeyIn(key.substr(dot + 1), kWithStartKeyVariant))
    return std::string();
  return ", das K\374rzel muss gro\337 geschrieben sein: " + ToUpper(key.substr(0, dot)) +
         key.substr(dot);
}

// meant: the key the launcher reads that this one is in another case.
void ReviewFileKey(const std::string& key, const std::string& origin, const std::string& meant,
                   Findings& findings) {
  if (IsKeyIn(key, kOnlyOnCommandLine)) {
    Warn(findings, key + origin + " wirkt nur auf der Kommandozeile");
  } else if (!IsKnownFileKey(key) || !meant.empty()) {
    std::string hint = meant.empty() ? LowerCasePrefixHint(key) : ", gemeint ist wohl " + meant;
    Warn(findings, key + origin + " wird vom Launcher nicht gelesen" +
                       (hint.empty() ? Suggestion(key, "") : hint));
  }
}

void ReviewParameter(const std::string& key, Findings& findings) {
  if (IsKeyIn(key, kCopiedFromCommandLine | kOnlyOnCommandLine)) return;
  Warn(findings, "Kommandozeilenparameter -" + key +
                     (IsKnownFileKey(key) ? " wird nur in den properties-Dateien gelesen, nicht "
                                            "auf der Kommandozeile"
                                          : " ist dem Launcher unbekannt" + Suggestion(key, "-")));
}

}  // namespace

void ReviewUnknownKeys(const CheckRun& check, Findings& findings) {
  LogSubsection("Unbekannte Schl\374ssel und Parameter");
  int before = findings.warnings;
  for (const auto& [key, values] : check.plan->settings.history) {
    std::string origin = FileOrigin(values);
    if (origin.empty()) continue;
    ReviewFileKey(key, origin, KeyMeantInOtherCase(key, check.plan->inputs.startKey), findings);
  }
  for (const auto& entry : check.plan->parameters.entries) ReviewParameter(entry.first, findings);
  if (findings.warnings == before) Log().WriteLine("Keine");
}

std::string ClosestKnownKey(const std::string& key) {
  std::string closest;
  size_t best = 3;
  for (const KeyEntry& entry : kKeys) {
    size_t distance = entry.family ? best : EditDistance(key, entry.name);
    if (distance < best) closest = entry.name;
    best = std::min(best, distance);
  }
  return closest;
}
