// The shared text operations and the way files are read into lines.

#include "settings/text.h"

#include <gtest/gtest.h>

#include "platform/windows_arguments.h"
#include "settings/properties_file.h"
#include "tests/fake_platform.h"

namespace {

struct TextCase {
  std::string input;
  std::string expected;
};

TEST(Text, Trim) {
  const TextCase cases[] = {
      {"  a b\t", "a b"}, {" \t \t", ""}, {"", ""}, {"a\r", "a\r"}, {"\ta\t=\tb ", "a\t=\tb"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(Trim(c.input), c.expected) << c.input;
}

TEST(Text, ToUpperChangesOnlyAsciiLetters) {
  EXPECT_EQ(ToUpper("abc_x1"), "ABC_X1");
  EXPECT_EQ(ToUpper("\xE4\xF6\xFC-z"), "\xE4\xF6\xFC-Z");
}

TEST(Text, ReplaceWithBlank) {
  struct Case {
    std::string text, pattern, expected;
  };
  const Case cases[] = {
      {"a+++b+++c", "+++", "a b c"},
      {"++++++", "+++", "  "},
      {"++++", "+++", " +"},
      {"\"lib\\a.jar\"", "\"", " lib\\a.jar "},
      {"no pattern here", "-cp", "no pattern here"},
      {"a-cpb-cp", "-cp", "a b "},
  };
  for (const Case& c : cases) EXPECT_EQ(ReplaceWithBlank(c.text, c.pattern), c.expected) << c.text;
}

TEST(Text, QuotedIfBlank) {
  const TextCase cases[] = {
      {"jre64\\bin\\javaw.exe", "jre64\\bin\\javaw.exe"},
      {"C:\\Program Files\\Java\\bin\\javaw.exe", "\"C:\\Program Files\\Java\\bin\\javaw.exe\""},
      {"D:\\jre\t17\\bin\\javaw.exe", "\"D:\\jre\t17\\bin\\javaw.exe\""},
      {"\"C:\\Program Files\\Java\"\\bin", "\"C:\\Program Files\\Java\"\\bin"},
      {"\"C:\\Java\"\\bin\\javaw.exe", "\"C:\\Java\"\\bin\\javaw.exe"},
      {"Version 2\\Anwendung\\KivLauncher.exe", "\"Version 2\\Anwendung\\KivLauncher.exe\""},
      {"C:\\Pro gramme\\", "\"C:\\Pro gramme\\\\\""},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(platform::QuotedIfBlank(c.input), c.expected) << c.input;
  }
}

TEST(Text, CollapseUncPrefix) {
  const TextCase cases[] = {
      {"\\\\\\\\server\\\\share\\\\", "\\\\server\\\\share\\\\"},
      {"\\\\\\\\server\\\\\\\\share", "\\\\server\\\\share"},
      {"\\\\\\\\\\\\x", "\\\\\\\\x"},
      {"\\\\\\server\\\\\\\\share", "\\\\\\server\\\\\\\\share"},
      {"\\\\server\\\\\\\\share", "\\\\server\\\\\\\\share"},
      {"C:\\\\\\\\App", "C:\\\\\\\\App"},
      {"", ""},
  };
  for (const TextCase& c : cases) EXPECT_EQ(CollapseUncPrefix(c.input), c.expected) << c.input;
}

TEST(TextFile, LinesAsTextModeReadsThem) {
  struct Case {
    std::string content;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {""}},
      {"a", {"a"}},
      {"a\n", {"a", ""}},
      {"a\r\nb\r\n", {"a", "b", ""}},
      {"a\rb\n", {"a", "b", ""}},
      {"a\rb", {"a", "b"}},
      {"a\r", {"a", ""}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},
      {"a\nb\x1a"
       "c\n",
       {"a", "b"}},
      {"\x1a", {""}},
      {std::string("a\0b\nc", 5), {std::string("a\0b", 3), "c"}},
      {"\xE4=\xF6\n", {"\xE4=\xF6", ""}},
      {"\n\n", {"", "", ""}},
      {"\xEF\xBB\xBFkey=v\r\n", {"key=v", ""}},
      {"\xEF\xBB\xBF", {""}},
      {"\xFF", {"\xFF"}},
      {"\xFE\xFE", {"\xFE\xFE"}},
      {"a\xFF\xFE", {"a\xFF\xFE"}},
      {"\xEF\xBB", {"\xEF\xBB"}},
      {"a\n\xEF\xBB\xBF", {"a", "\xEF\xBB\xBF"}},
      {"\xEF\xBB\xBF\xEF\xBB\xBF"
       "a",
       {"\xEF\xBB\xBF"
        "a"}},
  };
  // Piece sizes that split every line end and the byte order mark, and one
  // that takes the file at once.
  for (size_t pieceBytes : {1, 2, 3, 65536}) {
    for (const Case& c : cases) {
      fake::Reset();
      fake::Get().readPieceBytes = pieceBytes;
      fake::AddFile("C:\\App\\t.txt", c.content);
      TextFile file("t.txt");
      ASSERT_TRUE(file.IsOpen());
      std::vector<std::string> lines;
      std::string line = "stale";
      while (file.ReadLine(&line)) lines.push_back(line);
      EXPECT_EQ(lines, c.lines) << c.content << " in pieces of " << pieceBytes;
      EXPECT_FALSE(file.ReadLine(&line));
      EXPECT_FALSE(file.IsUtf16());
    }
  }
}

// Notepad's "Unicode": its lines come as UTF-8, whatever the pieces cut.
TEST(TextFile, Utf16ReadsAsUtf8) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {std::string("\xFF\xFEk\0=\0\xE4\0\r\0\n\0", 12), {"k=\xC3\xA4", ""}},
      {std::string("\xFE\xFF\0k\x21\x92", 6), {"k\xE2\x86\x92"}},
      {"\xFE\xFF\xD8\x3D\xDE\x01", {"\xF0\x9F\x98\x81"}},
      {std::string("\xFF\xFE\x3D\xD8\0\xDE", 6), {"\xF0\x9F\x98\x80"}},
      {std::string("\xFF\xFE\x3D\xD8k\0\0\xDEk", 9), {"\xEF\xBF\xBDk\xEF\xBF\xBD\xEF\xBF\xBD"}},
      {"\xFF\xFE\x3D\xD8", {"\xEF\xBF\xBD"}},
      {"\xFF\xFE", {""}},
  };
  for (size_t pieceBytes : {1, 2, 3, 65536}) {
    for (const auto& [content, expected] : cases) {
      fake::Reset();
      fake::Get().readPieceBytes = pieceBytes;
      fake::AddFile("C:\\App\\t.txt", content);
      TextFile file("t.txt");
      std::vector<std::string> lines;
      for (std::string line; file.ReadLine(&line);) lines.push_back(line);
      EXPECT_TRUE(file.IsUtf16());
      EXPECT_EQ(lines, expected) << content << " in pieces of " << pieceBytes;
    }
  }
  EXPECT_FALSE(TextFile("missing.txt").IsOpen());
}

