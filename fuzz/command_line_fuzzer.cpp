// The command line: no empty value, no blank in a key or value, and the
// number of blanks between parameters changes nothing.

#include "fuzz/fuzz_support.h"
#include "launcher/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  std::string tail = CommandLineTail(Text(data, size));
  CommandLineParameters parameters = ParseCommandLine(tail);
  for (const auto& [key, value] : parameters.entries) {
    Check(!value.empty(), "no empty value is stored");
    Check(key.find(' ') == std::string::npos, "a key holds no blank");
    Check(value.find(' ') == std::string::npos, "a value holds no blank");
  }
  std::string doubled;
  for (char c : tail) doubled += c == ' ' ? std::string("  ") : std::string(1, c);
  Check(ParseCommandLine(doubled).entries == parameters.entries,
        "doubling the blanks gives the same parameters");
  return 0;
}
