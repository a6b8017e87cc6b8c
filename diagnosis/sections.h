#pragma once

#include <string>
#include <vector>

#include "diagnosis/check_run.h"

// What a check run found, counted, and the problems in the words the log
// gives them, for the closing message.
struct Findings {
  int errors = 0;
  int warnings = 0;
  std::vector<std::string> problems;
};

// The problem is logged on a line of its own, "FEHLER: " or "WARNUNG: " first.
void Fail(Findings& findings, const std::string& text);
void Warn(Findings& findings, const std::string& text);

// "Pr\xFCfung beendet: 2 Fehler, 1 Warnung", "keine" for zero.
std::string CountsText(const Findings& findings);

// The parts of the check section, each headed "=== title ===": check mode's
// reviews, which find and report, unlike the checks of checks/, which end a
// run. They read the plan and log what they find; none changes anything.
void ReviewSettingOrigins(const Settings& settings, const std::string& startKey,
                          Findings& findings);
// Per bit width: keys, folder, javaw.exe, its bit width, its release file
// and the class archive it gets.
void ReviewJava(const CheckRun& check, Findings& findings);
// After the launcher's normalisation, per bit width.
void ReviewHeap(const CheckRun& check, Findings& findings);
// Seen from the working directory.
void ReviewClasspath(const CheckRun& check, Findings& findings);
// The built command lines, their length, and the settings whose pieces Java
// would not read as meant.
void ReviewJavaCommandLine(const CheckRun& check, Findings& findings);
void ReviewUnknownKeys(const CheckRun& check, Findings& findings);
// The log, the working directory, maintenance; and what the start would
// meet on this computer: a log that cannot be written where it belongs, an
// ANSI code page other than 1252, properties files saved as UTF-8.
void ReviewLocations(const CheckRun& check, Findings& findings);
void ReviewLogAndCharacterSet(const CheckRun& check, Findings& findings);

void LogSubsection(const std::string& title);
// The Java attempts the run reached, else all it would make.
std::vector<const JavaAttempt*> CheckedAttempts(const CheckRun& check);

// The known key closest to a likely typo, empty when none is close.
std::string ClosestKnownKey(const std::string& key);

constexpr unsigned kMachineI386 = 0x14C;
constexpr unsigned kMachineAmd64 = 0x8664;
// The machine field of a Windows program's PE header: the MS-DOS header's
// e_lfanew (offset 0x3C) leads to "PE\0\0", the machine follows as a
// little-endian 16-bit number. 0 when the bytes are no such program.
unsigned PeMachine(const std::string& bytes);
// Of the file's first bytes; 0 when it cannot be read.
unsigned ReadPeMachine(const std::string& path);
