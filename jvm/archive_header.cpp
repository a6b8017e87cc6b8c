#include "jvm/archive_header.h"

#include <algorithm>

#include "settings/text.h"

namespace {

// The dynamic archive's magic number 0xf00baba8, as x86 stores it. Java writes
// the header last, after every region, so a file that begins with it was
// written to its end; a copy cut short still begins with it.
const char kDynamicMagic[] = "\250\253\013\360";
// The static archive's 0xf00baba2, which Java 25 also writes last.
const char kStaticMagic[] = "\242\253\013\360";

// Where a 64-bit Java puts its table of regions (CDSFileMapRegion, each
// with its _file_offset 24 and _used 40 bytes in), by the header's _version:
// 11 Java 17 (checked against a dump of 17.0.15), 14 Java 19 or 20, 18 Java
// 21, from their cds.h; 19 Java 25, read off files of Temurin 25.0.3. From
// 13 on the header declares its own size (_header_size, at 12). Java checks
// the regions of a static archive only; a dynamic one cut short makes it
// fault while it maps the file.
struct Layout {
  unsigned version;
  size_t table;
  size_t stride;
  size_t regions;
};
const Layout kLayouts[] = {{11, 16, 72, 7}, {14, 24, 72, 7}, {18, 24, 88, 4}, {19, 24, 96, 5}};
constexpr unsigned kGenericHeaderVersion = 13;

unsigned long long Sum(unsigned long long a, unsigned long long b) {
  return a + b < a ? ~0ull : a + b;
}

}  // namespace

ArchiveHeader ReadArchiveHeader(const std::string& start) {
  ArchiveHeader header;
  if (start.size() < 16) return header;
  if (start.compare(0, 4, kDynamicMagic) == 0) header.kind = ArchiveKind::kDynamic;
  if (start.compare(0, 4, kStaticMagic) == 0) header.kind = ArchiveKind::kAotCache;
  if (header.kind == ArchiveKind::kNone) return header;
  unsigned version = static_cast<unsigned>(LittleEndian(start, 8, 4));
  // The fields read so far, at least: a header that declares less is no header.
  header.needed =
      version < kGenericHeaderVersion ? 16 : std::max(24ull, LittleEndian(start, 12, 4));
  for (const Layout& layout : kLayouts) {
    if (layout.version != version) continue;
    size_t end = layout.table + layout.regions * layout.stride;
    header.needed = std::max<unsigned long long>(header.needed, end);
    if (start.size() < end) return header;
    for (size_t at = layout.table; at < end; at += layout.stride) {
      header.needed = std::max(
          header.needed, Sum(LittleEndian(start, at + 24, 8), LittleEndian(start, at + 40, 8)));
    }
  }
  return header;
}
