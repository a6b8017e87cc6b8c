#include "settings/properties_file.h"

#include "report/launch_log.h"
#include "report/password_mask.h"
#include "settings/text.h"
#include "settings/text_file.h"

std::string StripComment(const std::string& line) {
  bool inQuotes = false;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') inQuotes = !inQuotes;
    if (line[i] == '#' && !inQuotes) return line.substr(0, i);
  }
  return line;
}

namespace {

// What the line gave, as appended to its log line. The value is masked
// before it is put in quotes, which would change where the log reads its end.
std::string TakeProperty(const std::string& line, const std::string& origin, Settings& settings) {
  std::string content = StripComment(line);
  size_t equals = content.find('=');
  if (equals == std::string::npos) return std::string();
  std::string key = Trim(content.substr(0, equals));
  std::string value = Trim(content.substr(equals + 1));
  if (value.empty()) return " // FOUND: \"" + key + "\"= EMPTY";
  settings.Set(key, value, origin);
  std::string shown = IsPasswordKey(key) ? "xxxx" : MaskPassword(value);
  return " // FOUND: \"" + key + "\"=\"" + shown + "\"";
}

// The line in the log: the value of a password line reads xxxx, blanks and
// all, as nothing after the key tells where it ends; the log masks password
// options inside any other value.
void LogLine(const std::string& line) {
  if (!MentionsPasswordKey(line)) return Log().Write(line);
  std::string content = StripComment(line);
  size_t equals = content.find('=');
  if (equals == std::string::npos || !IsPasswordKey(Trim(content.substr(0, equals)))) {
    return Log().Write(line);
  }
  size_t valueStart = content.find_first_not_of(" \t", equals + 1);
  if (valueStart == std::string::npos) return Log().Write(line);
  size_t valueEnd = content.find_last_not_of(" \t") + 1;
  Log().Write(line.substr(0, valueStart) + "xxxx" + line.substr(valueEnd));
}

}  // namespace

RunEnd ReadPropertiesFile(std::string directory, std::string fileName, Settings& settings) {
  Log().Banner(fileName + " einlesen");
  std::string path = directory + fileName;
  TextFile file(path);
  if (!file.IsOpen()) {
    return Failure("Die Datei " + path +
                   " konnte nicht ge\xF6"
                   "ffnet werden.\n");
  }
  settings.readFiles.push_back(path);
  Log().Write("Die Datei " + path +
              " wurde ge\xF6"
              "ffnet.\n");
  Log().Flush();
  if (file.IsUtf16()) {
    settings.unreadableFiles.push_back(Utf16Text(path));
    Log().WriteLine(Utf16Text(path));
    Log().WriteLine("Ihre Zeilen werden darum nicht angezeigt und nicht ausgewertet.");
    return std::nullopt;
  }
  std::string line;
  for (size_t number = 1; file.ReadLine(&line); ++number) {
    LogLine(line);
    Log().WriteLine(TakeProperty(line, path + ", Zeile " + std::to_string(number), settings));
  }
  return std::nullopt;
}
