#pragma once

#include <string>

#include "diagnosis/check_run.h"
#include "diagnosis/findings.h"

// The parts of the check section, each headed "=== title ===": check mode's
// reviews, which find and report, unlike the checks of checks/, which end a
// run. They read the plan and log what they find; none changes anything.

// Every setting with where it came from and the values it replaced.
void ReviewSettingOrigins(const Settings& settings, const std::string& startKey,
                          Findings& findings);
// Per bit width the run considers: keys, folder, javaw.exe, its bit width.
void ReviewJava(const CheckRun& check, Findings& findings);
// Java's version from its release file and, with launcher.class_archive,
// the archive it gets: which file, whether it is there, its size, and what
// the start would do in its folder.
void ReviewJavaRelease(const JavaAttempt& attempt, Findings& findings);
// The heap sizes after the launcher's normalisation, per bit width.
void ReviewHeap(const CheckRun& check, Findings& findings);
// Every class-path entry, seen from the working directory.
void ReviewClasspath(const CheckRun& check, Findings& findings);
// The built command lines, their length, and the settings whose pieces Java
// would not read as meant.
void ReviewJavaCommandLine(const CheckRun& check, Findings& findings);
// Keys and parameters that nothing reads.
void ReviewUnknownKeys(const CheckRun& check, Findings& findings);
// The log, the working directory, maintenance.
void ReviewLocations(const CheckRun& check, Findings& findings);
// What the start would meet on this computer: a log that cannot be written
// where it belongs, an ANSI code page other than 1252, properties files
// saved as UTF-8.
void ReviewLogAndCharacterSet(const CheckRun& check, Findings& findings);
// Whether the run started in the launcher's own folder, where the
// installation's files are looked for.
bool StartsInLauncherFolder(const CheckRun& check);

void LogSubsection(const std::string& title);
// The Java attempts the run reached, else all it would make.
std::vector<const JavaAttempt*> CheckedAttempts(const CheckRun& check);
