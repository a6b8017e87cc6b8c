#include "settings/text_file.h"

#include "platform/platform.h"
#include "settings/text.h"

namespace {

const size_t kPieceBytes = 65536;
const std::string kLineEnds("\r\n\x1a", 3);
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

TextFile::TextFile(const std::string& path) : file_(platform::OpenInputFile(path, &openFailure_)) {
  if (!file_) return;
  while (piece_.size() < 3 && ReadMore()) {
  }
  if (StartsWith(piece_, "\xEF\xBB\xBF")) position_ = 3;
  bigEndian_ = StartsWith(piece_, "\xFE\xFF");
  utf16_ = bigEndian_ || StartsWith(piece_, "\xFF\xFE");
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
  size_t got = platform::ReadInputFile(*file_, &target[held], kPieceBytes);
  target.resize(held + got);
  ended_ = got == 0;
  if (utf16_) DecodeUtf16();
  return !ended_ || piece_.size() > kept;
}

// A unit cut off by the piece's end, or a high surrogate whose partner may
// follow in the next piece, waits for it; at the file's end it is U+FFFD.
void TextFile::DecodeUtf16() {
  auto unit = [this](size_t at) {
    unsigned long first = static_cast<unsigned char>(undecoded_[at]);
    unsigned long second = static_cast<unsigned char>(undecoded_[at + 1]);
    return bigEndian_ ? first << 8 | second : second << 8 | first;
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
  if (!file_ || lastLineTaken_) return false;
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
    if (piece_[end] == '\x1a') {
      ended_ = true;
      break;
    }
    afterCarriageReturn_ = piece_[end] == '\r';
    return true;
  }
  lastLineTaken_ = true;
  return true;
}
