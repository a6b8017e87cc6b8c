#include "check_mode/classpath_check.h"

#include <algorithm>

#include "jvm/java_attempt.h"
#include "platform/platform.h"
#include "report/launch_log.h"
#include "settings/keys.h"
#include "settings/text.h"

namespace {

// Java reads "folder\*" as every jar in the folder.
bool EntryExists(const std::string& entry) {
  if (entry == "*") return true;
  if (EndsWith(entry, "\\*") || EndsWith(entry, "/*")) {
    return platform::IsDirectory(entry.substr(0, entry.size() - 2));
  }
  return platform::FileCanBeOpened(entry) || platform::IsDirectory(entry);
}

struct Entry {
  std::string key;
  std::string path;
  bool exists;
};

void CollectEntries(const Settings& settings, const std::string& key, const std::string& value,
                    std::vector<Entry>& entries) {
  for (const std::string& piece : SplitString(value, ';')) {
    std::string entry = Trim(piece);
    if (!entry.empty())
      entries.push_back({settings.KeyForStartKey(key), entry, EntryExists(entry)});
  }
}

}  // namespace

void ReviewClasspath(const CheckRun& check, Findings& findings) {
  LogSubsection("Klassenpfad, vom Arbeitsverzeichnis aus");
  const Settings& settings = check.plan->settings;
  const Classpath& classpath = check.plan->inputs.classpath;
  std::vector<Entry> entries;
  CollectEntries(settings, keyname::kClasspathDefault, classpath.classpathDefault, entries);
  CollectEntries(settings, keyname::kClasspathHelp, classpath.classpathHelp, entries);
  CollectEntries(settings, keyname::kClasspathExtra, classpath.classpathExtra, entries);
  // Java may start with one of several jars missing, never without any.
  bool noneExists =
      std::none_of(entries.begin(), entries.end(), [](const Entry& e) { return e.exists; });
  for (const Entry& entry : entries) {
    std::string text = entry.key + ": " + entry.path;
    if (entry.exists) {
      Log().WriteLine(text + " ist vorhanden");
      continue;
    }
    // lib\*.jar reaches Java as a name with a star, which it never expands.
    text +=
        entry.path.find('*') == std::string::npos
            ? " fehlt"
            : " fehlt: Java erweitert nur ORDNER\\* zu allen Jars des Ordners, kein anderes Muster";
    (noneExists ? Fail : Warn)(findings, text);
  }
}
