#include "settings/command_line.h"

#include "platform/windows_arguments.h"
#include "report/redactor.h"
#include "settings/keys.h"
#include "settings/text.h"

OwnCommandLine ReadOwnCommandLine(const std::string& fullCommandLine) {
  std::vector<platform::Argument> words =
      platform::SplitArguments(fullCommandLine, platform::ArgumentReader::kCRuntime);
  if (words.empty()) return OwnCommandLine();
  if (StartsWith(words[0].text, "-")) return {fullCommandLine.substr(words[0].begin), true};
  if (words.size() == 1) return OwnCommandLine();
  return {fullCommandLine.substr(words[1].begin), false};
}

namespace {

// A shortcut or script may hand a parameter over wholly in double quotes
// ("-Dautologin.pwd=x", "-Dkiv.x=a b"): it counts as the C runtime reads it.
// Any other keeps its quotes.
std::string ParameterText(const std::string& tail, const platform::Argument& argument) {
  std::string written = tail.substr(argument.begin, argument.end - argument.begin);
  bool enclosed = written.size() >= 2 && written.front() == '"' && written.back() == '"';
  return enclosed ? argument.text : written;
}

void AddParameter(const std::string& piece, CommandLineParameters& parameters) {
  size_t equals = piece.find('=');
  if (!StartsWith(piece, "-") || equals == std::string::npos || equals + 1 == piece.size()) return;
  std::string key = piece.substr(1, equals - 1);
  if (key.find_first_of(" \t") != std::string::npos) return;
  // Java splits its command line as the launcher does: a value that lost its
  // quotes with its parameter's gets them back, so that it reaches Java whole.
  parameters.Set(key, platform::QuotedIfBlank(piece.substr(equals + 1)));
}

}  // namespace

CommandLineParameters ParseCommandLine(const std::string& tail) {
  CommandLineParameters parameters;
  for (const platform::Argument& argument :
       platform::SplitArguments(tail, platform::ArgumentReader::kCRuntime, true)) {
    AddParameter(ParameterText(tail, argument), parameters);
  }
  for (const char* group : {keyname::kRead, keyname::kReadApp}) {
    std::string escaped = parameters.Get(group);
    parameters.secrets.push_back(AfterPasswordOption(escaped));
    parameters.secrets.push_back(AfterPasswordOption(ReplaceWithBlank(escaped, "+++")));
  }
  return parameters;
}

void CopyCommandLineOverrides(const CommandLineParameters& parameters, Settings& settings) {
  for (const KeyEntry& entry : kKeys) {
    auto it = parameters.entries.find(entry.name);
    if (!entry.family && (entry.places & kCopiedFromCommandLine) &&
        it != parameters.entries.end()) {
      settings.Set(entry.name, it->second, kCommandLineOrigin);
    }
  }
  for (const auto& [name, value] : parameters.entries) {
    const KeyEntry* entry = FindKey(name);
    if (entry && entry->family && (entry->places & kCopiedFromCommandLine)) {
      settings.Set(name, value, kCommandLineOrigin);
    }
  }
}
