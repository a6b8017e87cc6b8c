#include "diagnosis/known_keys.h"

#include <algorithm>
#include <vector>

#include "settings/keys.h"

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

}  // namespace

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
