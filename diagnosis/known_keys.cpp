#include "diagnosis/known_keys.h"

#include <algorithm>
#include <vector>

#include "settings/keys.h"
#include "settings/text.h"

namespace {

bool IsIn(const std::string& key, unsigned places) {
  const KeyEntry* entry = FindKey(key);
  return entry && (entry->places & places) != 0;
}

bool HasLowerCaseLetter(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

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

}  // namespace

bool SplitStartKeyPrefix(const std::string& key, std::string* prefix, std::string* rest) {
  size_t dot = key.find('.');
  if (dot == std::string::npos || dot == 0 || HasLowerCaseLetter(key.substr(0, dot))) return false;
  *prefix = key.substr(0, dot);
  *rest = key.substr(dot + 1);
  return true;
}

bool TakesStartKeyVariant(const std::string& key) { return IsIn(key, kWithStartKeyVariant); }

bool IsKnownFileKey(const std::string& key) {
  if (IsIn(key, kInFiles) || !HasLowerCaseLetter(key)) return true;
  std::string prefix, rest;
  return SplitStartKeyPrefix(key, &prefix, &rest) && TakesStartKeyVariant(rest);
}

bool IsCommandLineOnlyKey(const std::string& key) { return IsIn(key, kOnlyOnCommandLine); }

bool IsKnownCommandLineKey(const std::string& key) {
  return IsIn(key, kCopiedFromCommandLine | kOnlyOnCommandLine);
}

std::string ClosestKnownKey(const std::string& key) {
  std::string closest;
  size_t best = 3;
  auto consider = [&](const char* known) {
    size_t distance = EditDistance(key, known);
    if (distance < best) best = distance, closest = known;
  };
  for (const KeyEntry& entry : Keys()) {
    if (!entry.family) consider(entry.name);
  }
  return closest;
}
