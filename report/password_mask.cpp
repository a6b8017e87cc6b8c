#include "report/password_mask.h"

#include <algorithm>
#include <vector>

const char kPasswordMarker[] = "Dautologin.pwd=";

namespace {

std::vector<std::string>& Remembered() {
  static std::vector<std::string> passwords;
  return passwords;
}

// Quotes count from the start of the text, as a quote before the option's
// minus sign ("-Dautologin.pwd=a b") also makes the blank part of it.
size_t EndOutsideQuotes(const std::string& text, size_t start) {
  bool inQuotes = std::count(text.begin(), text.begin() + start, '"') % 2 != 0;
  for (size_t i = start; i < text.size(); ++i) {
    if (text[i] == '"') inQuotes = !inQuotes;
    if (text[i] == ' ' && !inQuotes) return i;
  }
  return text.size();
}

// A remembered password is taken whole, blanks included; the value still
// runs on to the next blank, so that no rest of a word stays in clear.
size_t ValueEnd(const std::string& text, size_t start) {
  size_t known = 0;
  for (const std::string& password : Remembered()) {
    if (text.compare(start, password.size(), password) == 0) {
      known = std::max(known, password.size());
    }
  }
  return EndOutsideQuotes(text, start + known);
}

}  // namespace

std::string MaskPassword(const std::string& text) {
  const std::string marker = kPasswordMarker;
  std::string masked = text;
  for (size_t hit = masked.find(marker); hit != std::string::npos;
       hit = masked.find(marker, hit + marker.size())) {
    size_t valueStart = hit + marker.size();
    masked.replace(valueStart, ValueEnd(masked, valueStart) - valueStart, "xxxx");
  }
  return masked;
}

void RememberPassword(const std::string& password) {
  if (!password.empty()) Remembered().push_back(password);
}

void ForgetPasswords() { Remembered().clear(); }
