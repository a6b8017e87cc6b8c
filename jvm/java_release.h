#pragma once

#include <string>

// Java itself is never asked: starting it costs more than the whole launcher.
struct JavaRelease {
  // The release file's path, as the log names it.
  std::string path;
  bool found = false;
  // JAVA_VERSION without its quotes, empty when the file has none.
  std::string version;
  // 17 for "17.0.13", 8 for "1.8.0_392"; 0 when unreadable.
  int feature = 0;
};

JavaRelease ReadJavaRelease(const std::string& javaHome);

std::string ReleaseVersion(const std::string& releaseText);

// Java's feature version from its version text; the "1." of Java 8 and
// older is skipped. 0 when the text does not begin with a number.
int FeatureVersion(const std::string& version);
