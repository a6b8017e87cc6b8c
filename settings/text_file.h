#pragma once

#include <string>

#include "platform/platform.h"

// A file read line by line as msvcrt's text mode reads it, except that a CR
// alone ends a line too: CR LF, LF and CR each end a line, byte 0x1A ends
// the file. A final line end leaves one more, empty line, and an empty file
// reads as one empty line. A UTF-8 byte order mark (Notepad writes one) is
// skipped, so that no key begins with it. A file that begins with the byte
// order mark of UTF-16 (Notepad's "Unicode") reads as UTF-8, a surrogate
// without its partner as U+FFFD. Only a piece of the file and the current
// line are held, whatever the file's size.
class TextFile {
 public:
  explicit TextFile(const std::string& path);

  bool IsOpen() const { return file_ != nullptr; }
  // Why it is not open.
  const platform::SystemError& OpenFailure() const { return openFailure_; }
  bool IsUtf16() const { return utf16_; }
  // The next line without its line end; false when no line is left.
  bool ReadLine(std::string* line);

 private:
  // Appends the next piece of the file; false at its end.
  bool ReadMore();
  void DecodeUtf16();

  platform::SystemError openFailure_;
  platform::Owned<platform::InputFile> file_;
  std::string piece_;
  size_t position_ = 0;
  bool ended_ = false;
  bool lastLineTaken_ = false;
  bool utf16_ = false;
  bool bigEndian_ = false;
  // Bytes of a UTF-16 unit or surrogate pair not yet whole.
  std::string undecoded_;
  bool afterCarriageReturn_ = false;
};
