#include "jvm/class_search.h"

#include <algorithm>

#include "jvm/jar_file.h"
#include "platform/platform.h"
#include "settings/text.h"

using namespace std::string_view_literals;
namespace {

// Manifests that name one another end at a jar already read; a chain of
// distinct ones ends here.
constexpr int kDeepestManifest = 8;

// A Class-Path word is a URL relative to the jar, with "/" between folders.
std::string Resolved(const std::string& jar, std::string url) {
  std::replace(url.begin(), url.end(), '/', '\\');
  return jar.substr(0, jar.find_last_of("\\/") + 1) + url;
}

void Search(const std::string& path, int depth, const std::string& entry, ClassSearch& search) {
  for (const std::string& searched : search.searched) {
    if (searched == path) return;
  }
  search.searched.push_back(path);
  if (platform::IsDirectory(path)) {
    std::string file = Concat({path, "\\"sv, entry});
    std::replace(file.begin(), file.end(), '/', '\\');
    if (search.foundIn.empty() && platform::FileCanBeOpened(file)) search.foundIn = path;
    return;
  }
  JarContents jar = ReadJar(path, entry);
  if (search.foundIn.empty() && jar.holdsEntry) search.foundIn = path;
  if (jar.damaged) {
    search.damaged.push_back(Concat({path, " ("sv, std::to_string(jar.size), " Bytes): "sv,
                                     jar.problem, ", f\374r Java unlesbar"sv}));
  } else if (*jar.problem) {
    search.unread.push_back(Concat({path, " ("sv, jar.problem, ")"sv}));
  }
  // Java searches a jar's Class-Path right after the jar.
  for (size_t i = 0; i < jar.classPath.size() && depth < kDeepestManifest; ++i) {
    Search(Resolved(path, jar.classPath[i]), depth + 1, entry, search);
  }
}

}  // namespace

// Java expands "FOLDER\*" to the files of the folder, not of its subfolders,
// that end in ".jar" or ".JAR", in the order the folder lists them.
ClassSearch SearchClass(const std::string& classpath, const std::string& className) {
  std::string entry = className + ".class";
  std::replace(entry.begin(), entry.end() - 6, '.', '/');
  ClassSearch search;
  for (std::string element : SplitString(classpath, ';')) {
    size_t star = element.find_last_of("\\/") + 1;
    if (element.size() != star + 1 || element[star] != '*') {
      Search(element, 0, entry, search);
      continue;
    }
    std::vector<std::string> names;
    element.pop_back();
    platform::ListDirectory(star ? element : ".", &names);
    for (const std::string& name : names) {
      if (EndsWith(name, ".jar") || EndsWith(name, ".JAR"))
        Search(element + name, 0, entry, search);
    }
  }
  return search;
}
