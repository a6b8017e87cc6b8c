#pragma once

#include <string>
#include <vector>

#include "settings/settings.h"

struct JavaChoice {
  // The key whose value was taken, and that value.
  std::string key;
  std::string home;
  // Every host pattern key of this bit width, in key order, and those
  // whose pattern matches the computer.
  std::vector<std::string> hostKeys;
  std::vector<std::string> matchingKeys;
};

// The Java directory for the upper-cased computer name and bit width: the
// last matching java64.host.PATTERN (or java.host.PATTERN) in key order, else
// java64 (java).
JavaChoice ChooseJavaHome(bool is64Bit, const Settings& settings, const std::string& computerName);

std::string ReadComputerName();

// "64" or "32", and with its unit, "64 Bit" or "32 Bit".
std::string BitWidth(bool is64Bit);
std::string BitsText(bool is64Bit);

// Whether this computer gets a 64-bit attempt before the 32-bit one.
bool AttemptsJava64();

// Whether text from position j on matches pattern from position i on;
// "*" matches any run of characters, "?" exactly one.
bool MatchWildcard(const std::string& pattern, const std::string& text, size_t i, size_t j);
