#include "settings/keys.h"

#include "settings/text.h"

namespace {

const unsigned kFileAndCommandLine = kInFiles | kCopiedFromCommandLine;
const unsigned kVariantFromCommandLine = kInFiles | kWithStartKeyVariant | kCopiedFromCommandLine;
const unsigned kVariant = kInFiles | kWithStartKeyVariant;
const unsigned kSwitch = kCopiedFromCommandLine | kOnlyOnCommandLine;

bool HasLowerCaseLetter(const std::string& text) {
  return text.find_first_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos;
}

}  // namespace

using namespace keyname;

// The copied keys in the order they are copied.
const std::vector<KeyEntry> kKeys = {
    {kStart, kFileAndCommandLine, "QV", false},
    {kClasspathDefault, kVariantFromCommandLine, nullptr, false},
    {kClasspathHelp, kVariantFromCommandLine, nullptr, false},
    {kClasspathExtra, kVariantFromCommandLine, nullptr, false},
    {kClasspathPrepend32, kVariantFromCommandLine, nullptr, false},
    {kClasspathPrepend64, kVariantFromCommandLine, nullptr, false},
    {kKeep, kFileAndCommandLine, "false", false},
    {kKeepAndKill, kFileAndCommandLine, "false", false},
    {kService, kSwitch, "false", false},
    {kIgnoreMaintenance, kSwitch, "false", false},
    {kClientName, kFileAndCommandLine, nullptr, false},
    {kAutologinUser, kFileAndCommandLine, nullptr, false},
    {kAutologinPassword, kFileAndCommandLine, nullptr, false},
    {kServiceVersion, kFileAndCommandLine, nullptr, false},
    {kJava, kFileAndCommandLine, nullptr, false},
    {kJava64, kFileAndCommandLine, nullptr, false},
    {kJavaOutput, kVariantFromCommandLine, nullptr, false},
    {kJavaWatch, kVariantFromCommandLine, nullptr, false},
    {kClassArchive, kVariantFromCommandLine, nullptr, false},
    {kMemoryMaximum, kVariant, "256M", false},
    {kMemoryInitial, kVariant, "32M", false},
    {kMinHeapFreeRatio, kVariant, nullptr, false},
    {kMaxHeapFreeRatio, kVariant, nullptr, false},
    {kJvmParameter, kVariant, nullptr, false},
    {kSwingNoXp, kInFiles, "false", false},
    {kDirect3D, kVariant, "true", false},
    {kSplash, kInFiles, nullptr, false},
    {kNoSplash, kInFiles, nullptr, false},
    {kChangeDirectory, kOnlyOnCommandLine, nullptr, false},
    {kShowDirectory, kOnlyOnCommandLine, nullptr, false},
    {kCheck, kOnlyOnCommandLine, nullptr, false},
    {kCustomFile, kOnlyOnCommandLine, nullptr, false},
    {kRead, kOnlyOnCommandLine, nullptr, false},
    {kReadApp, kOnlyOnCommandLine, nullptr, false},
    {kJvmParameterFamily, kVariant, nullptr, true},
    {kKivPropertyFamily, kFileAndCommandLine, nullptr, true},
    {"java64.host.", kInFiles, nullptr, true},
    {"java.host.", kInFiles, nullptr, true},
};

// A family takes only names with something after the prefix.
const KeyEntry* FindKey(const std::string& name) {
  for (const KeyEntry& entry : kKeys) {
    if (entry.family ? StartsWith(name, entry.name) && name != entry.name : name == entry.name) {
      return &entry;
    }
  }
  return nullptr;
}

bool IsKeyIn(const std::string& key, unsigned places) {
  const KeyEntry* entry = FindKey(key);
  return entry && (entry->places & places) != 0;
}

bool SplitStartKeyPrefix(const std::string& key, std::string* prefix, std::string* rest) {
  size_t dot = key.find('.');
  if (dot == std::string::npos || dot == 0 || HasLowerCaseLetter(key.substr(0, dot))) return false;
  *prefix = key.substr(0, dot);
  *rest = key.substr(dot + 1);
  return true;
}

bool IsKnownFileKey(const std::string& key) {
  if (IsKeyIn(key, kInFiles) || !HasLowerCaseLetter(key)) return true;
  std::string prefix, rest;
  return SplitStartKeyPrefix(key, &prefix, &rest) && IsKeyIn(rest, kWithStartKeyVariant);
}

std::string KeyMeantInOtherCase(const std::string& key, const std::string& startKey) {
  std::string upper = ToUpper(key);
  for (const KeyEntry& entry : kKeys) {
    if (!entry.family && key != entry.name && key != startKey && upper == ToUpper(entry.name)) {
      return entry.name;
    }
  }
  return std::string();
}
