#include "jvm/jar_file.h"

#include <algorithm>

#include "platform/platform.h"
#include "settings/text.h"

namespace {

const size_t kNone = static_cast<size_t>(-1);
const char kEndSignature[] = "PK\5\6";
const char kLocatorSignature[] = "PK\6\7";
const char kCentralSignature[] = "PK\1\2";
const char kLocalSignature[] = "PK\3\4";
const char kManifest[] = "META-INF/MANIFEST.MF";
// At a line's start, as jar tools write it; Java would take it in any case.
const char kClassPath[] = "\nClass-Path: ";
constexpr size_t kEndBytes = 22;
constexpr size_t kLocatorBytes = 20;
constexpr size_t kCentralBytes = 46;
constexpr size_t kLocalBytes = 30;
// The end record with the longest comment it can have.
constexpr size_t kLongestEnd = kEndBytes + 65535;
// The end record and the whole directory of most jars.
constexpr size_t kFirstRead = 16 * 1024;
// Of the directory and of the manifest, read from one jar at most: the
// directory of a million entries, or one that claims so, is not read. An
// entry takes 46 bytes at least, which bounds the entries walked.
constexpr size_t kMostRead = 4 * 1024 * 1024;
// Places in a jar count in size_t, on 32-bit Windows too.
constexpr unsigned long long kLargestJar = 0x7FFFFFFF;
const char kUnreadable[] = "nicht lesbar";
const char kTooBig[] = "zu gro\337 zum Pr\374fen";
const char kDamagedDirectory[] = "besch\344digt";

// Without an overflow, whatever a hostile field holds.
bool Within(size_t at, size_t count, size_t size) { return at <= size && count <= size - at; }

// 0 beyond the bytes, kNone for a value too big to be a place.
size_t Field(const std::string& bytes, size_t at, size_t count) {
  if (!Within(at, count, bytes.size())) return 0;
  unsigned long long value = LittleEndian(bytes, at, count);
  return value < kNone ? static_cast<size_t>(value) : kNone;
}

bool HasSignature(const std::string& bytes, size_t at, const char* signature) {
  return Within(at, 4, bytes.size()) && bytes.compare(at, 4, signature) == 0;
}

// The file's last bytes; a place in the file counts from its start.
struct Tail {
  std::string bytes;
  size_t size = 0;
  size_t Begin() const { return size - bytes.size(); }
};

// Where the directory lies, as Java finds it from the end record; a needed
// beyond the tail asks for more of it.
struct Directory {
  size_t begin = 0;
  size_t end = 0;
  // Where the entries' offsets count from: behind whatever precedes the archive.
  size_t base = 0;
  size_t needed = 0;
  bool ended = false;
  bool found = false;
};

// The last end record whose comment reaches the end of the file.
size_t FindEndRecord(const std::string& tail) {
  for (size_t at = tail.size(); at-- > 0 && tail.size() - at <= kLongestEnd;) {
    if (HasSignature(tail, at, kEndSignature) &&
        at + kEndBytes + Field(tail, at + 20, 2) == tail.size()) {
      return at;
    }
  }
  return kNone;
}

Directory Locate(const Tail& tail) {
  Directory directory;
  size_t end = FindEndRecord(tail.bytes);
  directory.needed = std::min(tail.size, kLongestEnd);
  if (end == kNone) return directory;
  directory.ended = true;
  size_t at = tail.Begin() + end, length = Field(tail.bytes, end + 12, 4);
  size_t offset = Field(tail.bytes, end + 16, 4);
  // A ZIP64 record: more entries or bytes than the check reads.
  if (end >= kLocatorBytes && HasSignature(tail.bytes, end - kLocatorBytes, kLocatorSignature)) {
    directory.needed = kMostRead + 1;
    return directory;
  }
  // Else damaged, as Java finds it: before the start of the file.
  directory.found = length <= at && offset <= at - length;
  directory.begin = at - length;
  directory.end = at;
  directory.base = directory.begin - offset;
  directory.needed = directory.found ? tail.size - directory.begin : 0;
  return directory;
}

// Where the directory places the manifest. Java reads a jar of up to 2 GB
// without ZIP64 extra fields.
struct Manifest {
  size_t method = 0;
  size_t length = 0;
  size_t offset = kNone;
};

// False for a directory Java refuses.
bool WalkDirectory(const Tail& tail, const Directory& directory, const std::string& entry,
                   JarContents& jar, Manifest& manifest) {
  const std::string& bytes = tail.bytes;
  size_t end = directory.end - tail.Begin();
  for (size_t at = directory.begin - tail.Begin(); at + kCentralBytes <= end;) {
    size_t name = Field(bytes, at + 28, 2);
    size_t next = at + kCentralBytes + name + Field(bytes, at + 30, 2) + Field(bytes, at + 32, 2);
    if (!HasSignature(bytes, at, kCentralSignature) || next > end) return false;
    jar.holdsEntry = jar.holdsEntry || bytes.compare(at + kCentralBytes, name, entry) == 0;
    if (bytes.compare(at + kCentralBytes, name, kManifest) == 0) {
      manifest = {Field(bytes, at + 10, 2), Field(bytes, at + 20, 4), Field(bytes, at + 42, 4)};
    }
    at = next;
  }
  return true;
}

// Behind its local header, whose name and extra field may differ in length
// from the directory's, though never by a kilobyte.
bool ReadManifest(const std::string& path, const Directory& directory, const Manifest& manifest,
                  std::string* text) {
  std::string bytes;
  size_t length = manifest.length, room = kLocalBytes + 1024;
  if (manifest.offset >= directory.begin - directory.base || length > kMostRead ||
      !platform::ReadFilePart(path, directory.base + manifest.offset, room + length, &bytes) ||
      !HasSignature(bytes, 0, kLocalSignature)) {
    return false;
  }
  size_t at = kLocalBytes + Field(bytes, 26, 2) + Field(bytes, 28, 2);
  if (!Within(at, length, bytes.size())) return false;
  text->assign(bytes, at, length);
  return manifest.method == 0;
}

// The tail that holds the directory; else what keeps it from being read.
const char* ReadDirectory(const std::string& path, Tail& tail, Directory& directory) {
  for (size_t wanted = kFirstRead;; wanted = directory.needed) {
    if (wanted > kMostRead) return kTooBig;
    if (!platform::ReadFilePart(path, -static_cast<long long>(wanted), wanted, &tail.bytes) ||
        tail.bytes.size() != std::min(wanted, tail.size)) {
      return kUnreadable;
    }
    directory = Locate(tail);
    if (directory.needed <= tail.bytes.size()) break;
  }
  std::string start;
  if (directory.found) return "";
  if (directory.ended) return kDamagedDirectory;
  // A copy cut short keeps the first entry's header and loses the end.
  platform::ReadFilePart(path, 0, 4, &start);
  return HasSignature(start, 0, kLocalSignature) ? "abgeschnitten" : "kein ZIP-Archiv";
}

}  // namespace

