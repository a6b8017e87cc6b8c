#include <algorithm>

#include "diagnosis/sections.h"
#include "platform/platform.h"
#include "report/launch_log.h"

// Each finding once, though every attempt's command line shows it.
void ReportLaunchFinding(const LaunchFinding& finding, Findings& findings) {
  const std::vector<std::string>& known = findings.problems;
  for (const char* prefix : {"FEHLER: ", "WARNUNG: "}) {
    if (std::find(known.begin(), known.end(), prefix + finding.text) != known.end()) return;
  }
  if (finding.severity == LaunchFinding::kWarning) {
    Warn(findings, finding.text);
  } else {
    Fail(findings, finding.text);
  }
}

// A command line Windows cannot take is the run's end, in the start's
// words; what Java's launcher would make of it, the findings below.
void ReviewJavaCommandLine(const CheckRun& check, Findings& findings) {
  LogSubsection("Java-Kommandozeile");
  if (check.reached.empty()) Log().WriteLine("Es wurde keine Java-Kommandozeile gebildet");
  for (const JavaAttempt* attempt : check.reached) {
    Log().WriteLine(BitsText(attempt->is64Bit) + ": " + attempt->commandLine);
    Log().WriteLine("L\xE4nge: " + std::to_string(attempt->commandLine.size()) + " von h\xF6" +
                    "chstens " + std::to_string(platform::kMaxCommandLineLength) +
                    " Zeichen (mit abschlie\xDF" + "endem Nullzeichen)");
  }
  for (const JavaAttempt* attempt : check.reached) {
    for (const LaunchFinding& finding : attempt->launchFindings) {
      if (!finding.aboutHeap) ReportLaunchFinding(finding, findings);
    }
  }
}
