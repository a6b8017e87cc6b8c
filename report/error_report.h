#pragma once

#include <string>

#include "platform/platform.h"
#include "report/redactor.h"

// Where a report goes, chosen once by the entry: a message box for a person,
// or one line on standard output for KivLaunchService, which reads that.
enum class ReportChannel { kMessageBox, kServiceOutput };

// Each of these redacts what it shows or answers for the run's secrets.
void AnswerService(const std::string& text, const Secrets& secrets);

// A failure: shown ("Fehler", or an "err:" line) and copied into the log
// between markers.
void ReportError(const std::string& text, ReportChannel channel, const Secrets& secrets);

// "Windows-Fehler N: TEXT" (or the number alone), Windows' own reason for a
// refusal: the reports say what failed, this tells the administrator why.
std::string SystemErrorLine(const platform::SystemError& error);

// Copies a report into the log between markers, as every report is.
void LogReport(const std::string& text);

// A check run's verdict: the box "KivLauncher Pr\374fung", or the line given
// after "check:".
void ReportCheckVerdict(const std::string& boxText, const std::string& serviceLine,
                        ReportChannel channel, const Secrets& secrets);

// Whether Windows refuses the command line as too long, and the sentence
// that tells an administrator how long it is and what Windows allows.
bool ExceedsCommandLineLimit(const std::string& commandLine);
std::string CommandLineLimitText(const std::string& commandLine);

// Windows reads a command line only up to its first zero byte, so Java
// would get less than the log shows; the sentence tells where it stands.
bool HoldsZeroByte(const std::string& commandLine);
std::string ZeroByteText(const std::string& commandLine);
