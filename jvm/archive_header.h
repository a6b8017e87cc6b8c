#pragma once

#include <string>

// Which file Java's magic number at its start makes it: Java 25 writes its
// AOT cache as a static archive.
enum class ArchiveKind { kNone, kDynamic, kAotCache };

// How many bytes the file must hold for Java to map it.
struct ArchiveHeader {
  ArchiveKind kind = ArchiveKind::kNone;
  unsigned long long needed = 0;
  // A file of the kind whose size covers what its header declares.
  bool Whole(ArchiveKind expected, unsigned long long size) const {
    return kind == expected && kind != ArchiveKind::kNone && size >= needed;
  }
};

// Enough for every header layout read here.
constexpr size_t kArchiveHeaderBytes = 1024;

ArchiveHeader ReadArchiveHeader(const std::string& start);
