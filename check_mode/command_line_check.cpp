#include "check_mode/command_line_check.h"

#include <algorithm>

#include "platform/platform.h"
#include "report/launch_log.h"

namespace {

// Each finding once, though every attempt's command line shows it.
void ReportLaunchFindings(const JavaAttempt& attempt, bool aboutHeap, Findings& findings) {
  const std::vector<std::string>& known = findings.problems;
  for (const LaunchFinding& finding : attempt.launchFindings) {
    if (finding.aboutHeap != aboutHeap ||
        std::find(known.begin(), known.end(), "FEHLER: " + finding.text) != known.end() ||
        std::find(known.begin(), known.end(), "WARNUNG: " + finding.text) != known.end()) {
      continue;
    }
    (finding.severity == LaunchFinding::kWarning ? Warn : Fail)(findings, finding.text);
  }
}

// The Java attempts the run reached, else all it would make.
std::vector<const JavaAttempt*> CheckedAttempts(const CheckRun& check) {
  if (!check.reached.empty()) return check.reached;
  std::vector<const JavaAttempt*> attempts;
  for (const JavaAttempt& attempt : check.plan->attempts) attempts.push_back(&attempt);
  return attempts;
}

}  // namespace

void ReviewHeap(const CheckRun& check, Findings& findings) {
  for (const JavaAttempt* attempt : CheckedAttempts(check)) {
    LogSubsection("Speicher " + BitsText(attempt->is64Bit));
    for (const MeantPiece& heap : attempt->heaps) {
      std::string value = check.plan->settings.Get(heap.key);
      std::string decided = heap.text.substr(4);
      Log().WriteLine(heap.key + " = " + value + " -> " + heap.text);
      if (decided != value) {
        Warn(findings,
             heap.key + "=" + value + " wird f\374r ein 32-Bit-Java auf " + decided + " begrenzt");
      }
    }
    ReportLaunchFindings(*attempt, true, findings);
  }
}

// A command line Windows cannot take is the run's end, in the start's
// words; what Java's launcher would make of it, the findings below.
void ReviewJavaCommandLine(const CheckRun& check, Findings& findings) {
  LogSubsection("Java-Kommandozeile");
  if (check.reached.empty()) Log().WriteLine("Es wurde keine Java-Kommandozeile gebildet");
  for (const JavaAttempt* attempt : check.reached) {
    Log().WriteLine(BitsText(attempt->is64Bit) + ": " + attempt->commandLine);
    Log().WriteLine("L\344nge: " + std::to_string(attempt->commandLine.size()) +
                    " von h\366chstens " + std::to_string(platform::kMaxCommandLineLength) +
                    " Zeichen (mit abschlie\337endem Nullzeichen)");
  }
  for (const JavaAttempt* attempt : check.reached) ReportLaunchFindings(*attempt, false, findings);
}
