// The command-line tail, its parameters, and which of them reach Settings.

#include "launcher/command_line.h"

#include <gtest/gtest.h>

namespace {

using Entries = std::map<std::string, std::string>;

TEST(CommandLine, TailAfterTheProgramName) {
  struct Case {
    std::string full, tail;
  };
  const Case cases[] = {
      {"KivLauncher.exe -start=abc", "-start=abc"},
      {"  \"C:\\Program Files\\KivLauncher.exe\"   -a=b -c=d ", "-a=b -c=d "},
      {"\"C:\\Kiv\\KivLauncher.exe\"-a=b", "-a=b"},
      {"KivLauncher.exe\t-a=b", "-a=b"},
      {"KivLauncher.exe", ""},
      {"\"unclosed -a=b", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CommandLineTail(c.full), c.tail) << c.full;
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
      {"-a=1\t-b=2", {{"a", "1\t-b=2"}}},
      {"-a=\"x y\"", {{"a", "\"x"}}},
      {"\"-Dautologin.pwd=x\" -a=\"y\"", {{"Dautologin.pwd", "x"}, {"a", "\"y\""}}},
      {"\"-a=\" \"\"", {}},
      {"-Dkiv.debug=true -launcher.keep=TRUE", {{"Dkiv.debug", "true"}, {"launcher.keep", "TRUE"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseCommandLine(c.tail).entries, c.expected) << c.tail;
}

// A piece without a leading minus or without an equals sign is skipped;
// it never reaches into the next parameter.
TEST(CommandLine, MalformedPiecesAreSkipped) {
  struct Case {
    std::string tail;
    Entries expected;
  };
  const Case cases[] = {
      {"-a -b=2", {{"b", "2"}}},           {"x-a=1 -b=2", {{"b", "2"}}},
      {"C:\\file.txt -b=2", {{"b", "2"}}}, {"-a =1 -b=2", {{"b", "2"}}},
      {"-a=1 stray", {{"a", "1"}}},        {"-=v", {{"", "v"}}},
      {"\"-a=1\"x -b=2", {{"b", "2"}}},    {"\"-a=\"1\" -b=2", {{"b", "2"}}},
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
