#pragma once

#include <string>

// Set once from the command line: the launcher was started by
// KivLaunchService, which reads standard output instead of a person
// reading a message box.
bool ServiceMode();
void SetServiceMode(bool on);

// Tells the user (message box, or "err:" on standard output in service
// mode), copies the text into the log between markers and closes the log.
void ReportError(const std::string& text);
