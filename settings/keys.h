#pragma once

#include <string>
#include <vector>

// Every key the launcher reads, once: where it may stand and what it starts
// as. The command line's copy list, the defaults and check mode's knowledge
// of keys are derived from here.

namespace keyname {
inline constexpr char kStart[] = "start";
inline constexpr char kJava[] = "java";
inline constexpr char kJava64[] = "java64";
inline constexpr char kMemoryInitial[] = "memory.initial";
inline constexpr char kMemoryMaximum[] = "memory.maximum";
inline constexpr char kMinHeapFreeRatio[] = "MinHeapFreeRatio";
inline constexpr char kMaxHeapFreeRatio[] = "MaxHeapFreeRatio";
inline constexpr char kClasspathDefault[] = "classpath.default";
inline constexpr char kClasspathHelp[] = "classpath.help";
inline constexpr char kClasspathExtra[] = "classpath.extra";
inline constexpr char kClasspathPrepend32[] = "classpath.prepend32";
inline constexpr char kClasspathPrepend64[] = "classpath.prepend64";
inline constexpr char kJvmParameter[] = "jvm.parameter";
inline constexpr char kClientName[] = "Dclientname";
inline constexpr char kAutologinUser[] = "Dautologin.user";
inline constexpr char kAutologinPassword[] = "Dautologin.pwd";
inline constexpr char kServiceVersion[] = "DKivLaunchService.version";
inline constexpr char kSplash[] = "splash";
inline constexpr char kNoSplash[] = "nosplash";
inline constexpr char kSwingNoXp[] = "swing.noxp";
inline constexpr char kDirect3D[] = "sun.java2d.d3d";
inline constexpr char kKeep[] = "launcher.keep";
inline constexpr char kKeepAndKill[] = "launcher.keep_and_kill";
inline constexpr char kService[] = "launcher.service";
inline constexpr char kIgnoreMaintenance[] = "launcher.ignore_inwartung";
inline constexpr char kJavaOutput[] = "launcher.java_output";
inline constexpr char kJavaWatch[] = "launcher.java_watch";
inline constexpr char kClassArchive[] = "launcher.class_archive";
inline constexpr char kChangeDirectory[] = "launcher.cwd";
inline constexpr char kShowDirectory[] = "launcher.show_dir";
inline constexpr char kCheck[] = "launcher.check";
inline constexpr char kCustomFile[] = "custom";
inline constexpr char kRead[] = "read";
inline constexpr char kReadApp[] = "read_app";
inline constexpr char kJvmParameterFamily[] = "jvm.parameter.";
inline constexpr char kKivPropertyFamily[] = "Dkiv.";
}  // namespace keyname

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

extern const std::vector<KeyEntry> kKeys;

// The entry of the key, or of the family it belongs to; nullptr for a key
// the launcher does not read.
const KeyEntry* FindKey(const std::string& name);
bool IsKeyIn(const std::string& key, unsigned places);
// Read from the properties files: pattern keys, START.key variants and
// start entries (keys without a lower-case letter) included.
bool IsKnownFileKey(const std::string& key);
// START.key split at its first dot when START has no lower-case letter.
bool SplitStartKeyPrefix(const std::string& key, std::string* prefix, std::string* rest);
// The key the launcher reads that one it does not read differs from only in
// case (Java64, JAVA, Memory.maximum): the key meant. Empty when there is
// none, and for the start key's entry, which JAVA may be.
std::string KeyMeantInOtherCase(const std::string& key, const std::string& startKey);
