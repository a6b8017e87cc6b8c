#pragma once

// ZIP archives as jar tools write them: local headers, the directory and
// the end record, with ZIP64 records when asked. No checksums: Java reads
// the directory without them.

#include <string>
#include <vector>

namespace zip_bytes {

struct Entry {
  std::string name;
  std::string data;
  // 8: data is deflated from size bytes.
  unsigned method = 0;
  size_t size = 0;
};

inline std::string Little(unsigned long long value, size_t count) {
  std::string bytes;
  for (size_t i = 0; i < count; ++i)
    bytes += static_cast<char>(i < 8 ? value >> (8 * i) & 0xFF : 0);
  return bytes;
}

inline std::string Zip(const std::vector<Entry>& entries, bool zip64 = false) {
  std::string local, directory;
  for (const Entry& e : entries) {
    std::string common = Little(20, 2) + Little(0, 2) + Little(e.method, 2) + Little(0, 8) +
                         Little(e.data.size(), 4) + Little(e.method ? e.size : e.data.size(), 4) +
                         Little(e.name.size(), 2) + Little(0, 2);
    directory +=
        "PK\1\2" + Little(20, 2) + common + Little(0, 10) + Little(local.size(), 4) + e.name;
    local += "PK\3\4" + common + e.name + e.data;
  }
  std::string end;
  if (zip64) {
    end = "PK\6\6" + Little(44, 8) + Little(45, 4) + Little(0, 8) + Little(entries.size(), 8) +
          Little(entries.size(), 8) + Little(directory.size(), 8) + Little(local.size(), 8);
    end += "PK\6\7" + Little(0, 4) + Little(local.size() + directory.size(), 8) + Little(1, 4);
  }
  unsigned long long count = zip64 ? 0xFFFF : entries.size();
  end += "PK\5\6" + Little(0, 4) + Little(count, 2) + Little(count, 2) +
         Little(zip64 ? 0xFFFFFFFF : directory.size(), 4) +
         Little(zip64 ? 0xFFFFFFFF : local.size(), 4) + Little(0, 2);
  return local + directory + end;
}

inline Entry Manifest(const std::string& classPath) {
  return {"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\r\nClass-Path: " + classPath + "\r\n\r\n"};
}

const Entry kMainClass = {"app/Main.class", "\xCA\xFE\xBA\xBE"};

}  // namespace zip_bytes
