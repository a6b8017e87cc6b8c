#pragma once

// Class-data archive files as Java writes them, for the tests.

#include <string>

namespace archive_file {

inline void PutLittle(std::string& bytes, size_t at, unsigned long long value, size_t count) {
  for (size_t i = 0; i < count; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

// An archive with the magic and header version whose second region, at
// regionAt in the header, starts at 4096 and ends at regionsEnd, the file
// size bytes long.
inline std::string Made(const char* magic, unsigned version, size_t regionAt,
                        unsigned long long regionsEnd, size_t size) {
  std::string bytes(size < 1024 ? 1024 : size, '\0');
  bytes.replace(0, 4, magic);
  PutLittle(bytes, 8, version, 4);
  PutLittle(bytes, regionAt + 24, 4096, 8);
  PutLittle(bytes, regionAt + 40, regionsEnd - 4096, 8);
  bytes.resize(size);
  return bytes;
}

// A dynamic archive of header version 11 (Java 17).
inline std::string Java17(unsigned long long regionsEnd, size_t size) {
  return Made("\xA8\xAB\x0B\xF0", 11, 16 + 72, regionsEnd, size);
}

// An AOT cache of Java 25: the static archive's magic, header version 19.
inline std::string Java25(unsigned long long regionsEnd, size_t size) {
  return Made("\xA2\xAB\x0B\xF0", 19, 24 + 96, regionsEnd, size);
}

}  // namespace archive_file
