#include "diagnosis/known_keys.h"

#include <algorithm>
#include <vector>

#include "settings/command_line_keys.h"
#include "settings/text.h"

namespace {

const char* const kVariantKeys[] = {
    "classpath.default",   "classpath.help",        "classpath.extra",  "classpath.prepend32",
    "classpath.prepend64", "sun.java2d.d3d",        "MinHeapFreeRatio", "MaxHeapFreeRatio",
    "memory.initial",      "memory.maximum",        "jvm.parameter",    "launcher.java_output",
    "launcher.java_watch", "launcher.class_archive"};
const char* const kPlainFileKeys[] = {
    "start",    "swing.noxp",      "Dclientname",    "splash",
    "nosplash", "Dautologin.user", "Dautologin.pwd", "DKivLaunchService.version",
    "java",     "java64",          "launcher.keep",  "launcher.keep_and_kill"};
const char* const kCommandLineOnlyKeys[] = {"launcher.cwd",
                                            "launcher.show_dir",
                                            "launcher.service",
                                            "launcher.ignore_inwartung",
                                            "launcher.check",
                                            "custom",
                                            "read",
                                            "read_app"};
// Read from the command line besides the copied keys.
const char* const kFilePatternPrefixes[] = {"jvm.parameter.", "Dkiv.", "java64.host.",
                                            "java.host."};

template <size_t N>
bool IsListed(const char* const (&list)[N], const std::string& key) {
  return std::find(std::begin(list), std::end(list), key) != std::end(list);
}

bool HasLowerCaseLetter(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

bool IsPlainFileKey(const std::string& key) {
  if (IsListed(kVariantKeys, key) || IsListed(kPlainFileKeys, key)) return true;
  for (const char* prefix : kFilePatternPrefixes) {
    if (StartsWith(key, prefix) && key.size() > std::string(prefix).size()) return true;
  }
  return false;
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

bool TakesStartKeyVariant(const std::string& key) {
  return IsListed(kVariantKeys, key) || StartsWith(key, "jvm.parameter.");
}

bool IsKnownFileKey(const std::string& key) {
  if (IsPlainFileKey(key) || !HasLowerCaseLetter(key)) return true;
  std::string prefix, rest;
  return SplitStartKeyPrefix(key, &prefix, &rest) && TakesStartKeyVariant(rest);
}

bool IsCommandLineOnlyKey(const std::string& key) { return IsListed(kCommandLineOnlyKeys, key); }

bool IsKnownCommandLineKey(const std::string& key) {
  const std::vector<std::string>& copied = CopiedCommandLineKeys();
  return std::find(copied.begin(), copied.end(), key) != copied.end() ||
         IsCommandLineOnlyKey(key) || StartsWith(key, "Dkiv.");
}

std::string ClosestKnownKey(const std::string& key) {
  std::string closest;
  size_t best = 3;
  auto consider = [&](const char* known) {
    size_t distance = EditDistance(key, known);
    if (distance < best) best = distance, closest = known;
  };
  for (const char* known : kVariantKeys) consider(known);
  for (const char* known : kPlainFileKeys) consider(known);
  for (const char* known : kCommandLineOnlyKeys) consider(known);
  return closest;
}
