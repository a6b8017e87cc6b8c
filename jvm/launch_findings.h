#pragma once

#include <string>
#include <vector>

#include "jvm/java_command_line.h"
#include "settings/settings.h"

// What reading an attempt's command line as Java's launcher reads it finds,
// in the words check mode shows. A refusal is a fault at which Java's own
// launcher is certain to stop before it runs anything; the start then does
// not start that Java. A false refusal would keep a working application
// from starting, so whatever is less than certain is an error or a warning
// for check mode only.
struct LaunchFinding {
  enum Severity { kWarning, kError, kRefusal } severity = kWarning;
  // Shown with the heap sizes, else with the command line.
  bool aboutHeap = false;
  std::string text;
};

struct LaunchReadingInputs {
  const std::string& commandLine;
  bool is64Bit;
  const std::vector<MeantPiece>& pieces;
  const Settings& settings;
  const std::string& startKey;
  const std::string& startValue;
};

// The pieces that Java would split, merge or change, a start value or a
// command line without a main class, and the heap sizes Java refuses: the
// command line's faults first, each root cause before its consequence.
std::vector<LaunchFinding> ReadLaunchFindings(const LaunchReadingInputs& inputs);

// The heap sizes alone, for an attempt that builds no command line: what
// Java would make of these options, each named by its setting.
std::vector<LaunchFinding> ReadHeapFindings(const std::vector<std::string>& javaOptions,
                                            const Settings& settings);

// Every refusal, a line each; empty when Java can be started.
std::string RefusalText(const std::vector<LaunchFinding>& findings);
