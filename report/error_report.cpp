#include "report/error_report.h"

#include "platform/platform.h"
#include "report/launch_log.h"
#include "report/redactor.h"

namespace {

// Every box is redacted here, once, whoever made its text.
void ShowBox(const std::string& text, const std::string& caption) {
  platform::ShowMessageBox(Redacted(text), caption);
}

}  // namespace

void AnswerService(const std::string& text) { platform::WriteStandardOutput(Redacted(text)); }

std::string SystemErrorLine(const platform::SystemError& error) {
  std::string line = "Windows-Fehler " + std::to_string(error.number);
  return error.text.empty() ? line : line + ": " + error.text;
}

void LogReport(const std::string& text) {
  Log().WriteLine("=== Messagebox Start ===");
  Log().WriteLine(text);
  Log().WriteLine("=== Messagebox Ende ===");
}

void ReportError(const std::string& text, ReportChannel channel) {
  if (channel == ReportChannel::kServiceOutput) {
    std::string line = text;
    if (!line.empty() && line.back() == '\n') line.pop_back();
    AnswerService("err:" + line);
  } else {
    ShowBox(text, "Fehler");
  }
  LogReport(text);
}

void ReportCheckVerdict(const std::string& boxText, const std::string& serviceLine,
                        ReportChannel channel) {
  if (channel == ReportChannel::kServiceOutput) {
    AnswerService("check:" + serviceLine);
  } else {
    ShowBox(boxText,
            "KivLauncher Pr\xFC"
            "fung");
  }
}
