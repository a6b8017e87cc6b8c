#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "report/redactor.h"

// The log's usual name, in the working directory.
inline constexpr char kLogName[] = "KivLaunch.log";
// How every log begins.
inline constexpr char kLogStart[] = "$Id: launcher, v";

// The one log of a run, KivLaunch.log. Written in the form msvcrt's text
// mode gives a file: every line feed reaches the file as CR LF. Writes to a
// log that is closed or could not be opened are silently ignored.
class LaunchLog {
 public:
  // No other launcher writes the log while it is open. A log that cannot be
  // written (held by another launcher, denied, read-only, hidden, a folder)
  // is left as it is: this run writes NAME-<process id>.log beside it, or
  // both names in the user's temporary folder when the working directory
  // takes neither.
  void Open(const std::string& name);
  // The file opened, as Open named it or in the temporary folder (the name
  // given when none could be opened), and with its folder.
  const std::string& Name() const { return name_; }
  const std::string& Path() const { return path_; }
  // Why the name given to Open could not be written in the working
  // directory; empty when it was.
  const platform::Failure& Refusal() const { return refusal_; }
  // Opened, and every write so far reached the file.
  bool Written() const { return file_ && !writeFailed_; }
  // Every text is redacted here, once, whoever made it: for the run's
  // secrets once the start-up hands them over, and for those given with it.
  void SetSecrets(const Secrets& secrets) { secrets_ = secrets; }
  void Write(const std::string& text, const std::vector<std::string>* secrets = nullptr);
  // A line feed, then everything pending goes to the file.
  void EndLine();
  void WriteLine(const std::string& text, const std::vector<std::string>* secrets = nullptr);
  void Flush();
  // An empty line, then "===== title =====" as a line of its own.
  void Banner(const std::string& title);
  void Close();

 private:
  // The folder ends with its separator, or is empty for the working directory.
  bool OpenIn(const std::string& folder, const std::string& name);

  platform::Owned<platform::OutputFile> file_;
  std::string name_;
  std::string path_;
  platform::Failure refusal_;
  bool writeFailed_ = false;
  std::string pending_;
  Secrets secrets_;
};

LaunchLog& Log();

// The fall-back logs of earlier runs (NAME-<process id>.log) in the folder
// of this run's fall-back log, last written more than a week ago; none when
// this run writes the usual log.
std::vector<std::string> StaleFallbackLogs();

// asctime's form of the local time, without its line feed: "Sun Dec  6 12:57:17 2026".
std::string CurrentTimeText();
