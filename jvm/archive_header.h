#pragma once

#include <string>

// What the header of a class-data archive file says: whether it is Java's
// dynamic archive, and how many bytes the file must hold for Java to map it.
struct ArchiveHeader {
  bool dynamic = false;
  unsigned long long needed = 0;
  // A dynamic archive whose size covers what its header declares.
  bool Whole(unsigned long long size) const { return dynamic && size >= needed; }
};

// Enough of the file's start for every header layout read here.
constexpr size_t kArchiveHeaderBytes = 1024;

ArchiveHeader ReadArchiveHeader(const std::string& start);
