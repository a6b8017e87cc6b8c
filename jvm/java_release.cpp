#include "jvm/java_release.h"

#include "platform/platform.h"
#include "settings/text.h"

namespace {

// A release file holds a few dozen short lines.
constexpr size_t kReleaseBytes = 16384;
constexpr char kVersionKey[] = "JAVA_VERSION=";

int LeadingNumber(const std::string& text, size_t from) {
  int number = 0;
  size_t pos = from;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && number < 10000; ++pos) {
    number = number * 10 + (text[pos] - '0');
  }
  return pos == from ? 0 : number;
}

}  // namespace

std::string ReleaseVersion(const std::string& releaseText) {
  size_t from = 0;
  while (from < releaseText.size()) {
    size_t end = releaseText.find('\n', from);
    if (end == std::string::npos) end = releaseText.size();
    std::string line = Trim(releaseText.substr(from, end - from));
    if (!line.empty() && line.back() == '\r') line = Trim(line.substr(0, line.size() - 1));
    if (StartsWith(line, kVersionKey)) {
      std::string value = Trim(line.substr(sizeof kVersionKey - 1));
      if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
      }
      return value;
    }
    from = end + 1;
  }
  return std::string();
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
