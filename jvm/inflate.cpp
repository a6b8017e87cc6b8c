#include "jvm/jar_file.h"
#include "settings/text.h"

// Deflate with the format's fixed codes, which a jar tool's deflater picks
// for a manifest of a few hundred bytes; a bit at a time, as such a
// manifest is all that passes through here.

namespace {

struct Bits {
  const std::string& bytes;
  size_t at = 0;
  // Past the end every bit reads as 0.
  bool overrun = false;
  // The first bit read is the lowest; a code's first bit is its highest.
  unsigned Take(unsigned count, bool code = false) {
    unsigned value = 0;
    for (unsigned i = 0; i < count; ++i, ++at) {
      overrun = overrun || at / 8 >= bytes.size();
      unsigned bit = overrun ? 0 : static_cast<unsigned char>(bytes[at / 8]) >> at % 8 & 1u;
      value |= code ? bit << (count - 1 - i) : bit << i;
    }
    return value;
  }
  // The fixed code: 7 bits for 256 to 279, 8 for 0 to 143 and 280 to 287,
  // 9 for 144 to 255.
  unsigned Symbol() {
    unsigned code = Take(7, true);
    if (code < 24) return 256 + code;
    code = code << 1 | Take(1);
    if (code < 192) return code - 48;
    if (code < 200) return code + 88;
    return (code << 1 | Take(1)) - 256;
  }
};

// A length (from symbol 257) or a distance: each symbol's range follows the
// one before, its extra bits growing every fourth or second symbol.
size_t Span(Bits& bits, unsigned symbol, bool distance) {
  size_t base = distance ? 1 : 3;
  unsigned extra = 0;
  for (unsigned i = 0; i <= symbol; ++i) {
    if (i > 0) base += size_t{1} << extra;
    extra = distance ? (i < 2 ? 0 : (i - 2) / 2) : (i < 8 || i == 28 ? 0 : (i - 4) / 4);
  }
  return (!distance && symbol == 28 ? 258 : base) + bits.Take(extra);
}

}  // namespace

bool Inflate(const std::string& stream, size_t maxBytes, std::string* out) {
  Bits bits{stream};
  out->clear();
  for (bool last = false; !last;) {
    last = bits.Take(1) != 0;
    if (bits.Take(2) != 1) return false;
    for (unsigned symbol = bits.Symbol(); symbol != 256; symbol = bits.Symbol()) {
      if (bits.overrun || symbol > 285 || out->size() >= maxBytes) return false;
      if (symbol < 256) {
        out->push_back(static_cast<char>(symbol));
        continue;
      }
      size_t length = Span(bits, symbol - 257, false);
      unsigned code = bits.Take(5, true);
      size_t distance = code > 29 ? out->size() + 1 : Span(bits, code, true);
      if (distance > out->size() || length > maxBytes - out->size()) return false;
      for (size_t i = 0; i < length; ++i) out->push_back((*out)[out->size() - distance]);
    }
  }
  return !bits.overrun;
}
