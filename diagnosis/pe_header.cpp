#include "diagnosis/pe_header.h"

#include "platform/platform.h"
#include "settings/text.h"

namespace {

// Far more than any linker puts before the PE header.
const size_t kHeaderBytes = 4096;
const size_t kNewHeaderOffset = 0x3C;

}  // namespace

unsigned PeMachine(const std::string& bytes) {
  if (bytes.size() < kNewHeaderOffset + 4 || bytes.compare(0, 2, "MZ") != 0) return 0;
  unsigned long long header = LittleEndian(bytes, kNewHeaderOffset, 4);
  if (header > bytes.size() || bytes.size() - header < 6) return 0;
  if (bytes.compare(header, 4, std::string("PE\0\0", 4)) != 0) return 0;
  return static_cast<unsigned>(LittleEndian(bytes, header + 4, 2));
}

unsigned ReadPeMachine(const std::string& path) {
  std::string bytes;
  if (!platform::ReadFileStart(path, kHeaderBytes, &bytes)) return 0;
  return PeMachine(bytes);
}
