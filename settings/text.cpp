#include "settings/text.h"

std::string Trim(const std::string& text) {
  const char* blanks = " \t";
  size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

std::string ToUpper(const std::string& text) {
  std::string upper = text;
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::string ReplaceWithBlank(const std::string& text, const std::string& pattern) {
  std::string result;
  size_t from = 0;
  for (size_t hit = text.find(pattern); hit != std::string::npos; hit = text.find(pattern, from)) {
    result.append(text, from, hit - from);
    result += ' ';
    from = hit + pattern.size();
  }
  result.append(text, from, std::string::npos);
  return result;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string HexDigits(unsigned long number, size_t minDigits) {
  std::string digits;
  for (; number > 0 || digits.size() < minDigits; number >>= 4) {
    digits.insert(digits.begin(), "0123456789ABCDEF"[number & 0xF]);
  }
  return digits;
}

unsigned long long LittleEndian(const std::string& bytes, size_t at, size_t count) {
  unsigned long long value = 0;
  for (size_t i = count; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

std::string WithVisibleZeroBytes(const std::string& text) {
  std::string visible;
  for (char c : text) visible += c == '\0' ? std::string("<NUL>") : std::string(1, c);
  return visible;
}
