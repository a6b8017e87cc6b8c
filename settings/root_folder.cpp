#include "settings/root_folder.h"

#include "report/launch_log.h"
#include "settings/text.h"
#include "settings/text_file.h"

namespace {

const char kRootFile[] = "kivsoft.properties";

}  // namespace

std::string ReadRootFolder() {
  TextFile file(kRootFile);
  if (!file.IsOpen()) return std::string();
  Log().Banner(std::string(kRootFile) + " einlesen");
  Log().Write(std::string("Die Datei ") + kRootFile +
              " wurde ge\xF6"
              "ffnet.\n");
  Log().Flush();
  std::string root;
  std::string line;
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

std::string CollapseUncPrefix(const std::string& text) {
  const std::string four = "\\\\\\\\";
  if (!StartsWith(text, four)) return text;
  std::string result = text;
  for (size_t hit = result.find(four); hit != std::string::npos; hit = result.find(four, hit + 2)) {
    result.replace(hit, 4, "\\\\");
  }
  return result;
}
