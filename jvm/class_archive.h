#pragma once

#include <string>
#include <vector>

#include "settings/settings.h"

// The opt-in class-data archive of launcher.class_archive=FOLDER: Java maps
// the application's classes from it instead of loading and verifying them
// again at every start.
struct ClassArchive {
  // Each after a blank; empty when no archive applies.
  std::string options;
  // Why, in the log's words.
  std::vector<std::string> logLines;
  // The archive for this Java and class path, empty when none applies.
  std::string file;
  bool exists = false;
  unsigned long long size = 0;
};

// The decision for one Java and the exact class path of its command line,
// made once for the plan of the run. Without the key it is empty and touches
// nothing. With it, the folder is created and a whole archive an earlier
// start left is adopted, as the start needs them.
ClassArchive DecideClassArchive(const std::string& javaHome, const std::string& classpath,
                                const Settings& settings);

// The options and why, for Java's feature version, whether the archive is
// there and whether its folder can be written; ownDump is this start's file
// for a Java that writes the archive only at its end.
struct ArchiveChoice {
  std::string options;
  std::string reason;
};
ArchiveChoice ChooseArchiveOptions(int feature, bool exists, bool writable,
                                   const std::string& archive, const std::string& ownDump);
