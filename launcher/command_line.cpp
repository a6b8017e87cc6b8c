#include "launcher/command_line.h"

#include "settings/keys.h"
#include "settings/text.h"

std::string CommandLineTail(const std::string& fullCommandLine) {
  const char* blanks = " \t";
  size_t pos = fullCommandLine.find_first_not_of(blanks);
  if (pos == std::string::npos) return std::string();
  if (fullCommandLine[pos] == '"') {
    size_t closing = fullCommandLine.find('"', pos + 1);
    pos = closing == std::string::npos ? fullCommandLine.size() : closing + 1;
  } else {
    pos = fullCommandLine.find_first_of(blanks, pos);
  }
  pos = pos == std::string::npos ? pos : fullCommandLine.find_first_not_of(blanks, pos);
  return pos == std::string::npos ? std::string() : fullCommandLine.substr(pos);
}

namespace {

// A shortcut or script may hand a parameter over wholly in double quotes
// ("-Dautologin.pwd=x"); it counts without them. Any other quote stays part
// of the value.
std::string WithoutEnclosingQuotes(const std::string& piece) {
  bool enclosed = piece.size() >= 2 && piece[0] == '"' && piece.find('"', 1) == piece.size() - 1;
  return enclosed ? piece.substr(1, piece.size() - 2) : piece;
}

void AddParameter(const std::string& quotedPiece, CommandLineParameters& parameters) {
  std::string piece = WithoutEnclosingQuotes(quotedPiece);
  size_t equals = piece.find('=');
  if (piece.empty() || piece[0] != '-' || equals == std::string::npos) return;
  std::string value = piece.substr(equals + 1);
  if (!value.empty()) parameters.Set(piece.substr(1, equals - 1), value);
}

}  // namespace

CommandLineParameters ParseCommandLine(std::string tail) {
  CommandLineParameters parameters;
  std::string rest = Trim(tail);
  while (!rest.empty()) {
    size_t blank = rest.find(' ');
    AddParameter(rest.substr(0, blank), parameters);
    if (blank == std::string::npos) break;
    rest = Trim(rest.substr(blank));
  }
  return parameters;
}

void CopyCommandLineValue(const CommandLineParameters& parameters, const std::string& key,
                          Settings& settings) {
  auto it = parameters.entries.find(key);
  if (it != parameters.entries.end()) settings.Set(key, it->second, kCommandLineOrigin);
}

void CopyCommandLineOverrides(const CommandLineParameters& parameters, Settings& settings) {
  for (const std::string& key : CopiedCommandLineKeys()) {
    CopyCommandLineValue(parameters, key, settings);
  }
  for (const auto& [name, value] : parameters.entries) {
    const KeyEntry* entry = FindKey(name);
    if (entry && entry->family && (entry->places & kCopiedFromCommandLine)) {
      settings.Set(name, value, kCommandLineOrigin);
    }
  }
}
