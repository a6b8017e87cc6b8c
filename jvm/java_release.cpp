#include "jvm/java_release.h"

#include <algorithm>

#include "platform/platform.h"
#include "settings/text.h"

namespace {

// A release file holds a few dozen short lines.
constexpr size_t kReleaseBytes = 16384;
constexpr char kVersionKey[] = "\nJAVA_VERSION=\"";

}  // namespace

// The JDK writes each line as KEY="value". A value whose quote does not
// close on its line, or that holds other than printable characters, is no
// version: it would go into the log and the archive's name.
std::string ReleaseVersion(const std::string& releaseText) {
  std::string text = "\n" + releaseText;
  size_t at = text.find(kVersionKey);
  if (at == std::string::npos) return std::string();
  at += sizeof kVersionKey - 1;
  size_t end = text.find('"', at);
  auto unprintable = [](char c) { return c < ' ' || c > '~'; };
  if (end == std::string::npos || std::any_of(&text[at], &text[end], unprintable)) return "";
  return text.substr(at, end - at);
}

int FeatureVersion(const std::string& version) {
  size_t pos = StartsWith(version, "1.") ? 2 : 0;
  int number = 0;
  while (pos < version.size() && version[pos] >= '0' && version[pos] <= '9' && number < 10000)
    number = number * 10 + (version[pos++] - '0');
  return number;
}

JavaRelease ReadJavaRelease(const std::string& javaHome) {
  JavaRelease release;
  release.path = javaHome + "\\release";
  std::string text;
  release.found = platform::ReadFileStart(release.path, kReleaseBytes, &text);
  release.version = ReleaseVersion(text);
  release.feature = FeatureVersion(release.version);
  return release;
}
