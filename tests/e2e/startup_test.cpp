// Whole runs of the real launcher: the log byte for byte, the exit code,
// standard output and what Java received.

#include <gtest/gtest.h>

#include "tests/e2e/installation_fixture.h"

namespace e2e {
namespace {

using Startup = StandardInstallation;

TEST_F(Startup, EmptyCommandLineStartsTheDefaultKey) {
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.standardOutput, "");
  EXPECT_EQ(app.NormalizedLog(),
            Crlf(StandardRunUntilStart("") + Java64Start("QV", "-Dapp=qv app.Main") +
                 "LAUNCH PROCESS FOR 64 BIT COMPLETE.\n"));
  ASSERT_TRUE(WaitForFile(app.Path("jre64/bin/javaw.received"), 30));
}

TEST_F(Startup, KeepWaitsForJava) {
  app.Write("launch.properties", app.Read("launch.properties") + "XYZ=app.Main fake.sleep=2\n");
  RunResult result = app.Run({"-start=xyz", "-launcher.keep=true"});
  EXPECT_EQ(result.exitCode, 0);
  // Java has ended before the launcher did.
  std::vector<std::string> received = app.JavaArguments("jre64");
  ASSERT_FALSE(received.empty());
  EXPECT_EQ(received.back(), "finished");
  std::string log = app.NormalizedLog();
  EXPECT_NE(log.find(Crlf("launcher.keep = true\n")), std::string::npos) << log;
  EXPECT_NE(log.find(Crlf("\"lib\\app.jar;lib\\util.jar\" app.Main fake.sleep=2\n"
                          "launcher.keep=true -> Der Launcher l\xE4uft weiter, solange der "
                          "java-Prozess l\xE4uft.\n"
                          "LAUNCH PROCESS FOR 64 BIT COMPLETE.\n")),
            std::string::npos)
      << log;
}

TEST_F(Startup, StartAndKeepFromTheCommandLine) {
  RunResult result = app.Run({"-start=abc", "-launcher.keep=true"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(app.NormalizedLog(),
            Crlf(StandardRunUntilStart("-start=abc -launcher.keep=true",
                                       {{"start", "abc"}, {"launcher.keep", "true"}}) +
                 Java64Start("ABC", "-Dapp=abc app.Main") +
                 "launcher.keep=true -> Der Launcher l\xE4uft weiter, solange der java-Prozess "
                 "l\xE4uft.\n"
                 "LAUNCH PROCESS FOR 64 BIT COMPLETE.\n"));
  std::vector<std::string> expected = {
      "cwd=<DIR>",     "arg=-Djava.util.Arrays.useLegacyMergeSort=true",
      "arg=-Xms32M",   "arg=-Xmx512M",
      "arg=-cp",       "arg=lib\\app.jar;lib\\util.jar",
      "arg=-Dapp=abc", "arg=app.Main"};
  EXPECT_EQ(app.JavaArguments("jre64"), expected);
}

TEST_F(Startup, CwdSwitchMovesTheRunToTheExecutablesFolder) {
  Installation outer;
  outer.AddLauncher("app");
  outer.MakeDirectory("elsewhere");
  RunResult result = outer.Run({"-launcher.cwd=true"}, "app", "elsewhere");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_FALSE(outer.Exists("elsewhere/KivLaunch.log"));
  EXPECT_EQ(outer.NormalizedLog("app"),
            Crlf("$Id: launcher, v5.1.0.35 built <BUILD>$\n"
                 "KivLauncher wird gestartet am <TIME>\n"
                 "\n"
                 "===== Arbeitsverzeichnis =====\n"
                 "Arbeitsverzeichnis beim Start: <DIR>\\elsewhere\n"
                 "launcher.cwd=true -> Arbeitsverzeichnis automatisch gewechselt zu: <DIR>\\app\n"
                 "\n"
                 "===== Kommandozeilenparameter =====\n"
                 "-launcher.cwd=true\n"
                 "\n"
                 "===== Kommandozeilenparameter auswerten =====\n"
                 "\n"
                 "===== Verteilte Installation =====\n"
                 "Der Ordner lib wurde nicht gefunden, darum wird eine verteilte Installation "
                 "vermutet. Suche das neueste Verzeichnis mit Datei 'Bereit.txt'.\n"
                 "=== Messagebox Start ===\n"
                 "Es wurde eine verteilte Installation gefunden, aber keine Bereit.txt Datei in "
                 "den Unterordnern! \n"
                 "Eine normale Installation braucht den Ordner lib in <DIR>\\app.\n"
                 "\n"
                 "=== Messagebox Ende ===\n"));
}

// An installation deeper than MAX_PATH: the executable's folder is read
// whole, never cut into another folder. Windows itself cannot make such a
// folder the working directory, so there the report shows the directory
// unchanged.
TEST(StartupDeepFolder, CwdSwitchNeverMovesIntoACutPath) {
  if (!DrivenFromLinux()) GTEST_SKIP() << "Windows cannot make or start in such a folder";
  Installation outer;
  std::string deep =
      std::string(120, 'a') + "/" + std::string(120, 'b') + "/" + std::string(40, 'c');
  outer.AddLauncher(deep);
  outer.MakeDirectory("elsewhere");
  outer.Run({"-launcher.cwd=true"}, deep, "elsewhere");
  std::string reached = WindowsLauncher() ? "elsewhere" : deep;
  std::string log = outer.NormalizedLog(reached);
  for (char& c : reached) c = c == '/' ? '\\' : c;
  EXPECT_NE(log.find("gewechselt zu: <DIR>\\" + reached + "\r\n"), std::string::npos) << log;
}

}  // namespace
}  // namespace e2e
