#pragma once

#include <string>

// Without the blanks and tabs at both ends; nothing else is removed.
std::string Trim(const std::string& text);
// Only a to z change; every other byte stays.
std::string ToUpper(const std::string& text);
// Each occurrence of pattern (never empty) becomes one blank.
std::string ReplaceWithBlank(const std::string& text, const std::string& pattern);
bool StartsWith(const std::string& text, const std::string& prefix);
bool EndsWith(const std::string& text, const std::string& suffix);
// The number in upper-case hex digits, at least minDigits of them: printf
// would bring a whole formatting library into the exe.
std::string HexDigits(unsigned long number, size_t minDigits);
// The count bytes from at on as a little-endian number, as x86 stores it.
unsigned long long LittleEndian(const std::string& bytes, size_t at, size_t count);
// Each zero byte written as "<NUL>": a text for a person may hold no zero
// byte, which would end it there.
std::string WithVisibleZeroBytes(const std::string& text);

// UTF-8 as the standard defines it: no overlong form, no surrogate, nothing
// beyond U+10FFFF.
bool IsUtf8(const std::string& text);

// The UTF-8 text in Windows-1252, into converted. False when a letter has no
// byte there; missing is then that letter's code point. Bytes that are no
// UTF-8 stay as they are.
bool Utf8ToWindows1252(const std::string& text, std::string* converted, unsigned long* missing);

// "U+0141", as the Unicode standard names a letter.
std::string CodePointText(unsigned long codePoint);
