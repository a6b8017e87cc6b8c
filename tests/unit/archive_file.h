#pragma once

// Class-data archive files as Java writes them, for the tests.

#include <string>

namespace archive_file {

inline void PutLittle(std::string& bytes, size_t at, unsigned long long value, size_t count) {
  for (size_t i = 0; i < count; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

// A dynamic archive of header version 11 (Java 17) whose last region ends
// at regionsEnd, the file size bytes long.
inline std::string Java17(unsigned long long regionsEnd, size_t size) {
  std::string bytes(size < 1024 ? 1024 : size, '\0');
  bytes.replace(0, 4, "\xA8\xAB\x0B\xF0");
  PutLittle(bytes, 8, 11, 4);
  PutLittle(bytes, 16 + 72 + 24, 4096, 8);
  PutLittle(bytes, 16 + 72 + 40, regionsEnd - 4096, 8);
  bytes.resize(size);
  return bytes;
}

}  // namespace archive_file
