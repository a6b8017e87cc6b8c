#pragma once

// Shared by the libFuzzer targets: a violated property aborts, so libFuzzer
// keeps the input that shows it.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "report/launch_log.h"
#include "settings/properties_file.h"
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

// The settings of a properties file holding the text, read as the launcher
// reads one: blanks and tabs around key and value dropped, comments and
// empty values skipped.
inline Settings SettingsFromText(const std::string& text) {
  fake::Reset();
  fake::AddFile("C:\\App\\fuzz.properties", text);
  Settings settings;
  ReadPropertiesFile("", "fuzz.properties", settings);
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
