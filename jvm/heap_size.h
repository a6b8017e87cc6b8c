#pragma once

#include <string>

struct HeapDecision {
  std::string value;
  // Empty when nothing is worth logging.
  std::string logLine;
};

// For a 32-bit Java a heap value above 768 MiB, of zero or below, or with
// an unknown unit becomes "768M", with a line for the log saying why. A 64-bit
// value passes unchanged.
HeapDecision DecideHeapSize(const std::string& name, bool is64Bit, const std::string& value);

// The decimal number at the start of text, as strtol reads it into a
// signed 32-bit long: out-of-range values give the nearest end, no digits 0.
long long ReadLong32(const std::string& text);

// How Java reads the size after -Xms or -Xmx: a whole number and at most one
// unit letter, k, m, g or t in either case; without one, bytes. It refuses
// any other text, a size beyond 64 bits, and a maximum of zero (an initial
// size of zero lets Java choose).
struct JavaHeapSize {
  bool accepted = false;
  unsigned long long bytes = 0;
  bool hasUnit = false;
};
JavaHeapSize ReadJavaHeapSize(const std::string& text, bool maximum);
