#pragma once

#include <string>

#include "settings/settings.h"

// The launcher's own command line, read as Windows programs read theirs.
struct OwnCommandLine {
  // Everything after the program name, unchanged: logged and handed over.
  std::string tail;
  // The parent gave parameters only (CreateProcess with the program as its
  // own argument): the first word began with "-", which no program name does.
  bool programNameMissing = false;
};
OwnCommandLine ReadOwnCommandLine(const std::string& fullCommandLine);

// Parameters of the form -key=value, separated by blanks and tabs outside
// double quotes; the last non-empty value of a key wins. Quotes stay in the
// value, which reaches Java as written. A parameter wholly in double quotes
// counts as Windows programs read it, its value quoted where it holds a
// blank: "-Dkiv.x=a b" as -Dkiv.x="a b". Pieces that are not of that form
// are skipped. Its secrets are also the passwords of the read groups, as
// given and as Java reads them.
CommandLineParameters ParseCommandLine(const std::string& tail);

// The keys whose command-line value wins over every properties file.
void CopyCommandLineOverrides(const CommandLineParameters& parameters, Settings& settings);
