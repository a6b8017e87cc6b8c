#pragma once

#include <string>

#include "platform/platform.h"

// The log's usual name, in the working directory.
extern const char kLogName[];

// The one log of a run, KivLaunch.log. Written in the form msvcrt's text
// mode gives a file: every line feed reaches the file as CR LF. Writes to a
// log that is closed or could not be opened are silently ignored.
class LaunchLog {
 public:
  // No other launcher writes the log while it is open. A log another
  // running launcher holds is left to it: this run writes NAME-<process
  // id>.log beside it instead.
  void Open(const std::string& path);
  // The file opened, as given to Open or the one beside it; empty before.
  const std::string& Name() const { return name_; }
  // Opened, and every write so far reached the file.
  bool Written() const { return file_ && !writeFailed_; }
  // Every text passes the password mask here, once, whoever made it; a
  // password option is written in one piece.
  void Write(const std::string& text);
  // A line feed, then everything pending goes to the file.
  void EndLine();
  void WriteLine(const std::string& text);
  void Flush();
  // An empty line, then "===== title =====" as a line of its own.
  void Banner(const std::string& title);
  void Close();

 private:
  void Append(const std::string& text);

  platform::Owned<platform::OutputFile> file_;
  std::string name_;
  bool writeFailed_ = false;
  std::string pending_;
};

LaunchLog& Log();

// asctime's form of the local time: "Sun Dec  6 12:57:17 2026\n".
std::string CurrentTimeText();
