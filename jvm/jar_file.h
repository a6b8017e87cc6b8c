#pragma once

#include <string>
#include <vector>

// What check mode learns of a jar of the class path from its ZIP directory
// and a stored manifest, as Java's own ZIP reader finds them; nothing is
// unpacked, and little is read, whatever the jar.
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

// The main section's Class-Path, its continuation lines joined.
std::vector<std::string> ManifestClassPath(const std::string& manifest);
