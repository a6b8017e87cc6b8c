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

}  // namespace

// Remembered passwords go first, the longest first, so that neither a
// shorter one nor a value an earlier option leaves open cuts one in two.
std::string MaskPassword(const std::string& text) {
  const std::string marker = kPasswordMarker;
  std::string masked = text;
  for (const std::string& password : Remembered()) {
    const std::string known = marker + password;
    for (size_t hit = masked.find(known); hit != std::string::npos;
         hit = masked.find(known, hit + marker.size())) {
      masked.replace(hit + marker.size(), password.size(), "xxxx");
    }
  }
  for (size_t hit = masked.find(marker); hit != std::string::npos;
       hit = masked.find(marker, hit + marker.size())) {
    size_t valueStart = hit + marker.size();
    masked.replace(valueStart, EndOutsideQuotes(masked, valueStart) - valueStart, "xxxx");
  }
  return masked;
}

void RememberPassword(const std::string& password) {
  if (password.empty()) return;
  std::vector<std::string>& passwords = Remembered();
  passwords.push_back(password);
  std::stable_sort(passwords.begin(), passwords.end(),
                   [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
}

void ForgetPasswords() { Remembered().clear(); }
