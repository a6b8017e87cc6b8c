#include "settings/properties_file.h"

#include "platform/platform.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "settings/text.h"

std::string StripComment(const std::string& line) {
  bool inQuotes = false;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') inQuotes = !inQuotes;
    if (line[i] == '#' && !inQuotes) return line.substr(0, i);
  }
  return line;
}

namespace {

// What the line gave, as appended to its log line.
std::string TakeProperty(const std::string& line, const std::string& origin, Settings& settings) {
  std::string content = StripComment(line);
  size_t equals = content.find('=');
  if (equals == std::string::npos) return std::string();
  std::string key = Trim(content.substr(0, equals));
  std::string value = Trim(content.substr(equals + 1));
  if (value.empty()) return " // FOUND: \"" + key + "\"= EMPTY";
  settings.Set(key, value, origin);
  return " // FOUND: \"" + key + "\"=\"" + value + "\"";
}

// A root folder from kivsoft.properties gets a doubled backslash appended,
// which Windows reads as one; the report shows the path as Windows reads
// it, and where the folder came from.
std::string OpenFailure(const std::string& directory, const std::string& fileName,
                        const platform::SystemError& reason) {
  std::string folder =
      EndsWith(directory, "\\\\") ? directory.substr(0, directory.size() - 2) : directory;
  std::string where = directory.empty() ? "Ordner: " + platform::CurrentDirectory() + ", "
                                        : "Der Ordner " + folder +
                                              " ist in kivsoft.properties als root angegeben.\n";
  return "Die Datei " + (directory.empty() ? "" : folder + "\\") + fileName +
         " konnte nicht ge\366ffnet werden.\n" + where + SystemErrorLine(reason) + "\n";
}

// Notepad saves new files as UTF-8 without a byte order mark. A file is
// taken for UTF-8 only when all of it is UTF-8 and it holds a letter beyond
// ASCII: any other file is Windows-1252, read byte for byte.
bool HoldsUtf8Letters(const std::string& path) {
  TextFile file(path);
  bool beyondAscii = false;
  for (std::string line; file.ReadLine(&line);) {
    if (!IsUtf8(line)) return false;
    for (char c : line) beyondAscii = beyondAscii || static_cast<unsigned char>(c) >= 0x80;
  }
  return beyondAscii;
}

// Java and Windows read the launcher's bytes as Windows-1252: a letter it
// lacks would reach them as another one, so the start does not guess. A
// comment reaches neither and is dropped with such a letter, so that a
// note in it never stops a start.
RunEnd ConvertLine(const std::string& file, size_t number, std::string& line, Settings& settings) {
  unsigned long missing = 0;
  if (Utf8ToWindows1252(line, &line, &missing)) return std::nullopt;
  std::string where = "Die Datei " + file + " enth\344lt in Zeile " + std::to_string(number);
  std::string letter =
      " das Zeichen U+" + HexDigits(missing, 4) + ", das es in Windows-1252 nicht gibt";
  if (!Utf8ToWindows1252(StripComment(line), &line, &missing)) {
    return FailedRun(where + letter + ". Bitte das Zeichen ersetzen.\n");
  }
  settings.droppedComments.push_back(where + " im Kommentar" + letter +
                                     ": der Kommentar fehlt darum im Protokoll.");
  return std::nullopt;
}

}  // namespace

// A file with a UTF-16 byte order mark is converted even when it holds ASCII
// only, as its lines come as UTF-8.
RunEnd ReadPropertiesFile(std::string directory, std::string fileName, Settings& settings) {
  Log().Banner(fileName + " einlesen");
  std::string path = directory + fileName;
  TextFile file(path);
  if (!file.IsOpen()) return FailedRun(OpenFailure(directory, fileName, file.OpenFailure()));
  settings.readFiles.push_back(path);
  Log().WriteLine("Die Datei " + path + " wurde ge\366ffnet.");
  std::string format = file.IsUtf16() ? "UTF-16" : "UTF-8";
  bool converted = file.IsUtf16() || HoldsUtf8Letters(path);
  if (converted) {
    settings.convertedFiles.push_back("Die Datei " + path + " ist im Format " + format +
                                      " gespeichert und wird beim Lesen in Windows-1252 "
                                      "umgewandelt.");
    Log().WriteLine(settings.convertedFiles.back());
  }
  std::string line;
  for (size_t number = 1; file.ReadLine(&line); ++number) {
    size_t dropped = settings.droppedComments.size();
    if (converted) {
      if (RunEnd end = ConvertLine(path + " (" + format + ")", number, line, settings)) return end;
    }
    std::string found = TakeProperty(line, path + ", Zeile " + std::to_string(number), settings);
    Log().WriteLine(line + found, &settings.secrets);
    if (settings.droppedComments.size() > dropped) Log().WriteLine(settings.droppedComments.back());
  }
  return std::nullopt;
}

std::string ReadRootFolder() {
  TextFile file("kivsoft.properties");
  if (!file.IsOpen()) return std::string();
  Log().Banner("kivsoft.properties einlesen");
  Log().WriteLine("Die Datei kivsoft.properties wurde ge\366ffnet.");
  std::string root, line;
  while (file.ReadLine(&line)) {
    size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string key = Trim(line.substr(0, equals));
    std::string value = Trim(line.substr(equals + 1));
    if (value.empty() || key != "root") continue;
    root = EndsWith(value, "\\\\") ? value : value + "\\\\";
    Log().Write(" // FOUND: \"" + key + "\"=\"" + value + "\"");
  }
  return root;
}

std::string CollapseUncPrefix(std::string text) {
  const std::string four = "\\\\\\\\";
  if (!StartsWith(text, four)) return text;
  for (size_t hit = text.find(four); hit != std::string::npos; hit = text.find(four, hit + 2)) {
    text.replace(hit, 4, "\\\\");
  }
  return text;
}
