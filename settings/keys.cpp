#include "settings/keys.h"

#include "settings/text.h"

namespace keyname {
const char kStart[] = "start";
const char kJava[] = "java";
const char kJava64[] = "java64";
const char kMemoryInitial[] = "memory.initial";
const char kMemoryMaximum[] = "memory.maximum";
const char kMinHeapFreeRatio[] = "MinHeapFreeRatio";
const char kMaxHeapFreeRatio[] = "MaxHeapFreeRatio";
const char kClasspathDefault[] = "classpath.default";
const char kClasspathHelp[] = "classpath.help";
const char kClasspathExtra[] = "classpath.extra";
const char kClasspathPrepend32[] = "classpath.prepend32";
const char kClasspathPrepend64[] = "classpath.prepend64";
const char kJvmParameter[] = "jvm.parameter";
const char kClientName[] = "Dclientname";
const char kAutologinUser[] = "Dautologin.user";
const char kAutologinPassword[] = "Dautologin.pwd";
const char kServiceVersion[] = "DKivLaunchService.version";
const char kSplash[] = "splash";
const char kNoSplash[] = "nosplash";
const char kSwingNoXp[] = "swing.noxp";
const char kDirect3D[] = "sun.java2d.d3d";
const char kKeep[] = "launcher.keep";
const char kKeepAndKill[] = "launcher.keep_and_kill";
const char kService[] = "launcher.service";
const char kIgnoreMaintenance[] = "launcher.ignore_inwartung";
const char kJavaOutput[] = "launcher.java_output";
const char kJavaWatch[] = "launcher.java_watch";
const char kClassArchive[] = "launcher.class_archive";
const char kChangeDirectory[] = "launcher.cwd";
const char kShowDirectory[] = "launcher.show_dir";
const char kCheck[] = "launcher.check";
const char kCustomFile[] = "custom";
const char kRead[] = "read";
const char kReadApp[] = "read_app";
const char kJvmParameterFamily[] = "jvm.parameter.";
const char kKivPropertyFamily[] = "Dkiv.";
const char kJava64HostFamily[] = "java64.host.";
const char kJavaHostFamily[] = "java.host.";
}  // namespace keyname

namespace {

const unsigned kFileAndCommandLine = kInFiles | kCopiedFromCommandLine;
const unsigned kVariantFromCommandLine = kInFiles | kWithStartKeyVariant | kCopiedFromCommandLine;
const unsigned kVariant = kInFiles | kWithStartKeyVariant;
const unsigned kSwitch = kCopiedFromCommandLine | kOnlyOnCommandLine;

}  // namespace

// The copied keys in the order they are copied.
const std::vector<KeyEntry>& Keys() {
  using namespace keyname;
  static const std::vector<KeyEntry> keys = {
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
      {kJava64HostFamily, kInFiles, nullptr, true},
      {kJavaHostFamily, kInFiles, nullptr, true},
  };
  return keys;
}

// A family takes only names with something after the prefix.
const KeyEntry* FindKey(const std::string& name) {
  for (const KeyEntry& entry : Keys()) {
    bool inFamily = entry.family && StartsWith(name, entry.name) &&
                    name.size() > std::char_traits<char>::length(entry.name);
    if (inFamily || (!entry.family && name == entry.name)) return &entry;
  }
  return nullptr;
}

std::vector<std::string> CopiedCommandLineKeys() {
  std::vector<std::string> copied;
  for (const KeyEntry& entry : Keys()) {
    if (!entry.family && (entry.places & kCopiedFromCommandLine)) copied.push_back(entry.name);
  }
  return copied;
}
