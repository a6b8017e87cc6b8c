#include "report/error_report.h"

#include "platform/platform.h"
#include "report/launch_log.h"

void LogReport(const std::string& text) {
  Log().WriteLine("=== Messagebox Start ===");
  Log().WriteLine(text);
  Log().WriteLine("=== Messagebox Ende ===");
}

void ReportError(const std::string& text, ReportChannel channel) {
  if (channel == ReportChannel::kServiceOutput) {
    std::string line = text;
    if (!line.empty() && line.back() == '\n') line.pop_back();
    platform::WriteStandardOutput("err:" + line);
  } else {
    platform::ShowMessageBox(text, "Fehler");
  }
  LogReport(text);
}

void ReportCheckVerdict(const std::string& boxText, const std::string& serviceLine,
                        ReportChannel channel) {
  if (channel == ReportChannel::kServiceOutput) {
    platform::WriteStandardOutput("check:" + serviceLine);
  } else {
    platform::ShowMessageBox(boxText,
                             "KivLauncher Pr\xFC"
                             "fung");
  }
}
