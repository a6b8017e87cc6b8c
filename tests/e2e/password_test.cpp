// The automatic-login password, however it comes in, reaches Java and the
// child launcher in clear and nothing a person or the service can read.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tests/e2e/installation_fixture.h"

namespace e2e {
namespace {

using Passwords = StandardInstallation;

struct PasswordCase {
  std::vector<std::string> arguments;
  std::string customLaunch;  // appended to the standard file
};

// "Geheim Wort" split into arguments reaches the launcher as one command
// line with a blank inside the quotes.
const PasswordCase kCases[] = {
    {{"-Dautologin.pwd=Geheim"}, ""},
    {{"-Dautologin.pwd=\"Geheim", "Wort\""}, ""},
    {{"-read=-Dautologin.pwd=Geheim+++Wort"}, ""},
    {{"-read_app=-Dautologin.pwd=Geheim"}, ""},
    {{}, "Dautologin.pwd=Geheim Wort\n"},
    {{}, "Dautologin.pwd = \"Geheim Wort\"   # Passwort\n"},
    {{}, "Dautologin.pwd=Geheim\n"},
    {{}, "Dautologin.pwd=GeheimDautologin.pwd=Wort\n"},
    {{}, "QV=-Dapp=qv app.Main -Dautologin.pwd=Geheim\njvm.parameter=-Dautologin.pwd=Wort\n"},
};

std::string Describe(const PasswordCase& c) {
  std::string text = c.customLaunch;
  for (const std::string& argument : c.arguments) text += " " + argument;
  return text;
}

void ExpectNoPassword(const std::string& text, const std::string& where) {
  EXPECT_EQ(text.find("Geheim"), std::string::npos) << where << ":\n" << text;
  EXPECT_EQ(text.find("Wort"), std::string::npos) << where << ":\n" << text;
}

TEST_F(Passwords, JavaReceivesItTheLogDoesNot) {
  for (const PasswordCase& c : kCases) {
    app.Write("customlaunch.properties", std::string(kCustomLaunchProperties) + c.customLaunch);
    std::remove(app.Path("jre64/bin/javaw.received").c_str());
    RunResult result = app.Run(c.arguments);
    EXPECT_EQ(result.exitCode, 0) << Describe(c);
    ExpectNoPassword(app.NormalizedLog(), Describe(c));
    std::vector<std::string> received = app.JavaArguments("jre64");
    EXPECT_TRUE(std::any_of(received.begin(), received.end(), [](const std::string& argument) {
      return argument.find("Geheim") != std::string::npos;
    })) << Describe(c);
  }
}

// Both Java attempts fail, so the report shows the 32-bit command line.
TEST_F(Passwords, NotInTheFailureReport) {
  const std::string failingJava = "java64=missing64\njava=missing32\n";
  for (const PasswordCase& c : kCases) {
    app.Write("customlaunch.properties",
              std::string(kCustomLaunchProperties) + failingJava + c.customLaunch);
    for (bool serviceMode : {false, true}) {
      std::vector<std::string> arguments = c.arguments;
      if (serviceMode) arguments.push_back("-launcher.service=true");
      RunResult result = app.Run(arguments);
      EXPECT_EQ(result.exitCode, 1) << Describe(c);
      std::string log = app.NormalizedLog();
      EXPECT_NE(log.find("Java konnte nicht aufgerufen werden:"), std::string::npos) << log;
      ExpectNoPassword(log, Describe(c));
      ExpectNoPassword(result.standardOutput, Describe(c));
      EXPECT_EQ(result.standardOutput.compare(0, 4, serviceMode ? "err:" : ""), 0);
      if (!WindowsLauncher()) ExpectNoPassword(result.standardError, Describe(c));
    }
  }
}

// Beyond the option's own argument: a quote the password leaves open for
// the next piece, a line feed, the option in capitals in a read group; in a
// plain start and in check mode, with a box and in service mode.
TEST_F(Passwords, NoPartShowsWhateverCarriesIt) {
  const PasswordCase cases[] = {
      {{}, "Dautologin.pwd=GeheimQ WortQ\"WortR\nDkiv.x=1\n"},
      {{"-Dautologin.pwd=GeheimK\nWortK", "-launcher.java_output=out.txt"}, ""},
      {{"-read=-Dautologin.pwd=GeheimL\nWortL"}, ""},
      {{"-read=-DAUTOLOGIN.PWD=Geheim+++Wort2"}, ""},
  };
  for (const PasswordCase& c : cases) {
    app.Write("customlaunch.properties", std::string(kCustomLaunchProperties) + c.customLaunch);
    for (const char* check : {"-launcher.check=false", "-launcher.check=true"}) {
      for (const char* service : {"-launcher.service=false", "-launcher.service=true"}) {
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.end(), {check, service});
        RunResult result = app.Run(arguments);
        std::string where = Describe(c) + " " + check + " " + service;
        ExpectNoPassword(app.NormalizedLog() + result.standardOutput, where);
        if (!WindowsLauncher()) ExpectNoPassword(result.standardError, where);
      }
    }
  }
  ExpectNoPassword(app.Read("out.txt"), "output file");
}

// Wine's relay trace shows the text the real MessageBoxA call received.
TEST_F(Passwords, NotInTheMessageBoxUnderWine) {
  if (!UnderWine() || !DrivenFromLinux()) {
    GTEST_SKIP() << "Wine writes its relay trace to the standard error it got from Linux";
  }
  app.Write("customlaunch.properties", std::string(kCustomLaunchProperties) +
                                           "java64=missing64\njava=missing32\n"
                                           "Dautologin.pwd=Geheim Wort\n");
  SetEnvironment("WINEDEBUG", "+relay");
  RunResult result = app.Run({"-read=-Dautologin.pwd=Geheim+++Wort"});
  SetEnvironment("WINEDEBUG", "-all");
  EXPECT_EQ(result.exitCode, 1);
  size_t box = result.standardError.find("user32.MessageBoxA(00000000,");
  ASSERT_NE(box, std::string::npos);
  std::string call = result.standardError.substr(box, result.standardError.find('\n', box) - box);
  EXPECT_NE(call.find("Java konnte nicht aufgerufen werden:"), std::string::npos) << call;
  ExpectNoPassword(call, "message box");
}

class PasswordHandOver : public testing::Test {
 protected:
  void SetUp() override {
    copies.AddLauncher();
    copies.Write("3.2.0.15/Bereit.txt", "");
    copies.AddLauncher("3.2.0.15/Anwendung");
    copies.MakeDirectory("3.2.0.15/Anwendung/lib");
    copies.Write("3.2.0.15/Anwendung/launch.properties", kLaunchProperties);
    copies.AddJava("3.2.0.15/Anwendung/jre64");
  }
  Installation copies;
};

// In service mode the parent waits for the child, so both logs are whole
// when the run returns; the child's err: line is what the service reads.
TEST_F(PasswordHandOver, NeitherLauncherShowsIt) {
  const std::vector<std::string> password = {"-Dautologin.pwd=\"Geheim", "Wort\""};
  copies.Write("3.2.0.15/Anwendung/customlaunch.properties", "java64=missing64\njava=missing32\n");
  std::vector<std::string> arguments = password;
  arguments.push_back("-launcher.service=true");
  RunResult result = copies.Run(arguments);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.standardOutput.compare(0, 4, "err:"), 0) << result.standardOutput;
  ExpectNoPassword(result.standardOutput, "answer passed on");
  ExpectNoPassword(copies.NormalizedLog(), "parent log");
  std::string child = copies.NormalizedLog("3.2.0.15/Anwendung");
  EXPECT_NE(child.find("Java konnte nicht aufgerufen werden:"), std::string::npos) << child;
  ExpectNoPassword(child, "child log");
}

}  // namespace
}  // namespace e2e
