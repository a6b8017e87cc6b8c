// The launcher's own command line as Windows programs read theirs: a blank
// in double quotes stays in its parameter, a tab separates, a parent may
// leave the program name out; and the password shows in clear nowhere.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "tests/e2e/installation_fixture.h"

namespace e2e {
namespace {

using OwnCommandLine = StandardInstallation;

const char kProgramNameMissing[] =
    "Der Programmname fehlt in der Kommandozeile. -> Das erste Wort wird als Parameter "
    "ausgewertet.";

bool Received(const std::vector<std::string>& received, const std::string& argument) {
  return std::find(received.begin(), received.end(), "arg=" + argument) != received.end();
}

// Each argument reaches the launcher as Windows programs write it into a
// command line: "-Dkiv.x=a b" "-Dkiv.dir=\"C:\Program Files\x\"".
TEST_F(OwnCommandLine, QuotedBlanksReachJavaWhole) {
  RunResult result = app.Run({"-start=abc", "-Dkiv.x=a b", "-Dkiv.dir=\"C:\\Program Files\\x\""});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(
      app.NormalizedLog(),
      Crlf(
          StandardRunUntilStart(
              "-start=abc \"-Dkiv.x=a b\" \"-Dkiv.dir=\\\"C:\\Program Files\\x\\\"\"",
              {{"start", "abc"}, {"Dkiv.dir", "\"C:\\Program Files\\x\""}, {"Dkiv.x", "\"a b\""}}) +
          Java64Start("ABC", "-Dapp=abc app.Main",
                      " -Dkiv.dir=\"C:\\Program Files\\x\"  -Dkiv.x=\"a b\" ") +
          "LAUNCH PROCESS FOR 64 BIT COMPLETE.\n"));
  std::vector<std::string> received = app.JavaArguments("jre64");
  EXPECT_TRUE(Received(received, "-Dkiv.x=a b"));
  EXPECT_TRUE(Received(received, "-Dkiv.dir=C:\\Program Files\\x"));
}

// As a scheduler starts it: CreateProcess with the program apart and a
// command line of parameters only, glued by a tab.
TEST_F(OwnCommandLine, ParentWithoutProgramName) {
  if (DrivenFromLinux()) GTEST_SKIP() << "only a Windows parent gives a command line as it likes";
  RunResult result =
      app.RunCommandLine("-start=abc\t-Dautologin.pwd=Geheim -Dkiv.dir=\"C:\\Program Files\\x\"");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(app.NormalizedLog(),
            Crlf(StandardRunUntilStart(
                     "-start=abc\t-Dautologin.pwd=xxxx -Dkiv.dir=\"C:\\Program Files\\x\"\n" +
                         std::string(kProgramNameMissing),
                     {{"start", "abc"}, {"Dkiv.dir", "\"C:\\Program Files\\x\""}}) +
                 Java64Start("ABC", "-Dapp=abc app.Main",
                             " -Dautologin.pwd=xxxx  -Dkiv.dir=\"C:\\Program Files\\x\" ") +
                 "LAUNCH PROCESS FOR 64 BIT COMPLETE.\n"));
  std::vector<std::string> received = app.JavaArguments("jre64");
  EXPECT_TRUE(Received(received, "-Dautologin.pwd=Geheim"));
  EXPECT_TRUE(Received(received, "-Dkiv.dir=C:\\Program Files\\x"));
  EXPECT_TRUE(Received(received, "-Dapp=abc"));
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

void ExpectNoPassword(const std::string& text, const std::string& where) {
  EXPECT_EQ(Lower(text).find("geheim"), std::string::npos) << where << ":\n" << text;
  EXPECT_EQ(Lower(text).find("wort"), std::string::npos) << where << ":\n" << text;
}

// A password stored in quotes with a blank, and a Java that prints it as it
// read it, without the quotes, and ends at once with an error.
const char kPrintingJava[] =
    "launcher.java_output=java.out\n"
    "launcher.java_watch=5\n"
    "jvm.parameter.echo=\"fake.stdout=-Dautologin.pwd=Geheim Wort\"\n"
    "jvm.parameter.exit=fake.exit=1\n";

struct LeakCase {
  std::vector<std::string> arguments;
  std::string customLaunch;  // appended to the standard file
  int exitCode;
};

// A tab glues the password to the parameter before it; the harness quotes
// such an argument whole, so the launcher takes it as one value.
const LeakCase kLeakCases[] = {
    {{"-start=abc\t-Dautologin.pwd=Geheim"}, "", 1},
    {{"-custom=x.properties\t-Dautologin.pwd=Geheim"}, "", 1},
    {{"-launcher.class_archive=archiv\t-Dautologin.pwd=Geheim"}, "", 0},
    {{"-Dautologin.pwd=\"Geheim Wort\""}, kPrintingJava, 1},
    {{"-Dautologin.pwd=\"Geheim Wort\"", "-launcher.check=true"}, kPrintingJava, 1},
};

// The log, standard output, the launcher's line in Java's output file and,
// under Wine started from Linux, the text the message box was given.
TEST_F(OwnCommandLine, PasswordNowhereInClear) {
  for (const LeakCase& c : kLeakCases) {
    app.Write("customlaunch.properties", kCustomLaunchProperties + c.customLaunch);
    for (bool serviceMode : {false, true}) {
      std::vector<std::string> arguments = c.arguments;
      if (serviceMode) arguments.push_back("-launcher.service=true");
      bool relay = !serviceMode && UnderWine() && DrivenFromLinux();
      if (relay) SetEnvironment("WINEDEBUG", "+relay");
      std::remove(app.Path("java.out").c_str());
      RunResult result = app.Run(arguments);
      if (relay) SetEnvironment("WINEDEBUG", "-all");
      std::string where = arguments[0] + (serviceMode ? " (service)" : "");
      EXPECT_EQ(result.exitCode, c.exitCode) << where;
      ExpectNoPassword(app.NormalizedLog(), where + ", log");
      ExpectNoPassword(result.standardOutput, where + ", standard output");
      if (app.Exists("java.out")) {
        std::string output = app.Read("java.out");
        ExpectNoPassword(output.substr(0, output.find('\n')), where + ", java.out");
      }
      size_t box = result.standardError.find("user32.MessageBoxA(");
      if (relay && c.exitCode == 1) ASSERT_NE(box, std::string::npos) << where;
      if (box != std::string::npos) {
        ExpectNoPassword(
            result.standardError.substr(box, result.standardError.find('\n', box) - box),
            where + ", message box");
      }
    }
  }
}

}  // namespace
}  // namespace e2e
