#include "process/java_output.h"

#include <algorithm>

#include "platform/platform.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "report/redactor.h"
#include "settings/keys.h"
#include "settings/windows_path.h"

namespace {

constexpr size_t kTailLines = 20;
constexpr size_t kTailBytes = 2000;

// The key, as the file's name alone would not tell which setting to mend.
RunEnd Unopenable(const std::string& path, const std::string& why) {
  return FailedRun("Die Datei " + path +
                   " konnte nicht ge\366ffnet werden.\nlauncher.java_output=" + path + ": " + why +
                   "\n");
}

// What of the launcher's own the path names, as Windows compares paths:
// its log, a properties file it reads, or the launcher itself; empty when
// the path names none of them. Java's output must never overwrite one.
// KivLaunch.log also when this run writes a log of its own beside it:
// another running launcher writes that one.
std::string OwnFileNamed(const std::string& path, const Settings& settings) {
  std::string folder = platform::CurrentDirectory();
  std::string comparable = ComparablePath(path, folder);
  auto names = [&](const std::string& file) { return ComparablePath(file, folder) == comparable; };
  if (names(kLogName) || names(Log().Name())) return "das Protokoll des KivLaunchers";
  if (names(platform::ExecutablePath())) return "den KivLauncher selbst";
  const std::vector<std::string>& files = settings.readFiles;
  bool setting = names("kivsoft.properties") || std::any_of(files.begin(), files.end(), names);
  return setting ? "eine Einstellungsdatei des KivLaunchers" : "";
}

}  // namespace

JavaOutputChoice DecideJavaOutput(const Settings& settings) {
  JavaOutputChoice choice;
  choice.path = settings.GetForStartKey(keyname::kJavaOutput);
  if (choice.path.empty()) return choice;
  std::string own = OwnFileNamed(choice.path, settings);
  if (!own.empty()) {
    choice.ownFile = FailedRun(
        "launcher.java_output=" + choice.path + " nennt " + own +
        ". Java darf diese Datei nicht \374berschreiben, bitte eine andere Datei angeben.\n");
  }
  size_t separator = choice.path.find_last_of("\\/");
  std::string folder = separator == std::string::npos ? "" : choice.path.substr(0, separator);
  bool folderMissing = !folder.empty() && folder.back() != ':' && !platform::IsDirectory(folder);
  if (folderMissing) choice.unopenable = Unopenable(choice.path, "der Ordner " + folder + " fehlt");
  if (platform::IsDirectory(choice.path)) choice.unopenable = Unopenable(choice.path, "ein Ordner");
  return choice;
}

RunEnd EnterJavaOutput(const JavaOutputChoice& choice) {
  if (choice.path.empty()) return std::nullopt;
  if (choice.ownFile) return choice.ownFile;
  Log().WriteLine("launcher.java_output=" + choice.path +
                  " -> Die Ausgaben von Java gehen in diese Datei");
  return choice.unopenable;
}

RunEnd OpenJavaOutput(const std::string& path, const std::string& commandLine, bool append,
                      JavaOutput* output) {
  output->path = path;
  if (path.empty()) return std::nullopt;
  platform::SystemError reason;
  output->file = platform::CreateOutputFile(path, append, &reason);
  if (!output->file) {
    return Unopenable(path, "Arbeitsverzeichnis " + platform::CurrentDirectory() + ", " +
                                SystemErrorLine(reason));
  }
  output->firstLine = "JVM wird gestartet am " + CurrentTimeText() + ": " +
                      Redacted(commandLine, output->secrets) + "\r\n";
  platform::WriteOutputFile(*output->file, output->firstLine);
  return std::nullopt;
}

std::string LastLines(const std::string& text, size_t maxLines, size_t maxBytes) {
  std::string lines;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\r\n") != 0) lines += text[i];
  }
  lines.erase(lines.find_last_not_of("\r\n") + 1);
  if (lines.size() > maxBytes) {
    size_t cut = lines.size() - maxBytes;
    size_t lineFeed = lines.find('\n', cut);
    bool cutInsideLine = lines[cut - 1] != '\n';
    lines.erase(0, cutInsideLine && lineFeed != std::string::npos ? lineFeed + 1 : cut);
  }
  size_t start = lines.size();
  for (size_t count = 0; count < maxLines && start != std::string::npos && start > 0; ++count) {
    start = lines.rfind('\n', start - 1);
  }
  return start == std::string::npos || start == lines.size() ? lines : lines.substr(start + 1);
}

// The launcher's first line is left out when the read reaches back to it.
// Java may print its own command line: redacted before the cut, so that no
// cut leaves a password without the option that names it.
std::string JavaOutputTail(const JavaOutput& output) {
  if (output.path.empty()) {
    return "\nMit launcher.java_output=DATEI h\344lt der Launcher die Meldungen von Java in DATEI "
           "fest.";
  }
  std::string end;
  size_t length = 2 * kTailBytes + output.firstLine.size();
  platform::ReadFilePart(output.path, -static_cast<long long>(length), length, &end);
  size_t start = end.rfind(output.firstLine);
  if (start != std::string::npos) end.erase(0, start + output.firstLine.size());
  std::string tail = LastLines(Redacted(end, output.secrets), kTailLines, kTailBytes);
  if (tail.empty()) return "\nDie Datei " + output.path + " enth\344lt keine Ausgaben von Java.";
  return "\nLetzte Ausgaben von Java in " + output.path + ":\n" + tail;
}
