#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "process/java_output.h"
#include "settings/settings.h"

// launcher.java_watch: how many seconds after the start the launcher waits
// to see whether Java ends at once. 0 to 60; another value watches nothing,
// and *invalid says why.
int JavaWatchSeconds(const Settings& settings, std::string* invalid);

// Whether the run records Java's fate: launcher.java_output or
// launcher.java_watch is set.
bool RecordsJavaEnd(const Settings& settings);

// Java's end as the launcher saw it.
struct JavaEnd {
  bool ended = false;
  unsigned long exitCode = 0;
  // Ended by a fault, as the exit code shows.
  bool crashed = false;
  unsigned long long seconds = 0;
  // Why the launcher could not wait for it; it may still run.
  platform::Failure waitFailure;
};

// Waits up to the seconds; startedAt is the clock reading at the start.
JavaEnd WatchJava(const platform::Process& java, int seconds, unsigned long long startedAt);
JavaEnd AwaitJava(const platform::Process& java, unsigned long long startedAt);

// "Java beendet am <time> nach N s mit Exit-Code X", or that waiting failed
// and why.
std::string JavaEndLine(const JavaEnd& end);
// The report of a Java that ended with an error within the watch, with the
// last lines of its output.
std::string WatchFailureText(const JavaEnd& end, const JavaOutput& output);
