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
  // Java would start no application: no main class, nor anything else that
  // names one.
  bool noApplication = false;
  // What Java would take as its main class; empty for none.
  std::string receivedMainClass;
  // Java's launcher reads the line as here, whatever its version: no
  // argument file (@FILE), which may hold anything; no option that starts
  // the application without a main class (-jar, --module, --source) or ends
  // the launcher without one (-version, --help); no option whose value
  // begins with "-", which Java 8 and later Javas read apart.
  bool certain = true;
  // The options before the main class, which Java itself reads; those made
  // of a password's words left out.
  std::vector<std::string> javaOptions;
};

JavaArgumentsReading ReadAsJava(const std::string& commandLine,
                                const std::vector<MeantPiece>& pieces,
                                const std::string& startValue);

// Whether Java could load a class of that name: dot- or slash-separated
// identifiers. A word such as "3" or "Files\Java" never names one.
bool CanBeClassName(const std::string& word);
