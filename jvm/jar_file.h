#pragma once

#include <string>
#include <vector>

// What check mode learns of a jar of the class path from its ZIP directory
// and manifest, as Java's own ZIP reader finds them; nothing is unpacked
// but the manifest, and little is read, whatever the jar.
struct JarContents {
  unsigned long long size = 0;
  // What is wrong, "kein ZIP-Archiv" or "abgeschnitten"; empty when nothing is.
  const char* problem = "";
  // Java cannot read the jar either, rather than only the check.
  bool damaged = false;
  bool holdsEntry = false;
  // The words of the manifest's Class-Path, relative URLs as written.
  std::vector<std::string> classPath;
};

// Looks for the entry ("app/Main.class") in the jar.
JarContents ReadJar(const std::string& path, const std::string& entry);

// A raw deflate stream, as a ZIP entry holds it; false when it is damaged,
// has codes of its own (a manifest of kilobytes) or would inflate to more
// than maxBytes.
bool Inflate(const std::string& stream, size_t maxBytes, std::string* out);

// The main section's Class-Path, its continuation lines joined.
std::vector<std::string> ManifestClassPath(const std::string& manifest);
