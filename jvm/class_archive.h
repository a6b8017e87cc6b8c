#pragma once

#include <string>
#include <vector>

#include "jvm/archive_header.h"
#include "jvm/java_release.h"
#include "settings/settings.h"

// Planning only looks; the start carries the steps out in order before Java
// starts, check mode tells them.
struct ArchiveStep {
  enum class Kind {
    kCreateFolder,
    // Renames a finished dump to the archive; the first that succeeds wins.
    kAdopt,
    kDelete,
  };
  Kind kind = Kind::kCreateFolder;
  std::string path;
  // Why it is deleted, in the log's words.
  std::string reason = "";
};

// launcher.class_archive=FOLDER: Java maps the application's classes from
// it instead of loading and verifying them again at every start.
struct ClassArchive {
  // Each after a blank, as the folder will be after the steps.
  std::string options;
  std::vector<std::string> logLines;
  // Why no archive applies, when the folder or this Java rules it out.
  std::string unusable;
  std::vector<ArchiveStep> steps;
  // The archive for this Java and class path, empty when none applies.
  std::string file;
  // This start's dump, created before Java trains into it: until it is whole
  // or a day old, other starts see a training run or fail, and do not train.
  std::string training;
  // There, or after the steps.
  bool exists = false;
  unsigned long long size = 0;
  // The options give Java the archive to map.
  bool passed = false;
  // For check mode: "AOT-Cache" or "dynamisches Klassenarchiv", its state.
  std::string kind;
  std::string state;
};

// For one Java folder and the exact class path of its command line. Reads
// nothing without the key; with it, reads the folder and plans the steps.
ClassArchive DecideClassArchive(const std::string& javaFolder, const JavaRelease& release,
                                const std::string& classpath, const Settings& settings);

// ownDump: this start's file, for a Java that writes the archive at its end.
struct ArchiveChoice {
  std::string options;
  std::string reason;
};
ArchiveChoice ChooseArchiveOptions(int feature, bool exists, bool writable,
                                   const std::string& archive, const std::string& ownDump);

std::string CannotCreateFolder(const std::string& folder);
