#include "report/password_mask.h"

#include <algorithm>
#include <vector>

#include "platform/windows_arguments.h"

const char kPasswordMarker[] = "Dautologin.pwd=";

namespace {

// What every spelling of the option shares, the key's end and "="; matched
// in any case.
const char kMarkerEnd[] = "autologin.pwd=";
const size_t kKeyEndSize = sizeof kMarkerEnd - 2;

std::vector<std::string>& Remembered() {
  static std::vector<std::string> passwords;
  return passwords;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Where the first size bytes of the marker next stand at or after from, in
// any case; npos for none.
size_t FindMarker(const std::string& text, size_t size, size_t from) {
  auto hit = std::search(text.begin() + std::min(from, text.size()), text.end(), kMarkerEnd,
                         kMarkerEnd + size, [](char a, char b) { return Lower(a) == b; });
  return hit == text.end() ? std::string::npos : hit - text.begin();
}

// Where the value after the next marker at or after from begins; npos for none.
size_t NextValue(const std::string& text, size_t from) {
  size_t hit = FindMarker(text, kKeyEndSize + 1, from);
  return hit == std::string::npos ? hit : hit + kKeyEndSize + 1;
}

// Where the argument that holds the position ends, the text split from its
// start: a quote before the option's minus sign ("-Dautologin.pwd=a b") also
// makes the blank part of it, and the quote that closes it stays, as does
// that of a text quoted in a message. A position at the end of its argument
// stays.
size_t ArgumentEnd(const std::string& text, size_t position, platform::ArgumentReader reader) {
  for (const platform::Argument& argument : platform::SplitArguments(text, reader)) {
    if (argument.begin >= position) break;
    if (argument.end < position) continue;
    bool openBefore = std::count(text.begin() + argument.begin, text.begin() + position, '"') % 2;
    bool closing = argument.end > position && text[argument.end - 1] == '"';
    return openBefore && closing ? argument.end - 1 : argument.end;
  }
  return position;
}

// What Java takes for the value, or what a person who wrote the line meant
// by it (-Dautologin.pwd=\"Geheim Wort\"), whichever reaches further.
size_t ValueEnd(const std::string& text, size_t valueStart) {
  return std::max(ArgumentEnd(text, valueStart, platform::ArgumentReader::kJavaLauncher),
                  ArgumentEnd(text, valueStart, platform::ArgumentReader::kPlainQuotes));
}

// Remembered passwords go first, the longest first, so that neither a
// shorter one nor a value an earlier option leaves open cuts one in two.
std::string MaskRemembered(const std::string& text) {
  std::string masked = text;
  for (size_t value = NextValue(masked, 0); value != std::string::npos;
       value = NextValue(masked, value)) {
    for (const std::string& password : Remembered()) {
      if (masked.compare(value, password.size(), password) != 0) continue;
      masked.replace(value, password.size(), "xxxx");
      break;
    }
  }
  return masked;
}

// Nothing after the marker has nothing to hide: a properties line
// "Dautologin.pwd=" stays as it was.
std::string MaskValues(const std::string& text) {
  std::string masked = text;
  for (size_t value = NextValue(masked, 0); value < masked.size();
       value = NextValue(masked, value)) {
    masked.replace(value, ValueEnd(masked, value) - value, "xxxx");
  }
  return masked;
}

// Java prints a value as it read it: "PWA PWB" as PWA PWB.
std::string AsJavaReadsIt(const std::string& value) {
  std::string read;
  for (const std::string& argument :
       platform::SplitCommandLine(value, platform::ArgumentReader::kJavaLauncher)) {
    read += (read.empty() ? "" : " ") + argument;
  }
  return read;
}

void Remember(const std::string& password) {
  if (password.empty()) return;
  std::vector<std::string>& passwords = Remembered();
  passwords.push_back(password);
  std::stable_sort(passwords.begin(), passwords.end(),
                   [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
}

}  // namespace

bool IsPasswordKey(const std::string& key) {
  return key.size() >= kKeyEndSize &&
         FindMarker(key, kKeyEndSize, key.size() - kKeyEndSize) != std::string::npos;
}

bool MentionsPasswordKey(const std::string& text) {
  return FindMarker(text, kKeyEndSize, 0) != std::string::npos;
}

std::string MaskPassword(const std::string& text) { return MaskValues(MaskRemembered(text)); }

std::string MaskPasswordInLines(const std::string& text) {
  std::string remembered = MaskRemembered(text);
  std::string masked;
  for (size_t from = 0; from <= remembered.size();) {
    size_t end = std::min(remembered.find('\n', from), remembered.size());
    masked += MaskValues(remembered.substr(from, end - from));
    if (end < remembered.size()) masked += '\n';
    from = end + 1;
  }
  return masked;
}

void RememberPassword(const std::string& password) {
  Remember(password);
  std::string read = AsJavaReadsIt(password);
  if (read != password) Remember(read);
}

void ForgetPasswords() { Remembered().clear(); }
