#include "report/error_report.h"

#include <algorithm>

#include "platform/platform.h"
#include "report/launch_log.h"
#include "report/redactor.h"

namespace {

const size_t kLongestShownLine = 1000;

// A command line of 20,000 characters would make the box taller than the
// screen: its beginning and end tell what matters, the log holds it whole.
// Redacted first, so that no cut leaves a password without its option.
std::string Shortened(const std::string& text, const Secrets& secrets) {
  std::string shown = Redacted(text, secrets);
  std::string cut = "\205 (gek\374rzt, das Protokoll " + Log().Name() + " enth\344lt alles) \205";
  for (size_t start = 0;;) {
    size_t end = std::min(shown.find('\n', start), shown.size());
    if (end - start > kLongestShownLine) {
      shown.replace(start + 600, end - start - 900, cut);
      end = start + 900 + cut.size();
    }
    if (end == shown.size()) return shown;
    start = end + 1;
  }
}

}  // namespace

// Every box and answer is redacted here, once, whoever made its text.
void AnswerService(const std::string& text, const Secrets& secrets) {
  platform::WriteStandardOutput(Redacted(text, secrets));
}

std::string SystemErrorLine(const platform::SystemError& error) {
  std::string line = "Windows-Fehler " + std::to_string(error.number);
  return error.text.empty() ? line : line + ": " + error.text;
}

void LogReport(const std::string& text) {
  Log().WriteLine("=== Messagebox Start ===");
  Log().WriteLine(text);
  Log().WriteLine("=== Messagebox Ende ===");
}

void ReportError(const std::string& text, ReportChannel channel, const Secrets& secrets) {
  std::string shown = Shortened(text, secrets);
  if (channel == ReportChannel::kServiceOutput) {
    if (!shown.empty() && shown.back() == '\n') shown.pop_back();
    AnswerService("err:" + shown, secrets);
  } else {
    platform::ShowMessageBox(Redacted(shown, secrets), "Fehler");
  }
  LogReport(text);
}

void ReportCheckVerdict(const std::string& boxText, const std::string& serviceLine,
                        ReportChannel channel, const Secrets& secrets) {
  if (channel == ReportChannel::kServiceOutput) {
    AnswerService("check:" + serviceLine, secrets);
  } else {
    platform::ShowMessageBox(Redacted(boxText, secrets), "KivLauncher Pr\374fung");
  }
}

// The limit counts the terminating null character.
bool ExceedsCommandLineLimit(const std::string& commandLine) {
  return commandLine.size() + 1 > platform::kMaxCommandLineLength;
}

std::string CommandLineLimitText(const std::string& commandLine) {
  return "Die Kommandozeile ist " + std::to_string(commandLine.size()) +
         " Zeichen lang, Windows erlaubt h\366chstens " +
         std::to_string(platform::kMaxCommandLineLength) +
         " Zeichen (einschlie\337lich des Endezeichens).";
}

bool HoldsZeroByte(const std::string& commandLine) {
  return commandLine.find('\0') != std::string::npos;
}

std::string ZeroByteText(const std::string& commandLine) {
  return "Die Kommandozeile enth\344lt nach " + std::to_string(commandLine.find('\0')) +
         " Zeichen ein Nullzeichen: Windows w\374rde sie dort abschneiden, Java bek\344me nur "
         "den Teil davor.";
}
