#pragma once

#include <string>

// What the header of a class-data archive file says: whether it is Java's
// dynamic archive, and how many bytes the file must hold for Java to map it.
struct ArchiveHeader {
  bool dynamic = false;
  unsigned long long needed = 0;
};

// Enough of the file's start for every header layout read here.
constexpr size_t kArchiveHeaderBytes = 1024;

ArchiveHeader ReadArchiveHeader(const std::string& start);

// A dynamic archive whose size covers what its header declares.
bool IsWholeArchive(const std::string& start, unsigned long long size);
