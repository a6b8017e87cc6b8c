#include <cstdint>

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

const char kUnits[] = "kKmMgGtT";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Java takes digits with at most one unit letter (k, m, g, t in either case).
bool JavaAccepts(const std::string& value) {
  size_t digits = 0;
  while (digits < value.size() && IsDigit(value[digits])) ++digits;
  if (digits == 0) return false;
  if (digits == value.size()) return true;
  return digits + 1 == value.size() && std::string(kUnits).find(value.back()) != std::string::npos;
}

// Of a value Java accepts; large values saturate.
uint64_t Bytes(const std::string& value) {
  uint64_t number = 0;
  size_t i = 0;
  for (; i < value.size() && IsDigit(value[i]); ++i) {
    number = number > UINT64_MAX / 16 ? UINT64_MAX / 16 : number * 10 + (value[i] - '0');
  }
  if (i == value.size()) return number;
  size_t power = std::string(kUnits).find(value[i]) / 2 + 1;
  for (size_t p = 0; p < power; ++p)
    number = number > UINT64_MAX / 1024 ? UINT64_MAX : number * 1024;
  return number;
}

// The value Java receives, or empty when it will refuse it.
std::string ReviewHeapOption(const Settings& settings, const HeapOption& heap,
                             const HeapDecision& decision, Findings& findings) {
  std::string key = settings.KeyForStartKey(heap.key);
  std::string value = settings.GetForStartKey(heap.key);
  const std::string& given = decision.value;
  std::string option = heap.option + given;
  Log().WriteLine(key + " = " + value + " -> " + option);
  if (given != value) {
    Warn(findings, key + "=" + value + " wird f\xFCr ein 32-Bit-Java auf " + given + " begrenzt");
  }
  if (!JavaAccepts(given)) {
    Fail(findings, "Java nimmt " + option +
                       " nicht an: erlaubt ist eine ganze Zahl mit Einheit K, M oder G, etwa 512M");
    return std::string();
  }
  if (IsDigit(given.back())) {
    Warn(findings, option + " hat keine Einheit: Java liest " + given +
                       " Bytes, gemeint ist wohl " + given + "M");
  }
  return given;
}

}  // namespace

void ReviewHeap(const CheckRun& check, Findings& findings) {
  const Settings& settings = check.plan->settings;
  for (const JavaAttempt* attempt : CheckedAttempts(check)) {
    LogSubsection("Speicher " + BitsText(attempt->is64Bit));
    std::string initial =
        ReviewHeapOption(settings, kHeapOptions[0], attempt->initialHeap, findings);
    std::string maximum =
        ReviewHeapOption(settings, kHeapOptions[1], attempt->maximumHeap, findings);
    if (!initial.empty() && !maximum.empty() && Bytes(initial) > Bytes(maximum)) {
      Fail(findings, "-Xms" + initial + " ist gr\xF6\xDF" + "er als -Xmx" + maximum +
                         ": so startet Java nicht");
    }
  }
}
