#pragma once

#include <string>

#include "platform/platform.h"

// The one log of a run, KivLaunch.log. Written in the form msvcrt's text
// mode gives a file: every line feed reaches the file as CR LF. Writes to a
// log that is closed or could not be opened are silently ignored.
class LaunchLog {
 public:
  void Open(const std::string& path);
  void Write(const std::string& text);
  // A line feed, then everything pending goes to the file.
  void EndLine();
  void WriteLine(const std::string& text);
  void Flush();
  // An empty line, then "===== title =====" as a line of its own.
  void Banner(const std::string& title);
  void Close();

 private:
  platform::Owned<platform::OutputFile> file_;
  std::string pending_;
};

LaunchLog& Log();

// asctime's form of the local time: "Sun Dec  6 12:57:17 2026\n".
std::string CurrentTimeText();
