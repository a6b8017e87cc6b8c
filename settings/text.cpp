#include "settings/text.h"

#include <algorithm>

namespace {

// The length of the UTF-8 sequence at the position, its code point in
// codePoint; 0 for bytes that are no UTF-8.
size_t DecodeUtf8(const std::string& text, size_t at, unsigned long* codePoint) {
  static const unsigned long kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  unsigned char lead = static_cast<unsigned char>(text[at]);
  size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || at + length > text.size()) return 0;
  unsigned long value = length == 1 ? lead : lead & (0x7Fu >> length);
  for (size_t i = 1; i < length; ++i) {
    unsigned char next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return 0;
    value = value << 6 | (next & 0x3F);
  }
  if (value < kLeast[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return 0;
  }
  *codePoint = value;
  return length;
}

// The letters of the bytes 0x80 to 0x9F; 0 where Windows-1252 has none.
const unsigned short kLettersFrom80[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool Windows1252Byte(unsigned long codePoint, char* byte) {
  bool latin1 = codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF);
  const unsigned short* hit = std::find(kLettersFrom80, kLettersFrom80 + 32, codePoint);
  if (!latin1 && hit == kLettersFrom80 + 32) return false;
  *byte = static_cast<char>(latin1 ? codePoint : 0x80 + (hit - kLettersFrom80));
  return true;
}

}  // namespace

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
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

bool IsUtf8(const std::string& text) {
  unsigned long codePoint = 0;
  for (size_t at = 0; at < text.size();) {
    size_t length = DecodeUtf8(text, at, &codePoint);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

bool Utf8ToWindows1252(const std::string& text, std::string* converted, unsigned long* missing) {
  converted->clear();
  unsigned long codePoint = 0;
  for (size_t at = 0; at < text.size();) {
    size_t length = DecodeUtf8(text, at, &codePoint);
    char byte = text[at];
    if (length == 0) {
      length = 1;
    } else if (!Windows1252Byte(codePoint, &byte)) {
      *missing = codePoint;
      return false;
    }
    *converted += byte;
    at += length;
  }
  return true;
}

std::string CodePointText(unsigned long codePoint) { return "U+" + HexDigits(codePoint, 4); }
