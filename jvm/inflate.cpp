#include <algorithm>

#include "jvm/jar_file.h"
#include "settings/text.h"

// Deflate as the format describes it, a bit at a time: only a manifest of
// a few kilobytes passes through here.

namespace {

const unsigned short kLengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                        15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                        67, 83, 99, 115, 131, 163, 195, 227, 258};
const unsigned char kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                        2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const unsigned short kDistanceBase[30] = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const unsigned char kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                          6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

struct Bits {
  const std::string& bytes;
  size_t at = 0;
  // Read past the end: every later bit reads as 0.
  bool overrun = false;
  unsigned Take(unsigned count) {
    unsigned value = 0;
    for (unsigned i = 0; i < count && !overrun; ++i, ++at) {
      overrun = at / 8 >= bytes.size();
      if (!overrun) value |= (static_cast<unsigned char>(bytes[at / 8]) >> at % 8 & 1u) << i;
    }
    return value;
  }
};

// A canonical Huffman code: how many codes each length has, the symbols by code.
struct Code {
  unsigned short counts[16] = {};
  unsigned short symbols[288] = {};
};

// False for lengths that give more codes than there are.
bool Build(const unsigned char* lengths, unsigned count, Code& code) {
  for (unsigned i = 0; i < count; ++i) ++code.counts[lengths[i]];
  unsigned short offsets[16] = {};
  int left = 1;
  for (unsigned length = 1; length < 16; ++length) {
    left = left * 2 - code.counts[length];
    if (left < 0) return false;
    if (length < 15) offsets[length + 1] = offsets[length] + code.counts[length];
  }
  for (unsigned i = 0; i < count; ++i) {
    if (lengths[i] != 0) code.symbols[offsets[lengths[i]]++] = static_cast<unsigned short>(i);
  }
  return true;
}

// -1 for bits that make no code.
int Decode(Bits& bits, const Code& code) {
  int first = 0, index = 0, value = 0;
  for (unsigned length = 1; length < 16 && !bits.overrun; ++length) {
    value |= static_cast<int>(bits.Take(1));
    int count = code.counts[length];
    if (value - first < count) return code.symbols[index + value - first];
    index += count;
    first = (first + count) * 2;
    value *= 2;
  }
  return -1;
}

void FixedCodes(Code& literals, Code& distances) {
  unsigned char lengths[288];
  std::fill(lengths, lengths + 144, 8);
  std::fill(lengths + 144, lengths + 256, 9);
  std::fill(lengths + 256, lengths + 280, 7);
  std::fill(lengths + 280, lengths + 288, 8);
  Build(lengths, 288, literals);
  std::fill(lengths, lengths + 30, 5);
  Build(lengths, 30, distances);
}

bool ReadCodes(Bits& bits, Code& literals, Code& distances) {
  static const unsigned char kOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                           11, 4,  12, 3, 13, 2, 14, 1, 15};
  unsigned literalCount = bits.Take(5) + 257, distanceCount = bits.Take(5) + 1;
  unsigned codeCount = bits.Take(4) + 4, total = literalCount + distanceCount;
  unsigned char codeLengths[19] = {}, lengths[320] = {};
  for (unsigned i = 0; i < codeCount; ++i) codeLengths[kOrder[i]] = bits.Take(3);
  Code lengthCode;
  if (literalCount > 286 || distanceCount > 30 || !Build(codeLengths, 19, lengthCode)) return false;
  for (unsigned i = 0; i < total;) {
    int symbol = Decode(bits, lengthCode);
    if (symbol < 0 || (symbol == 16 && i == 0)) return false;
    if (symbol < 16) {
      lengths[i++] = static_cast<unsigned char>(symbol);
      continue;
    }
    unsigned char repeated = symbol == 16 ? lengths[i - 1] : 0;
    unsigned times = symbol == 16   ? 3 + bits.Take(2)
                     : symbol == 17 ? 3 + bits.Take(3)
                                    : 11 + bits.Take(7);
    if (i + times > total) return false;
    std::fill(lengths + i, lengths + i + times, repeated);
    i += times;
  }
  return lengths[256] != 0 && Build(lengths, literalCount, literals) &&
         Build(lengths + literalCount, distanceCount, distances);
}

bool InflateBlock(Bits& bits, const Code& literals, const Code& distances, size_t maxBytes,
                  std::string* out) {
  for (;;) {
    int symbol = Decode(bits, literals);
    if (symbol < 0 || bits.overrun || symbol > 285) return false;
    if (symbol == 256) return true;
    if (out->size() >= maxBytes) return false;
    if (symbol < 256) {
      out->push_back(static_cast<char>(symbol));
      continue;
    }
    size_t length = kLengthBase[symbol - 257] + bits.Take(kLengthExtra[symbol - 257]);
    int code = Decode(bits, distances);
    if (code < 0 || code > 29) return false;
    size_t distance = kDistanceBase[code] + bits.Take(kDistanceExtra[code]);
    if (distance > out->size() || length > maxBytes - out->size()) return false;
    for (size_t i = 0; i < length; ++i) out->push_back((*out)[out->size() - distance]);
  }
}

// Its bytes as they are, after the rest of the byte the header ended in.
bool CopyStored(Bits& bits, size_t maxBytes, std::string* out) {
  size_t at = (bits.at + 7) / 8;
  unsigned long long length = at + 4 <= bits.bytes.size() ? LittleEndian(bits.bytes, at, 2) : 0;
  if (at + 4 > bits.bytes.size() || (length ^ 0xFFFF) != LittleEndian(bits.bytes, at + 2, 2) ||
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
    bool read = true;
    if (type == 0) {
      read = CopyStored(bits, maxBytes, out);
    } else if (type == 1) {
      FixedCodes(literals, distances);
    } else {
      read = type == 2 && ReadCodes(bits, literals, distances);
    }
    if (!read || bits.overrun) return false;
    if (type != 0 && !InflateBlock(bits, literals, distances, maxBytes, out)) return false;
  }
  return true;
}
