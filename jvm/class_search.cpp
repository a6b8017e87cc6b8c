#include "jvm/class_search.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>

#include "jvm/jar_file.h"
#include "jvm/java_attempt.h"
#include "platform/platform.h"
#include "settings/text.h"

namespace {

// Manifests that name one another end at a jar already read; a chain of
// distinct ones ends here.
constexpr int kDeepestManifest = 8;

struct Place {
  std::string path;
  int depth;
};

std::string FolderOf(const std::string& path) {
  size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

// Java expands "FOLDER\*" to the files of the folder, not of its subfolders,
// that end in ".jar" or ".JAR", in the order the folder lists them.
std::vector<std::string> Expanded(const std::string& entry) {
  bool wildcard = entry == "*" || EndsWith(entry, "\\*") || EndsWith(entry, "/*");
  if (!wildcard) return {entry.empty() ? "." : entry};
  std::string folder = entry.substr(0, entry.size() - 1);
  std::vector<std::string> names, jars;
  platform::ListDirectory(folder.empty() ? "." : folder, &names);
  for (const std::string& name : names) {
    if (EndsWith(name, ".jar") || EndsWith(name, ".JAR")) jars.push_back(folder + name);
  }
  return jars;
}

// A Class-Path word is a URL relative to the jar: "/" between folders, "%20"
// for a blank.
std::string Resolved(const std::string& jar, const std::string& url) {
  std::string path = FolderOf(jar);
  for (size_t i = 0; i < url.size(); ++i) {
    bool escaped = url[i] == '%' && i + 2 < url.size() && std::isxdigit(url[i + 1] & 0xFF) &&
                   std::isxdigit(url[i + 2] & 0xFF);
    if (escaped) {
      path += static_cast<char>(std::strtol(url.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
    } else {
      path += url[i] == '/' ? '\\' : url[i];
    }
  }
  return path;
}

// Pushed last first: Java searches a jar's Class-Path right after the jar.
void Push(const std::vector<std::string>& paths, int depth, std::vector<Place>& places) {
  for (auto it = paths.rbegin(); it != paths.rend(); ++it) places.push_back({*it, depth});
}

void Search(const Place& place, const std::string& entry, ClassSearch& search,
            std::vector<Place>& places) {
  search.searched.push_back(place.path);
  if (platform::IsDirectory(place.path)) {
    std::string file = place.path + "\\" + entry;
    std::replace(file.begin(), file.end(), '/', '\\');
    if (search.foundIn.empty() && platform::FileCanBeOpened(file)) search.foundIn = place.path;
    return;
  }
  JarContents jar = ReadJar(place.path, entry);
  if (search.foundIn.empty() && jar.holdsEntry) search.foundIn = place.path;
  if (jar.damaged) {
    search.damaged.push_back(place.path + " (" + std::to_string(jar.size) +
                             " Bytes): " + jar.problem);
  } else if (!jar.problem.empty()) {
    search.unread.push_back(place.path + " (" + jar.problem + ")");
  }
  std::vector<std::string> paths;
  for (const std::string& url : jar.classPath) paths.push_back(Resolved(place.path, url));
  if (place.depth < kDeepestManifest) Push(paths, place.depth + 1, places);
}

}  // namespace

ClassSearch SearchClass(const std::string& classpath, const std::string& className) {
  std::string entry = className;
  std::replace(entry.begin(), entry.end(), '.', '/');
  entry += ".class";
  std::vector<Place> places;
  std::vector<std::string> entries = SplitString(classpath, ';');
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) Push(Expanded(*it), 0, places);
  ClassSearch search;
  std::set<std::string> seen;
  while (!places.empty()) {
    Place place = places.back();
    places.pop_back();
    if (seen.insert(ToUpper(place.path)).second) Search(place, entry, search, places);
  }
  return search;
}
