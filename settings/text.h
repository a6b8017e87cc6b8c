#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

// In one piece: every operator+ brings its own clean-up code into the exe.
std::string Concat(std::initializer_list<std::string_view> parts);
// Without the blanks and tabs at both ends; nothing else is removed.
std::string Trim(const std::string& text);
// Only a to z change; every other byte stays.
std::string ToUpper(std::string text);
// Pattern is never empty.
std::string ReplaceWithBlank(const std::string& text, const std::string& pattern);
// A token per delimiter met, even empty; a final one only if text remains.
std::vector<std::string> SplitString(const std::string& text, char delimiter);
// Views: a literal makes no string of its own.
bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
// The number in upper-case hex digits, at least minDigits of them: printf
// would bring a whole formatting library into the exe.
std::string HexDigits(unsigned long number, size_t minDigits);
unsigned long long LittleEndian(const std::string& bytes, size_t at, size_t count);
// Each zero byte written as "<NUL>": a text for a person may hold no zero
// byte, which would end it there.
std::string WithVisibleZeroBytes(const std::string& text);

// Why umlauts go wrong on this computer; empty with Windows-1252.
std::string CodePageWarning();

// UTF-8 as the standard defines it: no overlong form, no surrogate, nothing
// beyond U+10FFFF.
bool IsUtf8(const std::string& text);

// The UTF-8 text in Windows-1252, into converted (which may be the text).
// False when a letter has no byte there; missing is then that letter's code
// point. Bytes that are no UTF-8 stay as they are.
bool Utf8ToWindows1252(const std::string& text, std::string* converted, unsigned long* missing);

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

  // Closed once its last line is read.
  bool IsOpen() const { return file_ != nullptr; }
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
  bool utf16_ = false;
  bool bigEndian_ = false;
  // Bytes of a UTF-16 unit or surrogate pair not yet whole.
  std::string undecoded_;
  bool afterCarriageReturn_ = false;
};
