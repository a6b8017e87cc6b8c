#include "jvm/jar_file.h"

#include <algorithm>

#include "jvm/java_attempt.h"
#include "platform/platform.h"
#include "settings/text.h"

namespace {

const size_t kNone = static_cast<size_t>(-1);
const char kEndSignature[] = "PK\5\6";
const char kLocatorSignature[] = "PK\6\7";
const char kZip64EndSignature[] = "PK\6\6";
const char kCentralSignature[] = "PK\1\2";
const char kLocalSignature[] = "PK\3\4";
const char kManifest[] = "META-INF/MANIFEST.MF";
constexpr size_t kEndBytes = 22;
constexpr size_t kLocatorBytes = 20;
constexpr size_t kZip64EndBytes = 56;
constexpr size_t kCentralBytes = 46;
constexpr size_t kLocalBytes = 30;
// The end record with the longest comment it can have.
constexpr unsigned long long kLongestEnd = kEndBytes + 65535;
// The end record and the whole directory of most jars.
constexpr size_t kFirstRead = 16 * 1024;
// Of the directory and of the manifest, read from one jar at most: the
// directory of a million entries, or one that claims so, is not read. An
// entry takes 46 bytes at least, which bounds the entries walked.
constexpr unsigned long long kMostRead = 4 * 1024 * 1024;
constexpr size_t kLongestManifest = 1024 * 1024;
constexpr unsigned long long kInExtraField = 0xFFFFFFFF;
const char kUnreadable[] = "nicht lesbar";
const char kDamagedDirectory[] = "Verzeichnis besch\344digt";

// Without an overflow, whatever a hostile field holds.
bool Within(unsigned long long at, unsigned long long count, unsigned long long size) {
  return at <= size && count <= size - at;
}

// 0 beyond the bytes.
unsigned long long Field(const std::string& bytes, unsigned long long at, size_t count) {
  return Within(at, count, bytes.size()) ? LittleEndian(bytes, at, count) : 0;
}

bool HasSignature(const std::string& bytes, unsigned long long at, const char* signature) {
  return Within(at, 4, bytes.size()) && bytes.compare(at, 4, signature) == 0;
}

// The file's last bytes; a place in the file counts from its start.
struct Tail {
  std::string bytes;
  unsigned long long size = 0;
  unsigned long long Begin() const { return size - bytes.size(); }
};

// Where the directory lies, as Java finds it from the end record; a needed
// beyond the tail asks for more of it.
struct Directory {
  unsigned long long begin = 0;
  unsigned long long end = 0;
  // Where the entries' offsets count from: behind whatever precedes the archive.
  unsigned long long base = 0;
  unsigned long long needed = 0;
  bool ended = false;
  bool found = false;
};

// The last end record whose comment reaches the end of the file, or one
// with bytes after it that names a directory: Java accepts both.
size_t FindEndRecord(const std::string& tail) {
  if (tail.size() < kEndBytes) return kNone;
  for (size_t at = tail.size() - kEndBytes + 1; at-- > 0 && tail.size() - at <= kLongestEnd;) {
    unsigned long long length = Field(tail, at + 12, 4);
    if (HasSignature(tail, at, kEndSignature) &&
        (at + kEndBytes + Field(tail, at + 20, 2) == tail.size() ||
         (length <= at && HasSignature(tail, at - length, kCentralSignature)))) {
      return at;
    }
  }
  return kNone;
}

// A ZIP64 end record replaces the end record's values where they agree or
// say that they do not fit.
bool Agrees(unsigned long long value, unsigned long long value64) {
  return value == value64 || value == kInExtraField;
}

Directory Locate(const Tail& tail) {
  Directory directory;
  size_t end = FindEndRecord(tail.bytes);
  directory.needed = std::min(tail.size, kLongestEnd);
  if (end == kNone) return directory;
  directory.ended = true;
  unsigned long long at = tail.Begin() + end, length = Field(tail.bytes, end + 12, 4),
                     offset = Field(tail.bytes, end + 16, 4);
  size_t locator = end - kLocatorBytes;
  if (end >= kLocatorBytes && HasSignature(tail.bytes, locator, kLocatorSignature)) {
    unsigned long long record = Field(tail.bytes, locator + 8, 8);
    bool readable = Within(record, kZip64EndBytes, tail.size);
    if (readable && record < tail.Begin()) {
      directory.needed = tail.size - record;
      return directory;
    }
    size_t in = record - tail.Begin();
    if (readable && HasSignature(tail.bytes, in, kZip64EndSignature) &&
        Agrees(length, Field(tail.bytes, in + 40, 8)) &&
        Agrees(offset, Field(tail.bytes, in + 48, 8))) {
      at = record;
      length = Field(tail.bytes, in + 40, 8);
      offset = Field(tail.bytes, in + 48, 8);
    }
  }
  // Else damaged, as Java finds it: before the start of the file.
  directory.found = length <= at && offset <= at - length;
  directory.begin = at - length;
  directory.end = at;
  directory.base = directory.begin - offset;
  directory.needed = directory.found ? tail.size - directory.begin : 0;
  return directory;
}

struct Manifest {
  unsigned long long sizes[2] = {0, 0};
  unsigned long long offset = 0;
  unsigned long long method = 0;
  bool found = false;
};

// Values too big for their fields stand in the ZIP64 extra field, each only
// when its field says so, in this order: size, compressed size, offset.
void ReadExtraField(const std::string& extra, Manifest& manifest) {
  for (size_t at = 0; at + 4 <= extra.size(); at += 4 + Field(extra, at + 2, 2)) {
    if (Field(extra, at, 2) != 1) continue;
    size_t value = at + 4;
    for (unsigned long long* field : {&manifest.sizes[0], &manifest.sizes[1], &manifest.offset}) {
      if (*field != kInExtraField) continue;
      *field = Field(extra, value, 8);
      value += 8;
    }
  }
}

// Java reads its entries where a jar tool wrote the name in another case.
void NoteManifest(const std::string& bytes, size_t at, size_t name, size_t extra,
                  Manifest& manifest) {
  if (name != sizeof kManifest - 1 ||
      ToUpper(bytes.substr(at + kCentralBytes, name)) != kManifest ||
      (manifest.found && bytes.compare(at + kCentralBytes, name, kManifest) != 0)) {
    return;
  }
  manifest.found = true;
  manifest.method = Field(bytes, at + 10, 2);
  manifest.sizes[1] = Field(bytes, at + 20, 4);
  manifest.sizes[0] = Field(bytes, at + 24, 4);
  manifest.offset = Field(bytes, at + 42, 4);
  ReadExtraField(bytes.substr(at + kCentralBytes + name, extra), manifest);
}

// False for a directory Java refuses.
bool WalkDirectory(const Tail& tail, const Directory& directory, const std::string& entry,
                   JarContents& jar, Manifest& manifest) {
  const std::string& bytes = tail.bytes;
  size_t end = directory.end - tail.Begin();
  for (size_t at = directory.begin - tail.Begin(); at + kCentralBytes <= end;) {
    size_t name = Field(bytes, at + 28, 2), extra = Field(bytes, at + 30, 2);
    size_t next = at + kCentralBytes + name + extra + Field(bytes, at + 32, 2);
    if (!HasSignature(bytes, at, kCentralSignature) || next > end) return false;
    jar.holdsEntry = jar.holdsEntry ||
                     (name == entry.size() && bytes.compare(at + kCentralBytes, name, entry) == 0);
    NoteManifest(bytes, at, name, extra, manifest);
    at = next;
  }
  return true;
}

// Behind its local header, whose name and extra field may differ in length
// from the directory's.
bool ReadManifest(const std::string& path, const Directory& directory, const Manifest& manifest,
                  std::string* text) {
  std::string header, stream;
  unsigned long long at = directory.base + manifest.offset, length = manifest.sizes[1];
  if (manifest.offset >= directory.begin - directory.base || length > kMostRead ||
      !platform::ReadFilePart(path, at, kLocalBytes, &header) ||
      !HasSignature(header, 0, kLocalSignature) || header.size() < kLocalBytes) {
    return false;
  }
  at += kLocalBytes + Field(header, 26, 2) + Field(header, 28, 2);
  if (!platform::ReadFilePart(path, at, length, &stream) || stream.size() != length) return false;
  if (manifest.method == 0) text->swap(stream);
  return manifest.method == 0 || (manifest.method == 8 && Inflate(stream, kLongestManifest, text));
}

// The tail that holds the directory, else what keeps it from being read.
void ReadDirectory(const std::string& path, Tail& tail, Directory& directory, JarContents& jar) {
  for (unsigned long long wanted = kFirstRead;; wanted = directory.needed) {
    if (wanted > kMostRead) {
      jar.problem = "Verzeichnis zu gro\337 f\374r die Pr\374fung";
      return;
    }
    if (!platform::ReadFilePart(path, -static_cast<long long>(wanted), wanted, &tail.bytes) ||
        tail.bytes.size() != std::min(wanted, tail.size)) {
      jar.problem = kUnreadable;
      return;
    }
    directory = Locate(tail);
    if (directory.needed <= tail.bytes.size()) break;
  }
  jar.damaged = !directory.found;
  std::string start;
  if (directory.ended || directory.found) {
    jar.problem = directory.found ? "" : kDamagedDirectory;
  } else if (platform::ReadFilePart(path, 0, 4, &start) &&
             HasSignature(start, 0, kLocalSignature)) {
    // A copy cut short keeps the first entry's header and loses the end.
    jar.problem = "abgeschnitten";
  } else {
    jar.problem = "kein ZIP-Archiv";
  }
}

}  // namespace

