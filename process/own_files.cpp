#include "process/own_files.h"

#include "platform/platform.h"
#include "report/launch_log.h"
#include "settings/windows_path.h"

// KivLaunch.log also when this run writes a log of its own beside it:
// another running launcher writes that one.
std::string OwnFileNamed(const std::string& path, const Settings& settings) {
  std::string folder = platform::CurrentDirectory();
  std::string comparable = ComparablePath(path, folder);
  auto names = [&](const std::string& file) { return ComparablePath(file, folder) == comparable; };
  if (names(kLogName) || names(Log().Name())) return "das Protokoll des KivLaunchers";
  if (names(platform::ExecutablePath())) return "den KivLauncher selbst";
  std::vector<std::string> files = settings.readFiles;
  files.push_back("kivsoft.properties");
  for (const std::string& file : files) {
    if (names(file)) return "eine Einstellungsdatei des KivLaunchers";
  }
  return std::string();
}
