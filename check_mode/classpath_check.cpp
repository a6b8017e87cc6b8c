#include "check_mode/classpath_check.h"

#include <algorithm>

#include "jvm/class_search.h"
#include "jvm/java_attempt.h"
#include "jvm/launch_findings.h"
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

const size_t kNamedPlaces = 5;

// Else a finding on the command line says what Java gets instead.
bool ReadAsMeant(const JavaAttempt& attempt) {
  for (const LaunchFinding& finding : attempt.launchFindings) {
    if (!finding.aboutHeap && finding.severity != LaunchFinding::kWarning) return false;
  }
  return true;
}

std::string Listed(const std::vector<std::string>& places) {
  std::string text;
  for (size_t i = 0; i < places.size() && i < kNamedPlaces; ++i) {
    text.append(i ? ", " : "").append(places[i]);
  }
  if (places.size() > kNamedPlaces) {
    text += Concat({" und ", std::to_string(places.size() - kNamedPlaces), " weitere"});
  }
  return text;
}

// Java ends at once without its main class, and javaw shows nobody why. A
// jar Java cannot read is the cause when nothing else could hold the class.
void ReviewMainClass(const CheckRun& check, Findings& findings) {
  const JavaAttempt* first = nullptr;
  for (const JavaAttempt& attempt : check.plan->attempts) {
    if (!first && HasJavaFolder(attempt) && ReadAsMeant(attempt)) first = &attempt;
  }
  if (!first) return;
  JavaApplication application = ReadJavaApplication(first->commandLine);
  const std::string& name = application.mainClass;
  if (name.empty()) {
    Log().WriteLine(
        "Hauptklasse: die Kommandozeile nennt keine sicher (etwa mit -jar, --module oder "
        "@DATEI), sie wird nicht gesucht");
    return;
  }
  ClassSearch search = SearchClass(application.classpath, name);
  bool cause = search.foundIn.empty() && search.unread.empty();
  for (const std::string& jar : search.damaged) {
    (cause ? Fail : Warn)(findings, Concat({jar, ", Java kann die Datei nicht lesen",
                                            cause ? "; die Hauptklasse " : "", cause ? name : "",
                                            cause ? " steht in keinem anderen Eintrag" : ""}));
  }
  if (!search.foundIn.empty()) {
    Log().WriteLine(Concat({"Hauptklasse ", name, ": in ", search.foundIn}));
  } else if (search.unread.size() == search.searched.size()) {
    // Nothing could be read: the entries above say why.
  } else if (!search.unread.empty()) {
    Warn(findings, Concat({"Die Hauptklasse ", name,
                           " steht in keinem lesbaren Eintrag des Klassenpfads, nicht gelesen: ",
                           Listed(search.unread)}));
  } else if (search.damaged.empty()) {
    Fail(findings, Concat({"Die Hauptklasse ", name, " steht in keinem der ",
                           std::to_string(search.searched.size()),
                           " Eintr\344ge des Klassenpfads: ", Listed(search.searched)}));
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
  ReviewMainClass(check, findings);
}
