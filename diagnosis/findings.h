#pragma once

#include <string>
#include <vector>

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
