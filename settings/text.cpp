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

const size_t kPieceBytes = 65536;
const std::string kLineEnds("\r\n\032", 3);
const unsigned long kReplacement = 0xFFFD;

void AppendUtf8(unsigned long codePoint, std::string* text) {
  static const unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
  size_t length = codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
  std::string bytes(length, '\0');
  for (size_t i = length - 1; i > 0; --i, codePoint >>= 6) {
    bytes[i] = static_cast<char>(0x80 | (codePoint & 0x3F));
  }
  bytes[0] = static_cast<char>(kLead[length] | codePoint);
  *text += bytes;
}

bool IsSurrogate(unsigned long unit, unsigned long first) {
  return unit >= first && unit < first + 0x400;
}

}  // namespace

std::string Concat(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text.append(part.data(), part.size());
  return text;
}

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string ToUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string ReplaceWithBlank(const std::string& text, const std::string& pattern) {
  std::string result;
  size_t from = 0;
  for (size_t hit = text.find(pattern); hit != std::string::npos; hit = text.find(pattern, from)) {
    result.append(text, from, hit - from) += ' ';
    from = hit + pattern.size();
  }
  return result.append(text, from, std::string::npos);
}

std::vector<std::string> SplitString(const std::string& text, char delimiter) {
  std::vector<std::string> tokens;
  size_t from = 0;
  for (size_t hit = text.find(delimiter); hit != std::string::npos;
       hit = text.find(delimiter, from)) {
    tokens.push_back(text.substr(from, hit - from));
    from = hit + 1;
  }
  if (from < text.size()) tokens.push_back(text.substr(from));
  return tokens;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
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

// The launcher's texts and paths are Windows-1252 bytes; in another code
// page Windows shows their umlauts as other letters and hands them so to
// Java. 65001 is UTF-8.
std::string CodePageWarning() {
  unsigned codePage = platform::AnsiCodePage();
  if (codePage == 1252) return std::string();
  return "Die ANSI-Codepage dieses Computers ist " + std::to_string(codePage) +
         ", nicht 1252 (Windows-1252): Umlaute in Meldungen, Protokoll und Pfaden werden falsch "
         "angezeigt und kommen bei Java verst\374mmelt an" +
         (codePage == 65001 ? " (die Windows-Option \"Unicode UTF-8 f\374r die weltweite "
                              "Sprachunterst\374tzung verwenden\" ist eingeschaltet)"
                            : "");
}

bool IsUtf8(const std::string& text) {
  unsigned long codePoint = 0;
  size_t length = 1;
  for (size_t at = 0; at < text.size() && length > 0; at += length) {
    length = DecodeUtf8(text, at, &codePoint);
  }
  return length > 0;
}

bool Utf8ToWindows1252(const std::string& text, std::string* converted, unsigned long* missing) {
  std::string bytes;
  unsigned long codePoint = 0;
  for (size_t at = 0, length; at < text.size(); at += std::max<size_t>(length, 1)) {
    length = DecodeUtf8(text, at, &codePoint);
    char byte = text[at];
    if (length > 0 && !Windows1252Byte(codePoint, &byte)) {
      *missing = codePoint;
      return false;
    }
    bytes += byte;
  }
  *converted = bytes;
  return true;
}

TextFile::TextFile(const std::string& path) : file_(platform::OpenInputFile(path, &openFailure_)) {
  if (!file_) return;
  while (piece_.size() < 3 && ReadMore()) {
  }
  if (StartsWith(piece_, "\357\273\277")) position_ = 3;
  bigEndian_ = StartsWith(piece_, "\376\377");
  utf16_ = bigEndian_ || StartsWith(piece_, "\377\376");
  if (!utf16_) return;
  undecoded_ = piece_.substr(2);
  piece_.clear();
  DecodeUtf16();
}

bool TextFile::ReadMore() {
  if (ended_) return false;
  piece_.erase(0, position_);
  position_ = 0;
  size_t kept = piece_.size();
  std::string& target = utf16_ ? undecoded_ : piece_;
  size_t held = target.size();
  target.resize(held + kPieceBytes);
  target.resize(held + platform::ReadInputFile(*file_, &target[held], kPieceBytes));
  ended_ = target.size() == held;
  if (utf16_) DecodeUtf16();
  return !ended_ || piece_.size() > kept;
}

// A unit cut off by the piece's end, or a high surrogate whose partner may
// follow in the next piece, waits for it; at the file's end it is U+FFFD.
void TextFile::DecodeUtf16() {
  auto unit = [this](size_t at) {
    unsigned long little = LittleEndian(undecoded_, at, 2);
    return bigEndian_ ? (little & 0xFF) << 8 | little >> 8 : little;
  };
  size_t at = 0;
  for (; at + 2 <= undecoded_.size(); at += 2) {
    unsigned long codePoint = unit(at);
    bool paired = at + 4 <= undecoded_.size();
    if (IsSurrogate(codePoint, 0xD800) && !paired && !ended_) break;
    if (IsSurrogate(codePoint, 0xD800) && paired && IsSurrogate(unit(at + 2), 0xDC00)) {
      codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (unit(at + 2) - 0xDC00);
      at += 2;
    } else if (IsSurrogate(codePoint, 0xD800) || IsSurrogate(codePoint, 0xDC00)) {
      codePoint = kReplacement;
    }
    AppendUtf8(codePoint, &piece_);
  }
  if (ended_ && at < undecoded_.size()) AppendUtf8(kReplacement, &piece_);
  undecoded_.erase(0, ended_ ? std::string::npos : at);
}

// A CR ends a line by itself too, as old editors and some export tools end
// theirs; the LF of a CR LF is skipped when the next line begins, so that it
// may lie in the next piece.
bool TextFile::ReadLine(std::string* line) {
  if (!file_) return false;
  line->clear();
  for (;;) {
    if (afterCarriageReturn_ && position_ < piece_.size()) {
      if (piece_[position_] == '\n') ++position_;
      afterCarriageReturn_ = false;
    }
    size_t end = piece_.find_first_of(kLineEnds, position_);
    line->append(piece_, position_, end - position_);
    if (end == std::string::npos) {
      position_ = piece_.size();
      if (ReadMore()) continue;
      break;
    }
    position_ = end + 1;
    if (piece_[end] == '\032') {
      ended_ = true;
      break;
    }
    afterCarriageReturn_ = piece_[end] == '\r';
    return true;
  }
  file_.reset();
  return true;
}
