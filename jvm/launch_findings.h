#pragma once

#include <string>
#include <vector>

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

struct JavaAttempt;

// The pieces that Java would split, merge or change, a start value or a
// command line without a main class, and the heap sizes Java refuses: the
// command line's faults first, each root cause before its consequence.
// Without a Java folder, the heap sizes alone.
std::vector<LaunchFinding> ReadLaunchFindings(const JavaAttempt& attempt);

// Every refusal, a line each; empty when Java can be started.
std::string RefusalText(const std::vector<LaunchFinding>& findings);
