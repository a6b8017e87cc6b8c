#pragma once

// Shared by the libFuzzer targets: a violated property aborts, so libFuzzer
// keeps the input that shows it.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "report/launch_log.h"
#include "settings/settings.h"
#include "tests/fake_platform.h"

inline void Check(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property violated: %s\n", property);
  std::abort();
}

inline std::string Text(const unsigned char* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// The text with every one of the bytes taken out.
inline std::string Without(std::string text, const std::string& bytes) {
  for (char c : bytes) text.erase(std::remove(text.begin(), text.end(), c), text.end());
  return text;
}

// One setting a line, key and value split at the first "=".
inline Settings SettingsFromText(const std::string& text) {
  Settings settings;
  size_t from = 0;
  while (from <= text.size()) {
    size_t end = text.find('\n', from);
    std::string line = text.substr(from, end == std::string::npos ? std::string::npos : end - from);
    size_t equals = line.find('=');
    if (equals != std::string::npos) settings.Set(line.substr(0, equals), line.substr(equals + 1));
    if (end == std::string::npos) break;
    from = end + 1;
  }
  return settings;
}

// A fresh fake platform and an open log; FuzzLog() reads it back.
inline void StartFuzzRun() {
  fake::Reset();
  Log().Open("KivLaunch.log");
}

inline std::string FuzzLog() {
  Log().Flush();
  return fake::ReadLog();
}
