#include "jvm/class_archive.h"

#include <cstdint>

#include "platform/platform.h"
#include "platform/windows_arguments.h"
#include "settings/keys.h"
#include "settings/text.h"

namespace {

// Java 13 to 18 map an archive given, and write one only when asked, at their end.
constexpr int kFirstArchivingJava = 13;
// From 19 on Java creates the archive itself and renews it when it no longer fits.
constexpr int kFirstAutoArchivingJava = 19;
// From 25 on Java trains an AOT cache at its end, which also holds the
// classes linked and the profile: it halves the start, where the dynamic
// archive saves a third. It is written only when asked, and never renewed.
constexpr int kFirstAotJava = 25;
// Also in the name of what Java 25 records before it trains the cache
// (.dump.config), which it keeps when the training fails.
const char kDumpSuffix[] = ".dump";
const char kOwnPrefix[] = "KivLauncher-java";
const char kCutShort[] = "unvollst\344ndig";
constexpr unsigned long long kDaySeconds = 24 * 60 * 60;

// The folder's own separator: the POSIX stand-in's working directory has slashes.
std::string InFolder(const std::string& folder, const std::string& name) {
  bool separated = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
  bool slashes = folder.find('\\') == std::string::npos && folder.find('/') != std::string::npos;
  return folder + (separated ? "" : slashes ? "/" : "\\") + name;
}

std::string ArchiveFolder(const std::string& value) {
  std::string folder = platform::ExpandEnvironmentReferences(value);
  bool absolute = (folder.size() >= 2 && folder[1] == ':') ||
                  (!folder.empty() && (folder[0] == '\\' || folder[0] == '/'));
  return absolute ? folder : InFolder(platform::CurrentDirectory(), folder);
}

std::string HexHash(const std::string& text) {
  uint32_t hash = 2166136261u;
  for (unsigned char c : text) hash = (hash ^ c) * 16777619u;
  std::string digits;
  for (int shift = 28; shift >= 0; shift -= 4) digits += "0123456789abcdef"[(hash >> shift) & 15];
  return digits;
}

// This Java and the class path, whose entries are seen from the working
// directory: two installations get archives of their own.
std::string ArchiveStem(const std::string& javaHome, const JavaRelease& release,
                        const std::string& classpath) {
  std::string identity =
      platform::CurrentDirectory() + "\n" + javaHome + "\n" + release.version + "\n" + classpath;
  return kOwnPrefix + std::to_string(release.feature) + "-" + HexHash(identity);
}

// Blanks in %LOCALAPPDATA% ("C:\Users\Max Muster") must not split it.
std::string PathOption(const char* option, const std::string& path) {
  return " " + platform::QuotedIfBlank(option + path);
}

ArchiveHeader Examine(const std::string& path, unsigned long long* size) {
  std::string start;
  // A file that cannot be read holds no header.
  if (platform::ReadFileStart(path, kArchiveHeaderBytes, &start)) platform::FileSize(path, size);
  return ReadArchiveHeader(start);
}

// Java 13 to 18 write their archive, and Java 25 its AOT cache, at their
// end into a file of this start's own; the first whole one is adopted. On
// Windows the rename fails while Java still holds the file open (the C
// runtime's open shares no deletion). Java writes the header last: a file
// without it is being written or its Java died; one shorter than its header
// declares was cut short and is deleted. Any identity's dump goes a day
// after its last write, another identity's archive 30 days after its last
// use. Returns why a young dump of this identity keeps a start from
// training: a training runs, or failed.
std::string PlanFolder(const std::string& folder, const std::string& stem, ArchiveKind kind,
                       bool adopt, ClassArchive& archive) {
  using Kind = ArchiveStep::Kind;
  std::vector<std::string> names;
  platform::ListDirectory(folder, &names);
  std::string pending;
  for (const std::string& name : names) {
    std::string path = InFolder(folder, name);
    bool ours = StartsWith(name, stem + ".");
    if (!StartsWith(name, kOwnPrefix)) continue;
    if (name.find(kDumpSuffix) == std::string::npos) {
      if (!ours && platform::FileOlderThan(path, 30 * kDaySeconds, true))
        archive.steps.push_back({Kind::kDelete, path, "30 Tage von keinem Start benutzt"});
      continue;
    }
    unsigned long long size = 0;
    ArchiveHeader header = ours ? Examine(path, &size) : ArchiveHeader();
    bool whole = header.Whole(kind, size);
    if (adopt && whole) {
      if (!archive.exists) archive.size = size;
      archive.exists = true;
      archive.steps.push_back({Kind::kAdopt, path});
    } else if (header.kind == kind && !whole) {
      archive.steps.push_back({Kind::kDelete, path, kCutShort});
    } else if (platform::FileOlderThan(path, kDaySeconds)) {
      archive.steps.push_back({Kind::kDelete, path, "vor mehr als einem Tag geschrieben"});
    } else if (ours) {
      pending = path +
                " ist j\374nger als ein Tag: ein Training l\344uft oder ist gescheitert, das "
                "n\344chste folgt, wenn die Datei einen Tag alt ist";
    }
  }
  return pending;
}

// A reference Windows does not expand would become a folder of that name.
std::string UnsetReference(const std::string& value) {
  std::string expanded = platform::ExpandEnvironmentReferences(value);
  size_t open = expanded.find('%'), close = expanded.find('%', open + 1);
  if (open == std::string::npos || close == std::string::npos) return std::string();
  return expanded.substr(open, close + 1 - open) + " ist nicht gesetzt";
}

// Why the start goes on without an archive; empty when it can use the
// folder, or create it in the nearest folder above it that exists.
std::string UsableFolder(const std::string& folder, ClassArchive& archive) {
  if (platform::IsDirectory(folder)) return std::string();
  if (platform::FileCanBeOpened(folder)) return folder + " ist eine Datei, kein Ordner";
  std::string existing = folder;
  while (!existing.empty() && !platform::IsDirectory(existing)) {
    size_t separator = existing.find_last_of("\\/", existing.size() - 2);
    existing.erase(separator == std::string::npos ? 0 : separator + 1);
  }
  if (existing.empty() || !platform::FolderIsWritable(existing)) return CannotCreateFolder(folder);
  archive.steps.push_back({ArchiveStep::Kind::kCreateFolder, folder});
  return std::string();
}

// An old Java refuses unknown -XX options and would not start at all.
std::string UnsuitableJava(const JavaRelease& release) {
  if (release.feature >= kFirstArchivingJava) return std::string();
  if (!release.found) return release.path + " fehlt, die Version von Java ist unbekannt";
  if (release.feature == 0) return release.path + " nennt keine lesbare JAVA_VERSION";
  return "Java " + release.version + " kennt keine Klassenarchive der Anwendung (erst ab Java 13)";
}

}  // namespace

