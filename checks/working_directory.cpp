#include "checks/working_directory.h"

#include "platform/platform.h"
#include "settings/keys.h"

std::string ApplyWorkingDirectory(const CommandLineParameters& parameters) {
  std::string report = "Arbeitsverzeichnis beim Start: " + platform::CurrentDirectory();
  if (parameters.IsTrue(keyname::kChangeDirectory)) {
    platform::ChangeDirectory(ExecutableFolder());
    report += "\nlauncher.cwd=true -> Arbeitsverzeichnis automatisch gewechselt zu: " +
              platform::CurrentDirectory();
  } else {
    report += "\nlauncher.cwd=false -> Das Arbeitsverzeichnis wurde nicht automatisch gewechselt.";
  }
  return report;
}

std::string ExecutableFolder() {
  std::string path = platform::ExecutablePath();
  size_t backslash = path.rfind('\\');
  return backslash == std::string::npos ? std::string() : path.substr(0, backslash);
}