JarContents ReadJar(const std::string& path, const std::string& entry) {
  JarContents jar;
  Tail tail;
  Directory directory;
  Manifest manifest;
  std::string text;
  if (!platform::FileSize(path, &jar.size)) {
    jar.problem = "fehlt";
    return jar;
  }
  tail.size = static_cast<size_t>(std::min(jar.size, kLargestJar));
  jar.problem = jar.size > kLargestJar ? kTooBig : ReadDirectory(path, tail, directory);
  jar.damaged = jar.problem != kTooBig && jar.problem != kUnreadable && *jar.problem;
  if (*jar.problem) return jar;
  if (!WalkDirectory(tail, directory, entry, jar, manifest)) {
    jar.holdsEntry = false;
    jar.damaged = true;
    jar.problem = kDamagedDirectory;
  } else if (manifest.offset != kNone && !ReadManifest(path, directory, manifest, &text)) {
    jar.problem = kUnreadable;
  }
  jar.classPath = ManifestClassPath(text);
  return jar;
}

std::vector<std::string> ManifestClassPath(const std::string& manifest) {
  // In the main section, which ends at the first empty line; a line break
  // followed by a blank continues the line.
  size_t at = manifest.find(kClassPath);
  bool inMain = at < manifest.find("\n\r\n") && at < manifest.find("\n\n");
  std::string value;
  for (size_t i = at + sizeof kClassPath - 1; inMain && i < manifest.size(); ++i) {
    size_t next = i + (manifest.compare(i, 2, "\r\n") == 0 ? 2 : 1);
    bool lineEnd = manifest[i] == '\r' || manifest[i] == '\n';
    if (lineEnd && (next >= manifest.size() || manifest[next] != ' ')) break;
    if (lineEnd) {
      i = next;
    } else {
      value += manifest[i];
    }
  }
  std::vector<std::string> words;
  for (const std::string& word : SplitString(value, ' ')) {
    if (!word.empty()) words.push_back(word);
  }
  return words;
}
