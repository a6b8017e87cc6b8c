// Heap sizes: a 64-bit value passes unchanged; a 32-bit value passes
// unchanged only when it is within the limit, else it becomes 768M.

#include "fuzz/fuzz_support.h"
#include "jvm/heap_size.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  std::string value = Text(data, size);
  HeapDecision wide = DecideHeapSize("memory.maximum", true, value);
  Check(wide.value == value, "64 bit passes unchanged");
  Check(wide.logLine.empty(), "64 bit logs nothing");
  HeapDecision narrow = DecideHeapSize("memory.maximum", false, value);
  const std::string& result = narrow.value;
  const std::string& log = narrow.logLine;
  if (value.empty()) {
    Check(result.empty() && log.empty(), "an empty value passes silently");
  } else if (log.find("Wird nicht reduziert") != std::string::npos) {
    Check(result == value, "a value logged as kept is kept");
  } else {
    Check(result == "768M", "anything else becomes 768M");
    Check(log.find("reduziert auf 768M") != std::string::npos, "the reduction is logged");
  }
  Check(log.find('\n') == std::string::npos, "at most one log line");
  return 0;
}
