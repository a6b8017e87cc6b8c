#include "check_mode/findings.h"

#include "report/launch_log.h"
#include "settings/text.h"

namespace {

// A zero byte from a setting would end the message box's text there.
void Record(Findings& findings, int& count, const std::string& text) {
  ++count;
  findings.problems.push_back(WithVisibleZeroBytes(text));
  Log().WriteLine(findings.problems.back());
}

std::string Count(int number, const std::string& one, const std::string& many) {
  if (number == 0) return "keine " + many;
  return std::to_string(number) + " " + (number == 1 ? one : many);
}

}  // namespace

void Fail(Findings& findings, const std::string& text) {
  Record(findings, findings.errors, "FEHLER: " + text);
}

void Warn(Findings& findings, const std::string& text) {
  Record(findings, findings.warnings, "WARNUNG: " + text);
}

std::string CountsText(const Findings& findings) {
  return "Pr\374fung beendet: " + Count(findings.errors, "Fehler", "Fehler") + ", " +
         Count(findings.warnings, "Warnung", "Warnungen");
}

void LogSubsection(const std::string& title) {
  Log().EndLine();
  Log().WriteLine("=== " + title + " ===");
}
