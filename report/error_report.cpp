#include "report/error_report.h"

#include "platform/platform.h"
#include "report/launch_log.h"

namespace {
bool serviceMode = false;
}

bool ServiceMode() { return serviceMode; }

void SetServiceMode(bool on) { serviceMode = on; }

void ReportError(const std::string& text) {
  if (ServiceMode()) {
    std::string line = text;
    if (!line.empty() && line.back() == '\n') line.pop_back();
    platform::WriteStandardOutput("err:" + line);
  } else {
    platform::ShowMessageBox(text, "Fehler");
  }
  Log().WriteLine("=== Messagebox Start ===");
  Log().WriteLine(text);
  Log().WriteLine("=== Messagebox Ende ===");
  Log().Close();
}