std::string CannotCreateFolder(const std::string& folder) {
  return "der Ordner " + folder + " kann nicht angelegt werden";
}

ArchiveChoice ChooseArchiveOptions(int feature, bool exists, bool writable,
                                   const std::string& archive, const std::string& ownDump) {
  bool aot = feature >= kFirstAotJava;
  const char* file = aot ? "-XX:AOTCache=" : "-XX:SharedArchiveFile=";
  std::string noun = aot ? "AOT-Cache" : "Klassenarchiv";
  if (feature >= kFirstAutoArchivingJava && !aot && writable) {
    return {" -XX:+AutoCreateSharedArchive" + PathOption(file, archive),
            "Java legt das Klassenarchiv " + archive +
                " selbst an und erneuert es, wenn es nicht mehr passt"};
  }
  if (exists) return {PathOption(file, archive), noun + " " + archive + " wird verwendet"};
  if (!writable) return {"", "kein " + noun + ", im Ordner kann nicht geschrieben werden"};
  return {PathOption(aot ? "-XX:AOTCacheOutput=" : "-XX:ArchiveClassesAtExit=", ownDump),
          "Java legt beim Beenden " + std::string(aot ? "den AOT-Cache " : "") + ownDump +
              (aot ? " an (Training)" : " an") + ", ein sp\344terer Start \374bernimmt " +
              (aot ? "ihn" : "es") + " als " + archive +
              (aot ? "; dieser Start trainiert, sein Ende dauert einige Sekunden l\344nger und "
                     "braucht mehr Speicher"
                   : "")};
}

// An update of the application writes its jars anew: Java 25 would map the
// cache without the application's classes and no start would train anew.
bool OutdatedBy(const std::string& file, const std::string& classpath) {
  unsigned long long cache = 0, written = 0;
  if (!platform::LastWriteTime(file, &cache)) return false;
  for (std::string entry : SplitString(classpath, ';')) {
    std::vector<std::string> names = {""};
    if (EndsWith(entry, "*")) {
      entry.pop_back();
      platform::ListDirectory(entry, &names);
    }
    for (const std::string& name : names) {
      if (platform::LastWriteTime(entry + name, &written) && written > cache) return true;
    }
  }
  return false;
}

