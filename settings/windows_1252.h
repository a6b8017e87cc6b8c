#pragma once

#include <string>

// UTF-8 as the standard defines it: no overlong form, no surrogate, nothing
// beyond U+10FFFF.
bool IsUtf8(const std::string& text);

// The UTF-8 text in Windows-1252, into converted. False when a letter has no
// byte there; missing is then that letter's code point. Bytes that are no
// UTF-8 stay as they are.
bool Utf8ToWindows1252(const std::string& text, std::string* converted, unsigned long* missing);

// "U+0141", as the Unicode standard names a letter.
std::string CodePointText(unsigned long codePoint);
