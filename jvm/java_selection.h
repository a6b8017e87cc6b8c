#pragma once

#include <string>
#include <vector>

#include "settings/settings.h"

struct JavaChoice {
  // The key whose value was taken, and that value.
  std::string key;
  std::string home;
  // Every host pattern key of this bit width, and those that match.
  std::vector<std::string> hostKeys;
  std::vector<std::string> matchingKeys;
  // The computer name the chosen host key matched; without one, the first.
  std::string computerName;
};

// The last java64.host.PATTERN (java.host.PATTERN) in key order that matches
// one of the upper-cased names, tried in their order, else java64 (java).
JavaChoice ChooseJavaHome(bool is64Bit, const Settings& settings,
                          const std::vector<std::string>& computerNames);

// Upper-cased: the NetBIOS name, which patterns have always been matched
// against, then the full name where it is longer.
std::vector<std::string> ReadComputerNames();

// "64" or "32", and with its unit, "64 Bit" or "32 Bit".
std::string BitWidth(bool is64Bit);
std::string BitsText(bool is64Bit);

// Whether this computer gets a 64-bit attempt before the 32-bit one.
bool AttemptsJava64();

// Whether text from position j on matches pattern from position i on;
// "*" matches any run of characters, "?" exactly one.
bool MatchWildcard(const std::string& pattern, const std::string& text, size_t i, size_t j);
