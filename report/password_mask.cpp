#include "report/password_mask.h"

#include <algorithm>
#include <vector>

#include "platform/windows_arguments.h"

const char kPasswordMarker[] = "Dautologin.pwd=";

namespace {

std::vector<std::string>& Remembered() {
  static std::vector<std::string> passwords;
  return passwords;
}

// Where the argument that holds the position ends, the text split from its
// start: a quote before the option's minus sign ("-Dautologin.pwd=a b") also
// makes the blank part of it. A position at the end of its argument stays.
size_t ArgumentEnd(const std::string& text, size_t position, platform::ArgumentReader reader) {
  for (const platform::Argument& argument : platform::SplitArguments(text, reader)) {
    if (argument.begin >= position) break;
    if (argument.end >= position) return argument.end;
  }
  return position;
}

// What Java takes for the value, or what a person who wrote the line meant
// by it (-Dautologin.pwd=\"Geheim Wort\"), whichever reaches further.
size_t ValueEnd(const std::string& text, size_t valueStart) {
  return std::max(ArgumentEnd(text, valueStart, platform::ArgumentReader::kJavaLauncher),
                  ArgumentEnd(text, valueStart, platform::ArgumentReader::kPlainQuotes));
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
    masked.replace(valueStart, ValueEnd(masked, valueStart) - valueStart, "xxxx");
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
