#include "platform/windows_arguments.h"

#include <gtest/gtest.h>

namespace {

using platform::ArgumentReader;

std::vector<std::string> SplitCommandLine(const std::string& line, ArgumentReader reader) {
  std::vector<std::string> texts;
  for (const auto& argument : platform::SplitArguments(line, reader))
    texts.push_back(argument.text);
  return texts;
}

struct Vector {
  std::string line;
  std::vector<std::string> arguments;
};

// The vectors OpenJDK publishes with its Windows launcher's splitter
// (cmdtoargs.c), arguments after the program name.
TEST(WindowsArguments, JavaLauncherSplitsAsItsPublishedVectors) {
  const Vector vectors[] = {
      {"abcd", {"abcd"}},
      {"\"a b c d\"", {"a b c d"}},
      {"a\"b c d\"e", {"ab c de"}},
      {"ab\\\"cd", {"ab\"cd"}},
      {"\"a b c d\\\\\"", {"a b c d\\"}},
      {"ab\\\\\\\"cd", {"ab\\\"cd"}},
      {"a\\\\\\c", {"a\\\\\\c"}},
      {"\"a\\\\\\d\"", {"a\\\\\\d"}},
      {"\"a b c\" d e", {"a b c", "d", "e"}},
      {"\"ab\\\"c\"  \"\\\\\"  d", {"ab\"c", "\\", "d"}},
      {"a\\\\\\c d\"e f\"g h", {"a\\\\\\c", "de fg", "h"}},
      {"a\\\\\\\"b c d", {"a\\\"b", "c", "d"}},
      {"a\\\\\\\\\"g c\" d e", {"a\\\\g c", "d", "e"}},
      {"\"a b c\"\"", {"a b c\""}},
      {"\"\"a b c\"\"", {"a", "b", "c"}},
      {"\"\"\"a b c\"\"\"", {"\"a b c\""}},
      {"\"\"\"\"a b c\"\"\"\"", {"\"a", "b", "c\""}},
      {"\"\"\"\"\"a b c\"\"\"\"\"", {"\"\"a b c\"\""}},
      {"\"C:\\TEST A\\\\\"", {"C:\\TEST A\\"}},
      {"\"\"C:\\TEST A\\\\\"\"", {"C:\\TEST", "A\\"}},
      {"abc*def", {"abc*def"}},
      {"\"x.???\"", {"x.???"}},
      {"\\X\\Y\\Z", {"\\X\\Y\\Z"}},
      {"a \t b", {"a", "b"}},
      {"a b\\\\ d", {"a", "b\\\\", "d"}},
      {"..\\..\\", {"..\\..\\"}},
  };
  for (const Vector& v : vectors) {
    EXPECT_EQ(SplitCommandLine(v.line, ArgumentReader::kJavaLauncher), v.arguments) << v.line;
  }
}

// Microsoft's table for the C runtime, and where the program name and
// Java's reading of a quote after a literal quote differ.
TEST(WindowsArguments, CRuntimeSplitsAsDocumented) {
  const Vector vectors[] = {
      {"p \"abc\" d e", {"p", "abc", "d", "e"}},
      {"p a\\\\b d\"e f\"g h", {"p", "a\\\\b", "de fg", "h"}},
      {"p a\\\\\\\"b c d", {"p", "a\\\"b", "c", "d"}},
      {"p a\\\\\\\\\"b c\" d e", {"p", "a\\\\b c", "d", "e"}},
      {"\"C:\\Program Files\\a.exe\" x", {"C:\\Program Files\\a.exe", "x"}},
      {"\"C:\\dir\\\\\" x", {"C:\\dir\\\\", "x"}},
      {"p a\\\"\" b", {"p", "a\" b"}},
  };
  for (const Vector& v : vectors) {
    EXPECT_EQ(SplitCommandLine(v.line, ArgumentReader::kCRuntime), v.arguments) << v.line;
  }
  EXPECT_EQ(SplitCommandLine("\"C:\\dir\\\\\" a\\\"\" b", ArgumentReader::kJavaLauncher),
            (std::vector<std::string>{"C:\\dir\\", "a\"\" b"}));
}

// A tail has no program name: its first word follows the arguments' rules,
// not the program name's.
TEST(WindowsArguments, TailHasNoProgramName) {
  const Vector vectors[] = {
      {"a\\\"b c", {"a\"b", "c"}},
      {"\"a\"\"b\" c", {"a\"b", "c"}},
  };
  for (const Vector& v : vectors) {
    std::vector<std::string> texts;
    for (const auto& argument : platform::SplitArguments(v.line, ArgumentReader::kCRuntime, true)) {
      texts.push_back(argument.text);
    }
    EXPECT_EQ(texts, v.arguments) << v.line;
    EXPECT_NE(SplitCommandLine(v.line, ArgumentReader::kCRuntime), v.arguments) << v.line;
  }
}

TEST(WindowsArguments, ArgumentsKnowTheirBytes) {
  auto arguments = platform::SplitArguments(" a  \"b c\"d ", ArgumentReader::kJavaLauncher);
  ASSERT_EQ(arguments.size(), 2u);
  EXPECT_EQ(arguments[1].text, "b cd");
  EXPECT_EQ(arguments[1].begin, 4u);
  EXPECT_EQ(arguments[1].end, 10u);
}

TEST(WindowsArguments, InQuotesKeepsTheClosingQuote) {
  const Vector cases[] = {
      {"lib\\a.jar;classes\\", {"\"lib\\a.jar;classes\\\\\""}},
      {"a\\\\", {"\"a\\\\\\\\\""}},
      {"C:\\a b", {"\"C:\\a b\""}},
      {"", {"\"\""}},
  };
  for (const Vector& c : cases) {
    EXPECT_EQ(platform::InQuotes(c.line), c.arguments[0]) << c.line;
    std::string quoted = platform::InQuotes(c.line);
    EXPECT_EQ(SplitCommandLine(quoted, ArgumentReader::kJavaLauncher),
              std::vector<std::string>{c.line});
  }
}

}  // namespace
