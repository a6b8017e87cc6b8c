#pragma once

#include <map>
#include <string>

// The ordered key/value store every decision reads. Keys sort byte-wise as
// unsigned values; an absent key reads as the empty text.
struct Settings {
  std::map<std::string, std::string> entries;

  std::string Get(const std::string& key) const;
  bool IsTrue(const std::string& key) const;
  void Set(const std::string& key, const std::string& value);
  // A variant for the start key (START.key) wins over the plain key.
  std::string GetForStartKey(const std::string& key) const;
};

// The parsed command line is a store of the same kind.
using CommandLineParameters = Settings;

Settings InitialSettings();