// Deleted by the start, which goes on without: Java 25 would ignore a cut
// or outdated cache itself, but tell only its standard error, unread under
// javaw, and never train anew.
std::string DamagedArchive(const std::string& file, ArchiveKind kind, const std::string& classpath,
                           ClassArchive& archive) {
  if (!platform::FileCanBeOpened(file)) return std::string();
  unsigned long long size = 0;
  bool whole = Examine(file, &size).Whole(kind, size);
  bool outdated = whole && kind == ArchiveKind::kAotCache && OutdatedBy(file, classpath);
  if (whole && !outdated) return std::string();
  const char* reason = outdated ? "\344lter als der Klassenpfad" : kCutShort;
  archive.steps.push_back({ArchiveStep::Kind::kDelete, file, reason});
  archive.state = outdated ? "passt nicht" : "besch\344digt";
  return file + " ist " + reason + " und wird gel\366scht";
}

// Java 25 trains only from jars: a folder with anything in it makes every
// training fail at Java's end, and a cache trained without it is refused.
std::string ClassFolder(const std::string& classpath) {
  for (const std::string& entry : SplitString(classpath, ';')) {
    std::vector<std::string> names;
    // An empty entry would list the drive's root folder.
    if (entry.empty() || !platform::ListDirectory(entry, &names) || names.empty()) continue;
    return "AOT-Cache: nicht m\366glich, der Klassenpfad enth\344lt den Ordner " + entry +
           "; Java 25 trainiert nur aus Jars";
  }
  return std::string();
}

ClassArchive DecideClassArchive(const std::string& javaFolder, const JavaRelease& release,
                                const std::string& classpath, const Settings& settings) {
  ClassArchive archive;
  std::string value = settings.GetForStartKey(keyname::kClassArchive);
  if (value.empty()) return archive;
  std::string prefix = std::string(keyname::kClassArchive) + "=" + value + " -> ";
  std::string folder = ArchiveFolder(value);
  std::string stem = ArchiveStem(javaFolder, release, classpath);
  bool aot = release.feature >= kFirstAotJava;
  archive.kind = aot ? "AOT-Cache" : "dynamisches Klassenarchiv";
  ArchiveKind kind = aot ? ArchiveKind::kAotCache : ArchiveKind::kDynamic;
  std::string file = InFolder(folder, stem + (aot ? ".aot" : ".jsa"));
  std::string refusal = UnsuitableJava(release);
  if (refusal.empty()) refusal = UnsetReference(value);
  if (refusal.empty()) refusal = UsableFolder(folder, archive);
  // Whatever this Java, the leftovers of others go. A folder the start
  // creates is as writable as the one it is created in.
  bool tidied = archive.steps.empty() && platform::FolderIsWritable(folder);
  bool writable = refusal.empty() && (!archive.steps.empty() || tidied);
  if (refusal.empty() && aot) refusal = ClassFolder(classpath);
  if (refusal.empty()) refusal = DamagedArchive(file, kind, classpath, archive);
  archive.exists = refusal.empty() && platform::FileSize(file, &archive.size);
  std::string pending =
      tidied ? PlanFolder(folder, stem, kind, refusal.empty() && !archive.exists, archive) : "";
  if (refusal.empty() && aot && !archive.exists) refusal = pending;
  if (!refusal.empty()) {
    archive.logLines.push_back(prefix + "kein Klassenarchiv, " + refusal);
    archive.unusable = refusal;
    return archive;
  }
  archive.file = file;
  archive.state = archive.exists ? "vorhanden" : aot ? "zu trainieren" : "anzulegen";
  // Unique per start, also across the computers of a shared folder.
  std::string own =
      InFolder(folder, stem + "." + platform::ComputerName() + "-" +
                           std::to_string(platform::CurrentProcessId()) + kDumpSuffix);
  ArchiveChoice choice = ChooseArchiveOptions(release.feature, archive.exists, writable, file, own);
  if (aot && choice.options.find(own) != std::string::npos) archive.training = own;
  archive.options = choice.options;
  archive.passed = archive.options.find(file) != std::string::npos;
  archive.logLines.push_back(prefix + "Java " + release.version + ": " + choice.reason);
  return archive;
}
