#pragma once

#include <string>
#include <vector>

// Set once from the command line: the launcher was started by
// KivLaunchService, which reads standard output instead of a person
// reading a message box.
bool ServiceMode();
void SetServiceMode(bool on);

// Tells the user (message box, or "err:" on standard output in service
// mode), copies the text into the log between markers and closes the log.
void ReportError(const std::string& text);

// While reports is set, ReportError only logs and appends its text there:
// a check run tells the user once, at its end, and keeps the log open.
void CaptureReports(std::vector<std::string>* reports);
