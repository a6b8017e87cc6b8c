#include "jvm/java_release.h"

#include "platform/platform.h"
#include "settings/text.h"

namespace {

// A release file holds a few dozen short lines.
constexpr size_t kReleaseBytes = 16384;
constexpr char kVersionKey[] = "\nJAVA_VERSION=\"";

int LeadingNumber(const std::string& text, size_t from) {
  int number = 0;
  size_t pos = from;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && number < 10000; ++pos) {
    number = number * 10 + (text[pos] - '0');
  }
  return pos == from ? 0 : number;
}

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
  if (end == std::string::npos) return std::string();
  for (size_t i = at; i < end; ++i) {
    if (text[i] < ' ' || text[i] > '~') return std::string();
  }
  return text.substr(at, end - at);
}

int FeatureVersion(const std::string& version) {
  if (StartsWith(version, "1.")) return LeadingNumber(version, 2);
  return LeadingNumber(version, 0);
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