TEST(Windows1252, OnlyUtf8AsTheStandardDefinesIt) {
  const std::pair<std::string, bool> cases[] = {
      {"", true},
      {"M\xC3\xBCller-Stra\xC3\x9F"
       "e",
       true},
      {"\xE2\x82\xAC \xF0\x9F\x98\x80", true},
      {"M\xFCller", false},
      {"\xC3", false},
      {"\xC0\xAF", false},
      {"\xE0\x80\xAF", false},
      {"\xED\xA0\x80", false},
      {"\xF4\x90\x80\x80", false},
      {"\xF5\x80\x80\x80", false},
      {"\x80", false},
      {"\xC3\xC3", false},
  };
  for (const auto& [text, utf8] : cases) EXPECT_EQ(IsUtf8(text), utf8) << text;
}

TEST(Windows1252, EveryLetterItHasAndNoOther) {
  struct Case {
    std::string utf8;
    std::string converted;  // empty: a letter is missing
    unsigned long missing;
  };
  const Case cases[] = {
      {"M\xC3\xBCller-Stra\xC3\x9F"
       "e",
       "M\xFCller-Stra\xDF"
       "e",
       0},
      {"\xC2\xA0\xC3\xBF", "\xA0\xFF", 0},
      {"\xE2\x82\xAC\xE2\x80\x9E\xC5\xB8\xC5\xA0", "\x80\x84\x9F\x8A", 0},
      {"\xE2\x84\xA2\xCB\x9C", "\x99\x98", 0},
      {"a\xC5\x81", "", 0x141},
      {"\xC2\x81", "", 0x81},
      {"\xF0\x9F\x98\x80", "", 0x1F600},
  };
  for (const Case& c : cases) {
    std::string converted;
    unsigned long missing = 0;
    EXPECT_EQ(Utf8ToWindows1252(c.utf8, &converted, &missing), c.missing == 0) << c.utf8;
    if (c.missing == 0) {
      EXPECT_EQ(converted, c.converted) << c.utf8;
    }
    EXPECT_EQ(missing, c.missing) << c.utf8;
  }
  EXPECT_EQ(HexDigits(0x141, 4), "0141");
  EXPECT_EQ(HexDigits(0x1F600, 4), "1F600");
}

TEST(PropertiesLine, CommentEndsAtFirstHashOutsideQuotes) {
  const TextCase cases[] = {
      {"key=value", "key=value"},
      {"# key=value", ""},
      {"   # x", "   "},
      {"key=a # b", "key=a "},
      {"key=\"a # b\"", "key=\"a # b\""},
      {"key=a\"b # c", "key=a\"b # c"},
      {"APP=-Dx=\"a#b\" # real", "APP=-Dx=\"a#b\" "},
      {"k=\"\"#c", "k=\"\""},
  };
  for (const TextCase& c : cases) EXPECT_EQ(StripComment(c.input), c.expected) << c.input;
}

TEST(SplitString, KeepsEmptyTokensButNotATrailingOne) {
  using Tokens = std::vector<std::string>;
  EXPECT_EQ(SplitString("", ' '), Tokens{});
  EXPECT_EQ(SplitString("a b", ' '), (Tokens{"a", "b"}));
  EXPECT_EQ(SplitString("a  b", ' '), (Tokens{"a", "", "b"}));
  EXPECT_EQ(SplitString(" a", ' '), (Tokens{"", "a"}));
  EXPECT_EQ(SplitString("a ", ' '), (Tokens{"a"}));
  EXPECT_EQ(SplitString(" ", ' '), (Tokens{""}));
}

}  // namespace
