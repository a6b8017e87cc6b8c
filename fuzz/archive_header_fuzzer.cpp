// Archive headers: any bytes are read within their bounds; a file without
// the dynamic archive's magic is never whole, and a whole file stays whole
// when it grows.

#include "fuzz/fuzz_support.h"
#include "jvm/archive_header.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  std::string start = Text(data, size);
  ArchiveHeader header = ReadArchiveHeader(start);
  bool magic = size >= 4 && start.compare(0, 4, "\xA8\xAB\x0B\xF0") == 0;
  Check(magic || !header.Whole(ArchiveKind::kDynamic, ~0ull), "no magic, never whole");
  Check(header.kind == ArchiveKind::kNone || header.needed >= 16,
        "the header's own fields are needed");
  for (unsigned long long length : {size + 0ull, header.needed}) {
    if (length < ~0ull && header.Whole(header.kind, length)) {
      Check(header.Whole(header.kind, length + 1), "a whole file stays whole when it grows");
    }
  }
  return 0;
}
