#pragma once

#include <string>

#include "platform/platform.h"
#include "report/redactor.h"
#include "report/run_end.h"
#include "settings/settings.h"

// Where Java's standard output and standard error go: the file named by
// launcher.java_output, relative to the working directory.
struct JavaOutput {
  // Empty: Java's output goes nowhere, as without the setting.
  std::string path;
  // The launcher's own first line for this attempt, not Java's output.
  std::string firstLine;
  platform::Owned<platform::OutputFile> file;
  // The run's, for the first line and for the tail a report shows.
  Secrets secrets;
};

// The launcher.java_output decision, made in planning: the file, and what
// the start refuses, before or after it says where Java's output goes.
struct JavaOutputChoice {
  std::string path;
  // The file is one of the launcher's own.
  RunEnd ownFile;
  // The path names a folder, or a folder that does not exist.
  RunEnd unopenable;
};
JavaOutputChoice DecideJavaOutput(const Settings& settings);

// Before each start: where Java's output goes, logged, or why the run ends.
RunEnd EnterJavaOutput(const JavaOutputChoice& choice);

// Creates or truncates the file, or appends to it for an attempt after a
// failed one, whose evidence must not be lost, and writes this attempt's
// first line: the time and the masked command line. A file that cannot be
// created ends the run.
RunEnd OpenJavaOutput(const std::string& path, const std::string& commandLine, bool append,
                      JavaOutput* output);

// The end of a text: at most maxLines lines and maxBytes bytes, a line cut
// by the byte limit left out, CR LF read as LF, no line end after the last.
std::string LastLines(const std::string& text, size_t maxLines, size_t maxBytes);

// What Java wrote into the file in this attempt, its last 20 lines or 2,000
// bytes, with a line that says so; without an output file, how to get one.
std::string JavaOutputTail(const JavaOutput& output);
