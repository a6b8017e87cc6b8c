#include "check_mode/classpath_check.h"

#include <algorithm>

#include "jvm/class_search.h"
#include "jvm/java_attempt.h"
#include "jvm/launch_findings.h"
#include "platform/platform.h"
#include "report/launch_log.h"
#include "settings/keys.h"
#include "settings/text.h"

using namespace std::string_view_literals;
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

void CollectEntries(const std::string& key, const std::string& value, std::vector<Entry>& entries) {
  for (const std::string& piece : SplitString(value, ';')) {
    std::string entry = Trim(piece);
    if (!entry.empty()) entries.push_back({key, entry, EntryExists(entry)});
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
  return places.size() > kNamedPlaces ? text + ", ..." : text;
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
    Log().WriteLine("Hauptklasse: nicht gesucht (-jar, --module oder @DATEI)");
    return;
  }
  ClassSearch search = SearchClass(application.classpath, name);
  bool cause = search.foundIn.empty() && search.unread.empty();
  std::string alone =
      cause ? Concat({". Die Hauptklasse "sv, name, " steht in keinem anderen Eintrag"sv}) : "";
  for (const std::string& jar : search.damaged) (cause ? Fail : Warn)(findings, jar + alone);
  if (!search.foundIn.empty()) {
    Log().WriteLine(Concat({"Die Hauptklasse "sv, name, " steht in "sv, search.foundIn}));
  } else if (search.unread.size() == search.searched.size()) {
    // Nothing could be read: the entries above say why.
  } else if (!search.unread.empty()) {
    Warn(findings,
         Concat({"Die Hauptklasse "sv, name, " steht in keinem lesbaren Eintrag, nicht gelesen: "sv,
                 Listed(search.unread)}));
  } else if (search.damaged.empty()) {
    Fail(findings, Concat({"Die Hauptklasse "sv, name, " steht in keinem der "sv,
                           std::to_string(search.searched.size()), " Eintr\344ge: "sv,
                           Listed(search.searched)}));
  }
}

}  // namespace

void ReviewClasspath(const CheckRun& check, Findings& findings) {
  LogSubsection("Klassenpfad, vom Arbeitsverzeichnis aus");
  const Settings& settings = check.plan->settings;
  const Classpath& classpath = check.plan->inputs.classpath;
  const std::string* values[] = {&classpath.classpathDefault, &classpath.classpathHelp,
                                 &classpath.classpathExtra};
  const char* keys[] = {keyname::kClasspathDefault, keyname::kClasspathHelp,
                        keyname::kClasspathExtra};
  std::vector<Entry> entries;
  for (int i = 0; i < 3; ++i) CollectEntries(settings.KeyForStartKey(keys[i]), *values[i], entries);
  // Java may start with one of several jars missing, never without any.
  bool noneExists = true;
  for (const Entry& entry : entries) noneExists = noneExists && !entry.exists;
  for (const Entry& entry : entries) {
    if (entry.exists) {
      Log().WriteLine(Concat({entry.key, ": "sv, entry.path, " ist vorhanden"sv}));
      continue;
    }
    // lib\*.jar reaches Java as a name with a star, which it never expands.
    bool star = entry.path.find('*') != std::string::npos;
    (noneExists ? Fail : Warn)(
        findings, Concat({entry.key, ": "sv, entry.path, " fehlt"sv,
                          star ? ": Java erweitert nur ORDNER\\* zu allen Jars des Ordners, kein "
                                 "anderes Muster"sv
                               : ""sv}));
  }
  ReviewMainClass(check, findings);
}
