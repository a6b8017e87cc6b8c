#include "diagnosis/sections.h"
#include "jvm/class_archive.h"
#include "jvm/java_command_line.h"
#include "jvm/java_release.h"
#include "report/launch_log.h"

namespace {

void LogVersion(const JavaRelease& release) {
  if (!release.found) return Log().WriteLine("Keine release-Datei: " + release.path + " fehlt");
  Log().WriteLine("Version laut " + release.path + ": " +
                  (release.version.empty() ? "keine JAVA_VERSION" : release.version));
}

// Decided as the start decides it, for the class path the start would give.
void CheckClassArchive(const Settings& settings, const std::string& javaHome, bool is64Bit,
                       Findings& findings) {
  std::string classpath = ClasspathText(is64Bit, settings, PrepareClasspath(settings));
  ClassArchive archive = DecideClassArchive(javaHome, classpath, settings);
  for (const std::string& line : archive.logLines) Log().WriteLine(line);
  if (archive.options.empty()) {
    Warn(findings, "launcher.class_archive wirkt f\xFCr dieses Java nicht");
    return;
  }
  Log().WriteLine("Klassenarchiv: " + archive.file +
                  (archive.exists ? " ist vorhanden, " + std::to_string(archive.size) + " Bytes"
                                  : " ist noch nicht vorhanden"));
}

}  // namespace

void CheckJavaRelease(const Settings& settings, const std::string& javaHome, bool is64Bit,
                      Findings& findings) {
  LogVersion(ReadJavaRelease(javaHome));
  if (!settings.GetForStartKey("launcher.class_archive").empty()) {
    CheckClassArchive(settings, javaHome, is64Bit, findings);
  }
}
