#include "jvm/inflate.h"

#include <algorithm>

#include "settings/text.h"

// Deflate as its format describes it, a bit at a time: only a manifest of
// a few kilobytes passes through here.

namespace {

struct Bits {
  const std::string& bytes;
  size_t at = 0;
  // Past the end every bit reads as 0.
  bool overrun = false;
  unsigned Take(unsigned count) {
    unsigned value = 0;
    for (unsigned i = 0; i < count; ++i, ++at) {
      overrun = overrun || at / 8 >= bytes.size();
      if (!overrun) value |= (static_cast<unsigned char>(bytes[at / 8]) >> at % 8 & 1u) << i;
    }
    return value;
  }
};

// A canonical Huffman code, from the length of each symbol's code.
struct Code {
  unsigned short counts[16] = {};
  unsigned short symbols[288] = {};
  // False for lengths that give more codes than there are.
  bool Build(const unsigned char* lengths, unsigned count) {
    unsigned short offsets[16] = {};
    int left = 1;
    for (unsigned i = 0; i < count; ++i) ++counts[lengths[i]];
    for (unsigned length = 1; length < 16; ++length) {
      left = left * 2 - counts[length];
      if (left < 0) return false;
      if (length < 15) offsets[length + 1] = offsets[length] + counts[length];
    }
    for (unsigned i = 0; i < count; ++i) {
      if (lengths[i] != 0) symbols[offsets[lengths[i]]++] = static_cast<unsigned short>(i);
    }
    return true;
  }
  // -1 for bits that make no code.
  int Decode(Bits& bits) const {
    int first = 0, index = 0, value = 0;
    for (unsigned length = 1; length < 16 && !bits.overrun; ++length) {
      value |= static_cast<int>(bits.Take(1));
      if (value - first < counts[length]) return symbols[index + value - first];
      index += counts[length];
      first = (first + counts[length]) * 2;
      value *= 2;
    }
    return -1;
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

bool FixedCodes(Code& literals, Code& distances) {
  unsigned char lengths[288];
  for (unsigned i = 0; i < 288; ++i) lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
  literals.Build(lengths, 288);
  std::fill(lengths, lengths + 30, 5);
  return distances.Build(lengths, 30);
}

bool ReadCodes(Bits& bits, Code& literals, Code& distances) {
  static const unsigned char kOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                           11, 4,  12, 3, 13, 2, 14, 1, 15};
  unsigned literalCount = bits.Take(5) + 257, distanceCount = bits.Take(5) + 1;
  unsigned codeCount = bits.Take(4) + 4, total = literalCount + distanceCount;
  unsigned char codeLengths[19] = {}, lengths[320] = {};
  for (unsigned i = 0; i < codeCount; ++i) codeLengths[kOrder[i]] = bits.Take(3);
  Code lengthCode;
  if (literalCount > 286 || distanceCount > 30 || !lengthCode.Build(codeLengths, 19)) return false;
  for (unsigned i = 0; i < total;) {
    int symbol = lengthCode.Decode(bits);
    if (symbol < 0 || (symbol == 16 && i == 0)) return false;
    unsigned char repeated = symbol == 16 ? lengths[i - 1] : 0;
    unsigned times = symbol < 16    ? 1
                     : symbol == 16 ? 3 + bits.Take(2)
                     : symbol == 17 ? 3 + bits.Take(3)
                                    : 11 + bits.Take(7);
    if (i + times > total) return false;
    std::fill(lengths + i, lengths + i + times, symbol < 16 ? symbol : repeated);
    i += times;
  }
  return lengths[256] != 0 && literals.Build(lengths, literalCount) &&
         distances.Build(lengths + literalCount, distanceCount);
}

bool InflateBlock(Bits& bits, const Code& literals, const Code& distances, size_t maxBytes,
                  std::string* out) {
  for (int symbol = literals.Decode(bits); symbol != 256; symbol = literals.Decode(bits)) {
    if (symbol < 0 || symbol > 285 || bits.overrun || out->size() >= maxBytes) return false;
    if (symbol < 256) {
      out->push_back(static_cast<char>(symbol));
      continue;
    }
    size_t length = Span(bits, symbol - 257, false);
    int code = distances.Decode(bits);
    size_t distance = code < 0 || code > 29 ? out->size() + 1 : Span(bits, code, true);
    if (distance > out->size() || length > maxBytes - out->size()) return false;
    for (size_t i = 0; i < length; ++i) out->push_back((*out)[out->size() - distance]);
  }
  return true;
}

// Its bytes as they are, after the rest of the byte the header ended in.
bool CopyStored(Bits& bits, size_t maxBytes, std::string* out) {
  size_t at = (bits.at + 7) / 8;
  if (at + 4 > bits.bytes.size()) return false;
  size_t length = LittleEndian(bits.bytes, at, 2);
  if ((length ^ 0xFFFF) != LittleEndian(bits.bytes, at + 2, 2) ||
      length > bits.bytes.size() - at - 4 || length > maxBytes - out->size()) {
    return false;
  }
  out->append(bits.bytes, at + 4, length);
  bits.at = (at + 4 + length) * 8;
  return true;
}

}  // namespace

bool Inflate(const std::string& stream, size_t maxBytes, std::string* out) {
  Bits bits{stream};
  out->clear();
  for (bool last = false; !last;) {
    last = bits.Take(1) != 0;
    unsigned type = bits.Take(2);
    Code literals, distances;
    bool read = type == 0   ? CopyStored(bits, maxBytes, out)
                : type == 1 ? FixedCodes(literals, distances)
                            : type == 2 && ReadCodes(bits, literals, distances);
    if (!read || bits.overrun) return false;
    if (type != 0 && !InflateBlock(bits, literals, distances, maxBytes, out)) return false;
  }
  return true;
}
