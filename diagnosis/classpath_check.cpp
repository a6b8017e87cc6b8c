#include "checks/distributed_installation.h"
#include "diagnosis/sections.h"
#include "jvm/java_command_line.h"
#include "jvm/jvm_parameters.h"
#include "platform/platform.h"
#include "report/launch_log.h"
#include "settings/keys.h"
#include "settings/text.h"

namespace {

// Java reads "folder\*" as every jar in the folder.
bool EntryExists(const std::string& entry) {
  if (entry == "*") return true;
  size_t size = entry.size();
  if (size >= 2 && entry[size - 1] == '*' && (entry[size - 2] == '\\' || entry[size - 2] == '/')) {
    return IsDirectory(entry.substr(0, size - 2));
  }
  return platform::FileCanBeOpened(entry) || IsDirectory(entry);
}

void ReviewEntries(const Settings& settings, const std::string& key, const std::string& value,
                   Findings& findings) {
  std::string shownKey = settings.KeyForStartKey(key);
  for (const std::string& piece : SplitString(value, ';')) {
    std::string entry = Trim(piece);
    if (entry.empty()) continue;
    if (EntryExists(entry)) {
      Log().WriteLine(shownKey + ": " + entry + " ist vorhanden");
    } else {
      Warn(findings, shownKey + ": " + entry + " fehlt");
    }
  }
}

}  // namespace

void ReviewClasspath(const CheckRun& check, Findings& findings) {
  LogSubsection("Klassenpfad, vom Arbeitsverzeichnis aus");
  const Settings& settings = check.plan->settings;
  const Classpath& classpath = check.plan->inputs.classpath;
  ReviewEntries(settings, keyname::kClasspathDefault, classpath.classpathDefault, findings);
  ReviewEntries(settings, keyname::kClasspathHelp, classpath.classpathHelp, findings);
  ReviewEntries(settings, keyname::kClasspathExtra, classpath.classpathExtra, findings);
}
