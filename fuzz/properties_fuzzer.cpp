// The properties reader: every line of the file stands in the log, in
// order, at the start of a log line; what is stored is trimmed and not empty.

#include "fuzz/fuzz_support.h"
#include "settings/properties_file.h"
#include "settings/text.h"
#include "settings/text_file.h"

namespace {

std::string AsLogged(const std::string& line) {
  std::string logged;
  for (char c : line) logged += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return logged;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  std::string content = Text(data, size);
  StartFuzzRun();
  fake::AddFile("C:\\App\\f.properties", content);
  Settings settings;
  Check(!ReadPropertiesFile("", "f.properties", settings), "a readable file never ends the run");
  std::string log = FuzzLog();
  size_t position = log.find("wurde ge\xF6" "ffnet.\r\n");
  Check(position != std::string::npos, "the opened line is logged");
  position = log.find('\n', position) + 1;
  for (const std::string& line : SplitTextLines(content)) {
    std::string logged = AsLogged(line);
    Check(log.compare(position, logged.size(), logged) == 0, "each line is logged as read");
    position = log.find("\r\n", position + logged.size());
    Check(position != std::string::npos, "each logged line is ended");
    position += 2;
  }
  Check(position == log.size(), "nothing else is logged");
  for (const auto& [key, value] : settings.entries) {
    Check(!value.empty() && Trim(value) == value, "stored values are trimmed and not empty");
    Check(Trim(key) == key, "stored keys are trimmed");
  }
  return 0;
}
