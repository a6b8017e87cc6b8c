#pragma once

#include <string>

struct HeapDecision {
  std::string value;
  // Empty when nothing is worth logging.
  std::string logLine;
};

// For a 32-bit Java a value above 768 MiB, of zero or below, or with an
// unknown unit becomes "768M", with the log's line why; 64-bit ones pass.
HeapDecision DecideHeapSize(const std::string& name, bool is64Bit, const std::string& value);

// As Java reads the size after -Xms or -Xmx: a whole number and at most one
// unit letter, k, m, g or t in either case, else bytes; no size beyond 64
// bits, no maximum of zero (an initial size of zero lets Java choose).
struct JavaHeapSize {
  bool accepted = false;
  unsigned long long bytes = 0;
  bool hasUnit = false;
};
JavaHeapSize ReadJavaHeapSize(const std::string& text, bool maximum);
