#include "settings/windows_path.h"

#include <algorithm>
#include <vector>

namespace {

// Windows' case table folds the accented letters of the code page too.
char Folded(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) u += 0x20;
  if (u == 0x8A || u == 0x8C || u == 0x8E) u += 0x10;
  if (u == 0x9F) u = 0xFF;
  return static_cast<char>(u);
}

bool HasDrive(const std::string& path) { return path.size() >= 2 && path[1] == ':'; }

std::string Absolute(const std::string& path, const std::string& workingDirectory) {
  if (path.compare(0, 2, "\\\\") == 0 || (HasDrive(path) && path.size() > 2 && path[2] == '\\')) {
    return path;
  }
  if (!path.empty() && path[0] == '\\') {
    return (HasDrive(workingDirectory) ? workingDirectory.substr(0, 2) : "") + path;
  }
  return workingDirectory + "\\" + (HasDrive(path) ? path.substr(2) : path);
}

std::string WithoutTrailingDotsAndBlanks(const std::string& name) {
  if (name == "." || name == "..") return name;
  size_t end = name.find_last_not_of(". ");
  return end == std::string::npos ? std::string() : name.substr(0, end + 1);
}

}  // namespace

std::string ComparablePath(std::string path, std::string workingDirectory) {
  std::replace(path.begin(), path.end(), '/', '\\');
  std::replace(workingDirectory.begin(), workingDirectory.end(), '/', '\\');
  std::string absolute = Absolute(path, workingDirectory);
  bool unc = absolute.compare(0, 2, "\\\\") == 0;
  // The drive, or server and share, stay whatever ".." follows.
  size_t kept = unc ? 2 : HasDrive(absolute) ? 1 : 0;
  std::vector<std::string> names;
  for (size_t from = 0; from <= absolute.size();) {
    size_t end = std::min(absolute.find('\\', from), absolute.size());
    std::string name = WithoutTrailingDotsAndBlanks(absolute.substr(from, end - from));
    if (name == "..") {
      if (names.size() > kept) names.pop_back();
    } else if (!name.empty() && name != ".") {
      names.push_back(name);
    }
    from = end + 1;
  }
  std::string comparable = unc ? "\\" : "";
  for (const std::string& name : names) comparable += "\\" + name;
  std::transform(comparable.begin(), comparable.end(), comparable.begin(), Folded);
  return comparable;
}
