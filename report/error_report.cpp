#include "report/error_report.h"

#include "platform/platform.h"
#include "report/launch_log.h"

namespace {

bool serviceMode = false;
std::vector<std::string>* capturedReports = nullptr;

void LogReport(const std::string& text) {
  Log().WriteLine("=== Messagebox Start ===");
  Log().WriteLine(text);
  Log().WriteLine("=== Messagebox Ende ===");
}

}  // namespace

bool ServiceMode() { return serviceMode; }

void SetServiceMode(bool on) { serviceMode = on; }

void CaptureReports(std::vector<std::string>* reports) { capturedReports = reports; }

void ReportError(const std::string& text) {
  if (capturedReports) {
    capturedReports->push_back(text);
    LogReport(text);
    return;
  }
  if (ServiceMode()) {
    std::string line = text;
    if (!line.empty() && line.back() == '\n') line.pop_back();
    platform::WriteStandardOutput("err:" + line);
  } else {
    platform::ShowMessageBox(text, "Fehler");
  }
  LogReport(text);
  Log().Close();
}
