#include "platform/windows_arguments.h"

namespace platform {

namespace {

struct Scanner {
  const std::string& line;
  ArgumentReader reader;
  size_t pos = 0;
  // Quotes only open and close and backslashes are literal: how a person
  // reads the line, and how the C runtime reads the program name.
  bool plain = false;
  bool inQuotes = false;
  // Java's launcher remembers whether the last byte it took was a quote.
  bool afterQuote = false;
};

bool IsSeparator(const Scanner& s, char c) {
  return c == ' ' || (c == '\t' && s.reader != ArgumentReader::kPlainQuotes);
}

// A quote met with an even number of backslashes before it.
void TakeQuote(Scanner& s, std::string& text) {
  const std::string& line = s.line;
  if (s.reader == ArgumentReader::kJavaLauncher && s.afterQuote && !s.inQuotes) {
    text += '"';
    s.inQuotes = true;
  } else if (s.reader == ArgumentReader::kCRuntime && !s.plain && s.inQuotes &&
             s.pos + 1 < line.size() && line[s.pos + 1] == '"') {
    text += '"';
    ++s.pos;
  } else {
    s.inQuotes = !s.inQuotes;
  }
  ++s.pos;
  s.afterQuote = true;
}

void TakeBackslashes(Scanner& s, std::string& text) {
  size_t first = s.pos;
  while (s.pos < s.line.size() && s.line[s.pos] == '\\') ++s.pos;
  size_t count = s.pos - first;
  bool beforeQuote = s.pos < s.line.size() && s.line[s.pos] == '"';
  text.append(beforeQuote ? count / 2 : count, '\\');
  s.afterQuote = false;
  if (!beforeQuote) return;
  if (count % 2 == 0) return TakeQuote(s, text);
  text += '"';
  ++s.pos;
  s.afterQuote = true;
}

std::string ReadArgument(Scanner& s) {
  std::string text;
  s.inQuotes = false;
  s.afterQuote = false;
  while (s.pos < s.line.size() && (s.inQuotes || !IsSeparator(s, s.line[s.pos]))) {
    char c = s.line[s.pos];
    if (c == '\\' && !s.plain) {
      TakeBackslashes(s, text);
    } else if (c == '"') {
      TakeQuote(s, text);
    } else {
      text += c;
      s.afterQuote = false;
      ++s.pos;
    }
  }
  return text;
}

}  // namespace

std::vector<Argument> SplitArguments(const std::string& line, ArgumentReader reader, bool tail) {
  std::vector<Argument> arguments;
  Scanner s{line, reader};
  bool programName = reader == ArgumentReader::kCRuntime && !tail;
  while (true) {
    while (s.pos < line.size() && IsSeparator(s, line[s.pos])) ++s.pos;
    if (s.pos >= line.size()) break;
    Argument argument;
    argument.begin = s.pos;
    s.plain = reader == ArgumentReader::kPlainQuotes || (programName && arguments.empty());
    argument.text = ReadArgument(s);
    argument.end = s.pos;
    arguments.push_back(argument);
  }
  return arguments;
}

std::string InQuotes(const std::string& text) {
  size_t last = text.find_last_not_of('\\');
  size_t trailing = last == std::string::npos ? text.size() : text.size() - last - 1;
  return "\"" + text + std::string(trailing, '\\') + "\"";
}

std::string QuotedIfBlank(const std::string& text) {
  bool blank = text.find_first_of(" \t") != std::string::npos;
  return blank && text.find('"') == std::string::npos ? InQuotes(text) : text;
}

}  // namespace platform
