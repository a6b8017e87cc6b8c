#pragma once

#include <string>
#include <vector>

// Every key the launcher reads, once: where it may stand and what it starts
// as. The command line's copy list, the defaults and check mode's knowledge
// of keys are derived from here, and readers use these names.

namespace keyname {
extern const char kStart[];
extern const char kJava[];
extern const char kJava64[];
extern const char kMemoryInitial[];
extern const char kMemoryMaximum[];
extern const char kMinHeapFreeRatio[];
extern const char kMaxHeapFreeRatio[];
extern const char kClasspathDefault[];
extern const char kClasspathHelp[];
extern const char kClasspathExtra[];
extern const char kClasspathPrepend32[];
extern const char kClasspathPrepend64[];
extern const char kJvmParameter[];
extern const char kClientName[];
extern const char kAutologinUser[];
extern const char kAutologinPassword[];
extern const char kServiceVersion[];
extern const char kSplash[];
extern const char kNoSplash[];
extern const char kSwingNoXp[];
extern const char kDirect3D[];
extern const char kKeep[];
extern const char kKeepAndKill[];
extern const char kService[];
extern const char kIgnoreMaintenance[];
extern const char kJavaOutput[];
extern const char kJavaWatch[];
extern const char kClassArchive[];
extern const char kChangeDirectory[];
extern const char kShowDirectory[];
extern const char kCheck[];
extern const char kCustomFile[];
extern const char kRead[];
extern const char kReadApp[];
// Families: the prefix, and a name after it.
extern const char kJvmParameterFamily[];
extern const char kKivPropertyFamily[];
extern const char kJava64HostFamily[];
extern const char kJavaHostFamily[];
}  // namespace keyname

// Where a key is read.
enum KeyPlaces : unsigned {
  kInFiles = 1,
  // START.key, read for the start key START, wins over key.
  kWithStartKeyVariant = 2,
  // The command line's value is copied over every properties file's.
  kCopiedFromCommandLine = 4,
  // Acts only when given on the command line.
  kOnlyOnCommandLine = 8,
};

struct KeyEntry {
  const char* name;
  unsigned places;
  // Nullptr: the key starts out empty.
  const char* defaultValue;
  // The name is a prefix: a family of keys (jvm.parameter.NAME).
  bool family;
};

const std::vector<KeyEntry>& Keys();

// The entry of the key, or of the family it belongs to; nullptr for a key
// the launcher does not read.
const KeyEntry* FindKey(const std::string& name);

// The keys whose command-line value is copied over every properties file,
// in copying order, families left out.
std::vector<std::string> CopiedCommandLineKeys();
