#pragma once

#include <string>
#include <vector>

#include "jvm/java_command_line.h"

// How Java's launcher reads a piece that does not reach it as meant.
struct PieceProblem {
  std::string key;
  std::string text;
  enum Kind { kSplitAtBlank, kMerged, kChangedByQuotes } kind = kSplitAtBlank;
  // What Java receives where the piece stood: its arguments, blank between.
  std::string received;
  size_t receivedCount = 0;
  // The piece costs Java its class path or main class.
  bool breaksStart = false;
};

// What Java reads from the command line against what the pieces and the
// start value (options, main class, arguments) meant.
struct JavaArgumentsReading {
  std::vector<PieceProblem> problems;
  // Java gets the class path and the main class the start value names.
  bool startIntact = true;
  // The start value holds only options.
  bool startValueWithoutMainClass = false;
  // What Java would take as its main class; empty for none.
  std::string receivedMainClass;
};

JavaArgumentsReading ReadAsJava(const std::string& commandLine,
                                const std::vector<MeantPiece>& pieces,
                                const std::string& startValue);
