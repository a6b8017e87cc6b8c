#pragma once

#include <string>
#include <vector>

#include "jvm/class_archive.h"
#include "jvm/java_command_line.h"
#include "jvm/java_release.h"
#include "jvm/java_selection.h"
#include "report/run_end.h"
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

// One way the run may start Java, decided in full before anything starts.
// The start carries the attempts out in order; check mode reads them.
struct JavaAttempt {
  bool is64Bit = false;
  JavaChoice choice;
  // The chosen folder as Windows names it, and what it holds.
  std::string folder;
  std::string program;
  JavaRelease release;
  // -Xms and -Xmx as decided for the bit width, and why, for the log.
  MeantPiece heaps[2];
  std::vector<std::string> heapLogLines;
  // Why the program is not there: the Java folder names a file, or
  // javaw.exe is missing. Empty when it is there.
  std::string programProblem;
  ClassArchive classArchive;
  std::string commandLine;
  // What each setting put into the command line before the class path, in
  // order; the class path's option, and the start value after it.
  std::vector<MeantPiece> pieces;
  MeantPiece classpath;
  MeantPiece start;
  // What deciding the command line logs before it, after the heap sizes and
  // the archive.
  std::vector<std::string> logLines;
  // The run ends when it reaches this attempt.
  RunEnd stop;
  // Why Windows cannot give Java the command line; empty when it can.
  std::string refusal;
  // What Java's launcher will make of the command line.
  std::vector<LaunchFinding> launchFindings;
};

// Starts and logs nothing. A 32-bit attempt without a Java folder ends the run.
JavaAttempt PlanJavaAttempt(bool is64Bit, const Settings& settings, const LaunchInputs& inputs,
                            const std::vector<std::string>& computerNames);

// Why the start does not start the attempt's Java: Windows cannot take the
// command line, or Java's launcher would refuse it. Empty when it can start.
std::string StartRefusal(const JavaAttempt& attempt);

// Without a Java folder there is nothing to start.
bool HasJavaFolder(const JavaAttempt& attempt);

// What the attempt decided, logged once the run reaches it: the Java
// folder, what the start did for the archive, then the command line with
// the password masked.
void LogJavaAttempt(const JavaAttempt& attempt,
                    const std::vector<std::string>& archiveSteps = std::vector<std::string>());

// The pieces that Java would split, merge or change, a start value or a
// command line without a main class, and the heap sizes Java refuses: the
// command line's faults first, each root cause before its consequence.
// Without a Java folder, the heap sizes alone.
std::vector<LaunchFinding> ReadLaunchFindings(const JavaAttempt& attempt);

// Every refusal, a line each; empty when Java can be started.
std::string RefusalText(const std::vector<LaunchFinding>& findings);
