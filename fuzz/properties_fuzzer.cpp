// The properties reader: every line of the file stands in the log, in
// order, at the start of a log line; a file that is UTF-8 with a letter
// beyond ASCII stands there in Windows-1252, a comment with a letter that
// Windows-1252 lacks dropped and noted on a line of its own, as far as its
// first such letter outside a comment, which ends the run with a report
// naming its line; a UTF-16 file is named; what is stored is trimmed and not
// empty; a password's value, whatever it holds, never reaches the log.

#include <algorithm>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "report/redactor.h"
#include "settings/properties_file.h"
#include "settings/text.h"

namespace {

// Stands at both ends of the password and nowhere else in the file.
const char kSentinel = '\x01';

// The lines as a whole-file reader in msvcrt's text mode takes them, without
// a leading UTF-8 byte order mark.
std::vector<std::string> SplitTextLines(std::string content) {
  if (content.compare(0, 3, "\xEF\xBB\xBF") == 0) content.erase(0, 3);
  std::vector<std::string> lines(1);
  size_t end = std::min(content.find('\x1a'), content.size());
  for (size_t i = 0; i < end; ++i) {
    char c = content[i];
    if (c == '\n' || c == '\r') {
      lines.emplace_back();
      if (c == '\r' && i + 1 < end && content[i + 1] == '\n') ++i;
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

// The lines converted when the file is UTF-8 with a letter beyond ASCII,
// each dropped comment's note after its line, up to the first line that
// cannot be converted; its number in failingLine, else 0.
std::vector<std::string> AsRead(std::vector<std::string> lines, bool* utf8, size_t* failingLine) {
  *failingLine = 0;
  bool beyondAscii = false;
  for (const std::string& line : lines) {
    if (!IsUtf8(line)) return lines;
    for (char c : line) beyondAscii = beyondAscii || static_cast<unsigned char>(c) >= 0x80;
  }
  *utf8 = beyondAscii;
  if (!beyondAscii) return lines;
  std::vector<std::string> converted;
  for (size_t number = 1; number <= lines.size(); ++number) {
    std::string bytes;
    unsigned long missing = 0;
    bool whole = Utf8ToWindows1252(lines[number - 1], &bytes, &missing);
    if (!whole && !Utf8ToWindows1252(StripComment(lines[number - 1]), &bytes, &missing)) {
      *failingLine = number;
      break;
    }
    converted.push_back(bytes);
    if (!whole) {
      converted.push_back("Die Datei f.properties (UTF-8) enth\xE4lt in Zeile " +
                          std::to_string(number) + " im Kommentar");
    }
  }
  return converted;
}

std::string AsLogged(const std::string& line) {
  std::string logged;
  for (char c : line) logged += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return logged;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  if (size == 0) return 0;
  std::string text = Without(Text(data + 1, size - 1), std::string(1, kSentinel));
  std::string password = Without(text.substr(0, text.find('\n')), "#\r\n\x1a");
  std::string content = text + "\nDautologin.pwd=" + kSentinel + password + kSentinel;
  StartFuzzRun();
  fake::Get().readPieceBytes = 1 + data[0] % 8;
  fake::AddFile("C:\\App\\f.properties", content);
  Settings settings;
  RunEnd end = ReadPropertiesFile("", "f.properties", settings);
  std::string log = FuzzLog();
  size_t position = log.find(
      "wurde ge\xF6"
      "ffnet.\r\n");
  Check(position != std::string::npos, "the opened line is logged");
  position = log.find('\n', position) + 1;
  // Its password, read in other units, is no password.
  if (content.compare(0, 2, "\xFF\xFE") == 0 || content.compare(0, 2, "\xFE\xFF") == 0) {
    Check(log.find("UTF-16", position) < log.find('\n', position), "UTF-16 is named");
    return 0;
  }
  Check(log.find(kSentinel) == std::string::npos, "no password in the log");
  bool utf8 = false;
  size_t failingLine = 0;
  std::vector<std::string> lines = AsRead(SplitTextLines(content), &utf8, &failingLine);
  Check(!end == (failingLine == 0), "only a letter Windows-1252 lacks ends the run");
  if (end) {
    Check(end->report.find("in Zeile " + std::to_string(failingLine) + " ") != std::string::npos,
          "the report names the line");
  }
  Check(settings.convertedFiles.size() == (utf8 ? 1u : 0u), "a UTF-8 file is named once");
  if (utf8) position = log.find('\n', position) + 1;
  for (const std::string& line : lines) {
    std::string logged = AsLogged(line);
    bool masked = Redacted(line, Secrets(), &settings.secrets) != line;
    Check(masked || log.compare(position, logged.size(), logged) == 0,
          "each line is logged as read");
    position = log.find("\r\n", masked ? position : position + logged.size());
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
