#pragma once

// How a Windows program reads its command line into arguments. Windows
// hands every program one line; the program's own start-up code splits it.
// Pure code, no system call: every floor asks it what a program will see.

#include <cstddef>
#include <string>
#include <vector>

namespace platform {

// Who splits the line. Programs take blanks and tabs as separators and read
// 2n backslashes before a double quote as n backslashes and a quote that
// opens or closes, 2n+1 as n backslashes and a literal quote, and a doubled
// quote inside quotes as a literal quote that keeps the quotes open.
enum class ArgumentReader {
  // The C runtime of a program (and CreateProcess's search for the program):
  // the program name runs to the next blank outside quotes, its quotes
  // dropped and its backslashes literal.
  kCRuntime,
  // Java's launcher, which splits the line itself with the rules above for
  // every argument, its own name included, and reads a quote that follows a
  // literal quote outside quotes as one more literal quote that opens them.
  kJavaLauncher,
  // How a person reads the line: only a blank separates, every double quote
  // opens or closes, a backslash is a backslash.
  kPlainQuotes,
};

// One argument and the bytes [begin, end) of the line it was read from.
struct Argument {
  std::string text;
  size_t begin = 0;
  size_t end = 0;
};

// A tail is a line without a program name, such as what follows it: its
// first word is read as every other.
std::vector<Argument> SplitArguments(const std::string& line, ArgumentReader reader,
                                     bool tail = false);

// In double quotes, the backslashes right before the closing quote doubled,
// so that it stays a closing quote.
std::string InQuotes(const std::string& text);
// The text as one argument: InQuotes when it holds a blank or a tab and no
// quote of its own, which would already group it as meant.
std::string QuotedIfBlank(const std::string& text);

}  // namespace platform
