#include "jvm/java_selection.h"

#include "platform/platform.h"
#include "settings/keys.h"
#include "settings/text.h"

std::vector<std::string> ReadComputerNames() {
  std::vector<std::string> names = {ToUpper(platform::ComputerName())};
  std::string full = ToUpper(platform::DnsHostName());
  if (!full.empty() && full != names[0]) names.push_back(full);
  return names;
}

bool AttemptsJava64() { return platform::RunsUnderWow64() && !platform::IsOlderThanWindows7(); }

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
  return pattern.find_first_not_of('*', i) == std::string::npos;
}

JavaChoice ChooseJavaHome(bool is64Bit, const Settings& settings,
                          const std::vector<std::string>& computerNames) {
  JavaChoice choice;
  choice.key = is64Bit ? keyname::kJava64 : keyname::kJava;
  choice.home = settings.Get(choice.key);
  choice.computerName = computerNames.front();
  std::string prefix = choice.key + ".host.";
  for (const auto& [entryKey, entryValue] : settings.entries) {
    if (!StartsWith(entryKey, prefix)) continue;
    choice.hostKeys.push_back(entryKey);
    for (const std::string& name : computerNames) {
      if (!MatchWildcard(ToUpper(entryKey.substr(prefix.size())), name, 0, 0)) continue;
      choice.matchingKeys.push_back(entryKey);
      choice.key = entryKey;
      choice.home = entryValue;
      choice.computerName = name;
      break;
    }
  }
  return choice;
}

std::string BitWidth(bool is64Bit) { return is64Bit ? "64" : "32"; }

std::string BitsText(bool is64Bit) { return BitWidth(is64Bit) + " Bit"; }
