#include "settings/properties_file.h"

#include <vector>

#include "report/error_report.h"
#include "report/launch_log.h"
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

}  // namespace

RunEnd ReadPropertiesFile(std::string directory, std::string fileName, Settings& settings) {
  Log().Banner(fileName + " einlesen");
  std::string path = directory + fileName;
  std::vector<std::string> lines;
  if (!ReadTextLines(path, &lines)) {
    ReportError("Die Datei " + path +
                " konnte nicht ge\xF6"
                "ffnet werden.\n");
    return kExitFailure;
  }
  Log().Write("Die Datei " + path +
              " wurde ge\xF6"
              "ffnet.\n");
  Log().Flush();
  for (size_t i = 0; i < lines.size(); ++i) {
    Log().Write(lines[i]);
    Log().WriteLine(TakeProperty(lines[i], path + ", Zeile " + std::to_string(i + 1), settings));
  }
  return std::nullopt;
}
