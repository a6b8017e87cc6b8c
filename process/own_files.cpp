#include "process/own_files.h"

#include <utility>
#include <vector>

#include "platform/platform.h"
#include "report/launch_log.h"
#include "settings/windows_path.h"

// KivLaunch.log also when this run writes a log of its own beside it:
// another running launcher writes that one.
std::string OwnFileNamed(const std::string& path, const Settings& settings) {
  std::vector<std::pair<std::string, std::string>> own = {
      {kLogName, "das Protokoll des KivLaunchers"},
      {Log().Name(), "das Protokoll des KivLaunchers"},
      {"kivsoft.properties", "eine Einstellungsdatei des KivLaunchers"},
      {platform::ExecutablePath(), "den KivLauncher selbst"}};
  for (const std::string& file : settings.readFiles)
    own.push_back({file, "eine Einstellungsdatei des KivLaunchers"});
  std::string folder = platform::CurrentDirectory();
  std::string comparable = ComparablePath(path, folder);
  for (const auto& [file, what] : own) {
    if (!file.empty() && ComparablePath(file, folder) == comparable) return what;
  }
  return std::string();
}
