#pragma once

#include <string>

#include "report/launch_log.h"
#include "tests/fake_platform.h"

namespace testing_log {

// A fresh fake platform with the log open in C:\App.
inline void Start() {
  fake::Reset();
  Log().Open("KivLaunch.log");
}

// The log so far, with its CR LF line ends read back as LF.
inline std::string Text(const std::string& folder = "C:\\App") {
  Log().Flush();
  std::string written = fake::ReadLog(folder);
  std::string text;
  for (size_t i = 0; i < written.size(); ++i) {
    if (!(written[i] == '\r' && i + 1 < written.size() && written[i + 1] == '\n'))
      text += written[i];
  }
  return text;
}

}  // namespace testing_log
