#include "report/system_error_line.h"

// A number without a text is given alone.
std::string SystemErrorLine(const platform::SystemError& error) {
  std::string line = "Windows-Fehler " + std::to_string(error.number);
  return error.text.empty() ? line : line + ": " + error.text;
}
