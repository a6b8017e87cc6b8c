// Whether an archive file holds what its header declares, for the header
// layouts of the Javas the launcher knows.

#include "jvm/archive_header.h"

#include <gtest/gtest.h>

#include "tests/unit/archive_file.h"

namespace {

using archive_file::PutLittle;

std::string Header(unsigned version, size_t table, size_t stride, size_t region,
                   unsigned long long offset, unsigned long long used) {
  std::string bytes(1024, '\0');
  bytes.replace(0, 4, "\xA8\xAB\x0B\xF0");
  PutLittle(bytes, 8, version, 4);
  PutLittle(bytes, 12, 400, 4);
  PutLittle(bytes, table + region * stride + 24, offset, 8);
  PutLittle(bytes, table + region * stride + 40, used, 8);
  return bytes;
}

TEST(ArchiveHeader, TheFileMustHoldEveryRegion) {
  const struct {
    const char* name;
    std::string start;
    unsigned long long size;
    bool whole;
  } cases[] = {
      {"Java 17", archive_file::Java17(103936, 106496), 106496, true},
      {"Java 17 cut to 4096 bytes", archive_file::Java17(103936, 4096), 4096, false},
      {"Java 17, last region ends at the file's end", Header(11, 16, 72, 6, 8000, 192), 8192, true},
      {"Java 17, last region one byte short", Header(11, 16, 72, 6, 8000, 193), 8192, false},
      {"version 14", Header(14, 24, 72, 2, 100000, 5000), 104999, false},
      {"Java 21", Header(18, 24, 88, 3, 100000, 5000), 105000, true},
      {"Java 21 cut short", Header(18, 24, 88, 3, 100000, 5000), 104999, false},
      {"region past the end of the numbers", Header(11, 16, 72, 0, ~0ull, 2), ~0ull - 1, false},
      {"later version: its header's own size", Header(25, 24, 88, 0, 100000, 5000), 400, true},
      {"later version shorter than its header", Header(25, 24, 88, 0, 0, 0), 399, false},
      {"earlier version: the header's start", Header(9, 16, 72, 0, 100000, 5000), 16, true},
      {"header cut short", Header(11, 16, 72, 0, 0, 0).substr(0, 300), 300, false},
      {"no magic: being written", std::string(1024, '\0'), 1 << 20, false},
      {"static archive", "\xA2\xAB\x0B\xF0" + std::string(1020, '\0'), 1 << 20, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadArchiveHeader(c.start).Whole(ArchiveKind::kDynamic, c.size), c.whole) << c.name;
  }
}

}  // namespace
