// The command line: no empty value, no blank or tab in a key, one in a
// value only within quotes, the separators between parameters change nothing, and a
// child launcher handed the tail reads the same tail.

#include "fuzz/fuzz_support.h"
#include "platform/windows_arguments.h"
#include "settings/command_line.h"

namespace {

bool BlankOnlyInQuotes(const std::string& text) {
  return text.find_first_of(" \t") == std::string::npos || text.find('"') != std::string::npos;
}

// The tail with every run of separators between parameters written anew.
std::string OtherSeparators(const std::string& tail) {
  std::string written;
  for (const platform::Argument& argument :
       platform::SplitArguments(tail, platform::ArgumentReader::kCRuntime, true)) {
    written += " \t " + tail.substr(argument.begin, argument.end - argument.begin);
  }
  return written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  std::string tail = ReadOwnCommandLine(Text(data, size)).tail;
  CommandLineParameters parameters = ParseCommandLine(tail);
  for (const auto& [key, value] : parameters.entries) {
    Check(!value.empty(), "no empty value is stored");
    Check(key.find_first_of(" \t") == std::string::npos, "a key holds no blank");
    Check(BlankOnlyInQuotes(value), "a value holds a blank only within quotes");
  }
  Check(ParseCommandLine(OtherSeparators(tail)).entries == parameters.entries,
        "the separators between parameters change nothing");
  OwnCommandLine child = ReadOwnCommandLine("KivLauncher.exe " + tail);
  Check(child.tail == tail && !child.programNameMissing, "a child launcher reads the same tail");
  return 0;
}
