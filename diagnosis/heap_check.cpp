#include "diagnosis/sections.h"
#include "jvm/heap_size.h"
#include "report/launch_log.h"
#include "settings/keys.h"

namespace {

struct HeapOption {
  const char* key;
  const char* option;
};
const HeapOption kHeapOptions[] = {{keyname::kMemoryInitial, "-Xms"},
                                   {keyname::kMemoryMaximum, "-Xmx"}};

void LogHeapOption(const Settings& settings, const HeapOption& heap, const HeapDecision& decision,
                   Findings& findings) {
  std::string key = settings.KeyForStartKey(heap.key);
  std::string value = settings.GetForStartKey(heap.key);
  Log().WriteLine(key + " = " + value + " -> " + heap.option + decision.value);
  if (decision.value != value) {
    Warn(findings,
         key + "=" + value + " wird f\xFCr ein 32-Bit-Java auf " + decision.value + " begrenzt");
  }
}

}  // namespace

void ReviewHeap(const CheckRun& check, Findings& findings) {
  const Settings& settings = check.plan->settings;
  for (const JavaAttempt* attempt : CheckedAttempts(check)) {
    LogSubsection("Speicher " + BitsText(attempt->is64Bit));
    LogHeapOption(settings, kHeapOptions[0], attempt->initialHeap, findings);
    LogHeapOption(settings, kHeapOptions[1], attempt->maximumHeap, findings);
    for (const LaunchFinding& finding : attempt->launchFindings) {
      if (finding.aboutHeap) ReportLaunchFinding(finding, findings);
    }
  }
}