JarContents ReadJar(const std::string& path, const std::string& entry) {
  JarContents jar;
  Tail tail;
  Directory directory;
  Manifest manifest;
  std::string text;
  if (!platform::FileSize(path, &tail.size)) {
    jar.problem = "fehlt";
    return jar;
  }
  jar.size = tail.size;
  ReadDirectory(path, tail, directory, jar);
  if (!jar.problem.empty()) return jar;
  if (!WalkDirectory(tail, directory, entry, jar, manifest)) {
    jar.holdsEntry = false;
    jar.damaged = true;
    jar.problem = kDamagedDirectory;
  } else if (manifest.found && !ReadManifest(path, directory, manifest, &text)) {
    jar.problem = "META-INF/MANIFEST.MF nicht lesbar";
  }
  jar.classPath = ManifestClassPath(text);
  return jar;
}

std::vector<std::string> ManifestClassPath(const std::string& manifest) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < manifest.size();) {
    size_t end = std::min(manifest.find_first_of("\r\n", at), manifest.size());
    std::string line = manifest.substr(at, end - at);
    at = end + (manifest.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    // The main section ends at the first empty line.
    if (line.empty()) break;
    if (line[0] == ' ' && !lines.empty()) {
      lines.back() += line.substr(1);
    } else {
      lines.push_back(line);
    }
  }
  const std::string name = "CLASS-PATH: ";
  for (const std::string& line : lines) {
    if (ToUpper(line.substr(0, name.size())) != name) continue;
    std::vector<std::string> words;
    for (const std::string& word : SplitString(ReplaceWithBlank(line, "\t"), ' ')) {
      if (!word.empty()) words.push_back(word);
    }
    words.erase(words.begin());
    return words;
  }
  return {};
}
