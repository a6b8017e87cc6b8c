// The command-line tail, its parameters, and which of them reach Settings.

#include "settings/command_line.h"

#include <gtest/gtest.h>

namespace {

using Entries = std::map<std::string, std::string>;

// The program name as Windows' C runtime reads it: to the first blank or tab
// outside double quotes. No program name begins with "-": a parent that
// gives only parameters (CreateProcess with the program as its own
// argument) has the first word read as one.
TEST(CommandLine, TailAfterTheProgramName) {
  struct Case {
    std::string full, tail;
    bool programNameMissing;
  };
  const Case cases[] = {
      {"KivLauncher.exe -start=abc", "-start=abc", false},
      {"  \"C:\\Program Files\\KivLauncher.exe\"   -a=b -c=d ", "-a=b -c=d ", false},
      {"C:\\\"Program Files\"\\KivLauncher.exe -a=b", "-a=b", false},
      {"\"C:\\Kiv\\KivLauncher.exe\"-a=b -c=d", "-c=d", false},
      {"KivLauncher.exe\t-a=b", "-a=b", false},
      {"KivLauncher.exe", "", false},
      {"\"unclosed -a=b", "", false},
      {"", "", false},
      {"-start=abc", "-start=abc", true},
      {" \t-start=abc -a=\"x y\"", "-start=abc -a=\"x y\"", true},
      {"\"-Dkiv.x=a b\" -start=abc", "\"-Dkiv.x=a b\" -start=abc", true},
  };
  for (const Case& c : cases) {
    OwnCommandLine own = ReadOwnCommandLine(c.full);
    EXPECT_EQ(own.tail, c.tail) << c.full;
    EXPECT_EQ(own.programNameMissing, c.programNameMissing) << c.full;
  }
}

TEST(CommandLine, ParseWellFormedParameters) {
  struct Case {
    std::string tail;
    Entries expected;
  };
  const Case cases[] = {
      {"", {}},
      {"-start=abc -launcher.keep=true", {{"launcher.keep", "true"}, {"start", "abc"}}},
      {"-start=A -start=B", {{"start", "B"}}},
      {"-start=B -start=", {{"start", "B"}}},
      {"  \t-a=1    -b=2 \t ", {{"a", "1"}, {"b", "2"}}},
      {"-a=b=c", {{"a", "b=c"}}},
      {"-a=x-y", {{"a", "x-y"}}},
      {"\"-Dautologin.pwd=x\" -a=\"y\"", {{"Dautologin.pwd", "x"}, {"a", "\"y\""}}},
      {"\"-a=\" \"\"", {}},
      {"-Dkiv.debug=true -launcher.keep=TRUE", {{"Dkiv.debug", "true"}, {"launcher.keep", "TRUE"}}},
      {"-a=C:\\Daten\\ -b=\"C:\\Daten\"", {{"a", "C:\\Daten\\"}, {"b", "\"C:\\Daten\""}}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseCommandLine(c.tail).entries, c.expected) << c.tail;
}

// Blanks and tabs outside double quotes separate, as for every Windows
// program; quotes stay in the value, so that Java reads it as written.
TEST(CommandLine, QuotesHoldBlanksTabsSeparate) {
  struct Case {
    std::string tail;
    Entries expected;
  };
  const Case cases[] = {
      {"-a=1\t-b=2", {{"a", "1"}, {"b", "2"}}},
      {"-start=abc\t-Dautologin.pwd=x", {{"Dautologin.pwd", "x"}, {"start", "abc"}}},
      {"-Dkiv.dir=\"C:\\Program Files\\x\" -start=abc",
       {{"Dkiv.dir", "\"C:\\Program Files\\x\""}, {"start", "abc"}}},
      {"-a=x\"y z\"w", {{"a", "x\"y z\"w"}}},
      {"-a=\"x\ty\"", {{"a", "\"x\ty\""}}},
      {"\"-Dkiv.x=a b\" -start=abc", {{"Dkiv.x", "\"a b\""}, {"start", "abc"}}},
      {"\"-Dkiv.dir=C:\\a b\\\\\"", {{"Dkiv.dir", "\"C:\\a b\\\\\""}}},
      {"\"-Dkiv.dir=\\\"C:\\a b\\\"\"", {{"Dkiv.dir", "\"C:\\a b\""}}},
      {"-a=\"x \\\" y\" -b=2", {{"a", "\"x \\\" y\""}, {"b", "2"}}},
      {"-a=\"C:\\Daten\\\" -b=2", {{"a", "\"C:\\Daten\\\" -b=2"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseCommandLine(c.tail).entries, c.expected) << c.tail;
}

// A piece without a leading minus, without an equals sign or with a blank in
// its key is skipped; it never reaches into the next parameter. A quote
// that never closes takes the rest of the line, as for every program.
TEST(CommandLine, MalformedPiecesAreSkipped) {
  struct Case {
    std::string tail;
    Entries expected;
  };
  const Case cases[] = {
      {"-a -b=2", {{"b", "2"}}},           {"x-a=1 -b=2", {{"b", "2"}}},
      {"C:\\file.txt -b=2", {{"b", "2"}}}, {"-a =1 -b=2", {{"b", "2"}}},
      {"-a=1 stray", {{"a", "1"}}},        {"-=v", {{"", "v"}}},
      {"\"-a=1\"x -b=2", {{"b", "2"}}},    {"x\"-a=1 -b=2\" -c=3", {{"c", "3"}}},
      {"\"-a b=1\" -c=3", {{"c", "3"}}},   {"\"-a=\"1\" -b=2", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseCommandLine(c.tail).entries, c.expected) << c.tail;
}

TEST(CommandLine, OnlySelectedKeysOverrideSettings) {
  CommandLineParameters parameters = ParseCommandLine(
      "-start=abc -memory.maximum=1G -Dkiv.mode=x -dkiv.mode=y -java64=D:\\j -launcher.cwd=true "
      "-launcher.keep=TRUE -custom=x.properties");
  Settings settings = InitialSettings();
  settings.Set("Dkiv.mode", "file");
  CopyCommandLineOverrides(parameters, settings);
  EXPECT_EQ(settings.Get("start"), "abc");
  EXPECT_EQ(settings.Get("memory.maximum"), "256M");
  EXPECT_EQ(settings.Get("Dkiv.mode"), "x");
  EXPECT_EQ(settings.Get("dkiv.mode"), "");
  EXPECT_EQ(settings.Get("java64"), "D:\\j");
  EXPECT_EQ(settings.Get("launcher.cwd"), "");
  EXPECT_EQ(settings.Get("custom"), "");
  EXPECT_EQ(settings.Get("launcher.keep"), "TRUE");
  EXPECT_FALSE(settings.IsTrue("launcher.keep"));
}

}  // namespace
