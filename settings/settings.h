#pragma once

#include <map>
#include <string>
#include <vector>

#include "report/run_end.h"

// One value a key was given, where it came from ("launch.properties, Zeile
// 7", "Kommandozeile", "Voreinstellung"), and when, counted over the run.
struct Assignment {
  std::string value;
  std::string origin;
  int order = 0;
};

// The ordered key/value store every decision reads. Keys sort byte-wise as
// unsigned values; an absent key reads as the empty text.
struct Settings {
  std::map<std::string, std::string> entries;
  // Every value each key was given, the effective one last, kept in check
  // mode only: a plain run must not grow with the files. It keeps the last
  // of the keys read and those without a dot, for reports to name origins.
  bool keepsHistory = false;
  std::map<std::string, std::vector<Assignment>> history;
  int assignmentCount = 0;
  std::vector<std::string> readFiles;
  // The log's lines about files read converted and comments dropped.
  std::vector<std::string> convertedFiles;
  std::vector<std::string> droppedComments;
  // Every value a password key was given, replaced ones too.
  std::vector<std::string> secrets;

  std::string Get(const std::string& key) const;
  bool IsTrue(const std::string& key) const;
  void Set(const std::string& key, const std::string& value,
           const std::string& origin = std::string());
  // START.key wins over key when set: the value, and the key it is read from.
  std::string GetForStartKey(const std::string& key) const;
  std::string KeyForStartKey(const std::string& key) const;
};

// The parsed command line is a store of the same kind.
using CommandLineParameters = Settings;

// "(launch.properties, Zeile 7)", from the value's last assignment, with a
// blank before it; empty when not known.
std::string OriginOf(const Settings& settings, const std::string& key);

inline constexpr char kDefaultOrigin[] = "Voreinstellung";
inline constexpr char kCommandLineOrigin[] = "Kommandozeile";

Settings InitialSettings(bool keepsHistory = false);

// The upper-cased value of the setting start: the entry that holds the main
// class, and the prefix of the start-key variants. Without that entry the
// run ends.
std::string StartKey(const Settings& settings);
RunEnd CheckStartKey(const Settings& settings, const std::string& startKey);

// The report with a line after its first for each key that the launcher
// does not read but would in another case.
std::string WithMisspeltKeys(const std::string& report, const Settings& settings);

// Every setting as "key = value", the automatic-login keys left out.
void LogAllSettings(const Settings& settings);

// The command-line group "read" or "read_app", "+++" decoded to a blank.
std::string ReadAdditionalParameters(const CommandLineParameters& parameters,
                                     const std::string& name);
