#include "report/redactor.h"

#include <algorithm>

#include "platform/windows_arguments.h"

namespace {

// What every spelling of the option shares, the key's end and "="; matched
// in any case.
const char kMarkerEnd[] = "autologin.pwd=";
const size_t kKeyEndSize = sizeof kMarkerEnd - 2;
const char kMask[] = "xxxx";

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
// by it (-Dautologin.pwd=\"Geheim Wort\"), whichever reaches further, within
// the line.
size_t ValueEnd(const std::string& text, size_t position) {
  size_t lineStart = text.rfind('\n', position - 1) + 1;
  std::string line = text.substr(lineStart, text.find('\n', position) - lineStart);
  return lineStart +
         std::max(ArgumentEnd(line, position - lineStart, platform::ArgumentReader::kJavaLauncher),
                  ArgumentEnd(line, position - lineStart, platform::ArgumentReader::kPlainQuotes));
}

// Then every value, masked forms included, runs on to the end of its
// argument; the last first, so that a value that runs over a later option
// takes that one's along.
std::string MaskValues(std::string text) {
  std::vector<size_t> values;
  for (size_t value = NextValue(text, 0); value != std::string::npos;
       value = NextValue(text, value)) {
    values.push_back(value);
  }
  for (auto it = values.rbegin(); it != values.rend(); ++it) {
    text.replace(*it, ValueEnd(text, *it) - *it, kMask);
  }
  return text;
}

bool IsWordByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool FollowsOption(const std::string& text, size_t at) {
  size_t marker = at - std::min(at, kKeyEndSize + 1);
  return at > kKeyEndSize && FindMarker(text, kKeyEndSize + 1, marker) == marker;
}

// The known forms go first, the longest first, so that neither a shorter
// one nor an option that a secret holds cuts one in two; a form may hold
// line feeds. One that follows an option is masked as far as its value
// reached as written, if further; one elsewhere where it is a word of its
// own, as a form inside a longer word is some other word.
std::string MaskForms(std::string text, const std::vector<std::string>& forms) {
  for (const std::string& form : forms) {
    for (size_t at = text.find(form); at != std::string::npos; at = text.find(form, at + 1)) {
      size_t end = at + form.size();
      if (FollowsOption(text, at)) {
        end = std::max(end, ValueEnd(text, at));
      } else if ((at > 0 && IsWordByte(text[at - 1])) ||
                 (end < text.size() && IsWordByte(text[end]))) {
        continue;
      }
      text.replace(at, end - at, kMask);
    }
  }
  return text;
}

// Each form once, the longest first.
void AddForm(const std::string& form, std::vector<std::string>& forms) {
  if (form.empty() || std::find(forms.begin(), forms.end(), form) != forms.end()) return;
  auto shorter = std::find_if(forms.begin(), forms.end(),
                              [&form](const std::string& f) { return f.size() < form.size(); });
  forms.insert(shorter, form);
}

void AddForms(const std::string& text, std::vector<std::string>& forms) {
  AddForm(text, forms);
  for (auto reader :
       {platform::ArgumentReader::kJavaLauncher, platform::ArgumentReader::kPlainQuotes}) {
    std::string read;
    for (const platform::Argument& argument : platform::SplitArguments(text, reader)) {
      AddForm(argument.text, forms);
      read += (read.empty() ? "" : " ") + argument.text;
    }
    AddForm(read, forms);
  }
}

std::vector<std::string> SecretForms(const std::vector<std::string>& secrets) {
  std::vector<std::string> forms;
  for (const std::string& secret : secrets) {
    AddForms(secret, forms);
    for (size_t from = 0; from < secret.size();) {
      size_t end = std::min(secret.find_first_of("\r\n", from), secret.size());
      AddForms(secret.substr(from, end - from), forms);
      from = end + 1;
    }
  }
  return forms;
}

std::string Redact(const std::string& text, const std::vector<std::string>& forms) {
  if (forms.empty() && FindMarker(text, kKeyEndSize, 0) == std::string::npos) return text;
  return MaskValues(MaskForms(text, forms));
}

}  // namespace

bool IsPasswordKey(const std::string& key) {
  return key.size() >= kKeyEndSize &&
         FindMarker(key, kKeyEndSize, key.size() - kKeyEndSize) != std::string::npos;
}

std::string AfterPasswordOption(const std::string& text) {
  size_t value = NextValue(text, 0);
  return value == std::string::npos ? std::string() : text.substr(value);
}

Secrets KnowSecrets(const std::vector<std::string>& secrets) { return {SecretForms(secrets)}; }

std::string Redacted(const std::string& text, const Secrets& known,
                     const std::vector<std::string>* given) {
  if (!given || given->empty()) return Redact(text, known.forms);
  std::vector<std::string> forms = known.forms;
  for (const std::string& form : SecretForms(*given)) AddForm(form, forms);
  return Redact(text, forms);
}
