#include "jvm/java_selection.h"

#include "platform/platform.h"
#include "report/launch_log.h"
#include "settings/text.h"

std::string ReadComputerName() { return platform::ComputerName(); }

// Greedy with one back-tracking point, the last star: a later star makes
// every earlier choice final, so the work stays polynomial.
bool MatchWildcard(const std::string& pattern, const std::string& text, size_t i, size_t j) {
  size_t starPattern = std::string::npos;
  size_t starText = 0;
  while (j < text.size()) {
    if (i < pattern.size() && pattern[i] == '*') {
      starPattern = i++;
      starText = j;
    } else if (i < pattern.size() && (pattern[i] == '?' || pattern[i] == text[j])) {
      ++i;
      ++j;
    } else if (starPattern != std::string::npos) {
      i = starPattern + 1;
      j = ++starText;
    } else {
      return false;
    }
  }
  while (i < pattern.size() && pattern[i] == '*') ++i;
  return i >= pattern.size();
}

std::string SelectJavaHome(bool is64Bit, const Settings& settings) {
  std::string name = ToUpper(ReadComputerName());
  Log().Write("Java wird ermittelt f\xFCr Computer \"" + name + "\" mit " +
              (is64Bit ? "64 Bit" : "32 Bit") + ": ");
  std::string key = is64Bit ? "java64" : "java";
  std::string value = settings.Get(key);
  std::string prefix = key + ".host.";
  for (const auto& [entryKey, entryValue] : settings.entries) {
    if (!StartsWith(entryKey, prefix)) continue;
    if (MatchWildcard(ToUpper(entryKey.substr(prefix.size())), name, 0, 0)) {
      key = entryKey;
      value = entryValue;
    }
  }
  Log().WriteLine(key + "=" + value);
  return value;
}
