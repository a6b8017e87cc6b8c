// The whole run on the fake platform: every exit of the start-up sequence,
// with and without service mode.

#include "launcher/startup_sequence.h"

#include <gtest/gtest.h>

#include <regex>

#include "tests/unit/test_log.h"

namespace {

std::string WithoutBuildTime(const std::string& log) {
  return std::regex_replace(
      log, std::regex(R"(built [A-Z][a-z]{2} [ 0-9]\d \d{4} \d\d:\d\d:\d\d\$)"), "built <BUILD>$");
}

const char kHeader[] =
    "$Id: launcher, v5.1.0.35 built <BUILD>$\n"
    "KivLauncher wird gestartet am Sun Dec  6 12:57:17 2026\n"
    "\n"
    "===== Arbeitsverzeichnis =====\n"
    "Arbeitsverzeichnis beim Start: C:\\App\n"
    "launcher.cwd=false -> Das Arbeitsverzeichnis wurde nicht automatisch gewechselt.\n";

class StartupSequence : public testing::Test {
 protected:
  void SetUp() override {
    fake::Reset();
    fake::AddFile("C:\\App\\launch.properties",
                  "classpath.default=lib\\app.jar;lib\\util.jar\n"
                  "java64=C:\\Java\\jre64\n"
                  "ABC=-Dapp=abc app.Main\n");
    fake::AddFile("C:\\App\\customlaunch.properties", "memory.maximum=512M\n");
    fake::AddFile("C:\\App\\lib\\app.jar", "");
  }

  int Run(const std::string& tail) {
    fake::Get().commandLine = "\"C:\\App\\KivLauncher.exe\" " + tail;
    return RunLauncher(fake::Get().commandLine);
  }

  std::string Log() { return WithoutBuildTime(testing_log::Text()); }
};

const char kExampleLog[] =
    "\n"
    "===== Kommandozeilenparameter =====\n"
    "-start=abc\n"
    "\n"
    "===== Kommandozeilenparameter auswerten =====\n"
    "\n"
    "===== Verteilte Installation =====\n"
    "Der Ordner lib wurde gefunden. -> Keine verteilte Installation!\n"
    "\n"
    "===== launch.properties einlesen =====\n"
    "Die Datei launch.properties wurde ge\xF6"
    "ffnet.\n"
    "classpath.default=lib\\app.jar;lib\\util.jar // FOUND: "
    "\"classpath.default\"=\"lib\\app.jar;lib\\util.jar\"\n"
    "java64=C:\\Java\\jre64 // FOUND: \"java64\"=\"C:\\Java\\jre64\"\n"
    "ABC=-Dapp=abc app.Main // FOUND: \"ABC\"=\"-Dapp=abc app.Main\"\n"
    "\n"
    "\n"
    "===== customlaunch.properties einlesen =====\n"
    "Die Datei customlaunch.properties wurde ge\xF6"
    "ffnet.\n"
    "memory.maximum=512M // FOUND: \"memory.maximum\"=\"512M\"\n"
    "\n"
    "\n"
    "===== Zusatzparameter mit -read =====\n"
    "NO ADDITIONAL PARAMETERS\n"
    "\n"
    "===== Zusatzparameter mit -read_app =====\n"
    "NO ADDITIONAL PARAMETERS\n"
    "\n"
    "===== Liste aller Einstellungen =====\n"
    "ABC = -Dapp=abc app.Main\n"
    "classpath.default = lib\\app.jar;lib\\util.jar\n"
    "java64 = C:\\Java\\jre64\n"
    "launcher.ignore_inwartung = false\n"
    "launcher.keep = false\n"
    "launcher.keep_and_kill = false\n"
    "launcher.service = false\n"
    "memory.initial = 32M\n"
    "memory.maximum = 512M\n"
    "start = abc\n"
    "sun.java2d.d3d = true\n"
    "swing.noxp = false\n"
    "\n"
    "===== InWartung.txt pr\xFC"
    "fen =====\n"
    "Es existiert keine InWartung.txt\n"
    "\n"
    "===== Starten der javaw.exe =====\n"
    "Gestartet wird K\xFCrzel: 'ABC' mit Parameter: lib\\app.jar;lib\\util.jar   -Dapp=abc "
    "app.Main\n"
    "Java wird ermittelt f\xFCr Computer \"PC-07\" mit 64 Bit: java64=C:\\Java\\jre64\n"
    "JVM wird gestartet am Sun Dec  6 12:57:17 2026\n"
    "\n"
    "C:\\Java\\jre64\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true -Xms32M -Xmx512M "
    "-cp \"lib\\app.jar;lib\\util.jar\" -Dapp=abc app.Main\n"
    "LAUNCH PROCESS FOR 64 BIT COMPLETE.\n";

TEST_F(StartupSequence, CompleteRunStartsJava64AndLogsEverything) {
  EXPECT_EQ(Run("-start=abc"), 0);
  EXPECT_EQ(Log(), std::string(kHeader) + kExampleLog);
  ASSERT_EQ(fake::Get().started.size(), 1u);
  EXPECT_EQ(fake::Get().started[0].commandLine,
            "C:\\Java\\jre64\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true -Xms32M "
            "-Xmx512M -cp \"lib\\app.jar;lib\\util.jar\" -Dapp=abc app.Main");
  EXPECT_EQ(fake::Get().started[0].program, "C:\\Java\\jre64\\bin\\javaw.exe");
  EXPECT_FALSE(fake::Get().shutsDownAfterApplications);
  EXPECT_TRUE(fake::Get().messageBoxes.empty());
  EXPECT_EQ(fake::Get().standardOutput, "");
}

// Windows 10 with its UTF-8 option ignores the manifest's wish for the
// legacy code page: the start says so where it begins.
TEST_F(StartupSequence, Utf8CodePageIsNamed) {
  fake::Get().ansiCodePage = 65001;
  EXPECT_EQ(Run("-start=abc"), 0);
  EXPECT_NE(Log().find("auswerten =====\nDie ANSI-Codepage dieses Computers ist 65001, nicht "
                       "1252 (Windows-1252): Umlaute"),
            std::string::npos);
}

TEST_F(StartupSequence, KeepAndKillShutsTheLauncherDownAfterJava) {
  EXPECT_EQ(Run("-start=abc -launcher.keep_and_kill=true"), 0);
  EXPECT_TRUE(fake::Get().shutsDownAfterApplications);
}

// "Copy as path" puts a Java folder in quotes: the start and check mode both
// take the folder without them.
TEST_F(StartupSequence, QuotedJavaFolderIsTakenWithoutItsQuotes) {
  const struct {
    std::string folder, program, commandLineStart;
  } cases[] = {
      {"\"D:\\jre64\"", "D:\\jre64\\bin\\javaw.exe", "D:\\jre64\\bin\\javaw.exe -D"},
      {"\"C:\\Program Files\\Java\\jre\"", "C:\\Program Files\\Java\\jre\\bin\\javaw.exe",
       "\"C:\\Program Files\\Java\\jre\\bin\\javaw.exe\" -D"},
  };
  for (const auto& c : cases) {
    SetUp();
    fake::AddFile("C:\\App\\customlaunch.properties", "java64=" + c.folder + "\n");
    fake::AddFile(c.program, "MZ");
    EXPECT_EQ(Run("-start=abc"), 0);
    ASSERT_EQ(fake::Get().started.size(), 1u);
    EXPECT_EQ(fake::Get().started[0].program, c.program);
    EXPECT_EQ(fake::Get().started[0].commandLine.rfind(c.commandLineStart, 0), 0u)
        << fake::Get().started[0].commandLine;
    SetUp();
    fake::AddFile("C:\\App\\customlaunch.properties", "java64=" + c.folder + "\n");
    fake::AddFile(c.program, "MZ");
    EXPECT_EQ(Run("-start=abc -launcher.check=true"), 0);
    EXPECT_NE(Log().find(c.program + " ist vorhanden\n"), std::string::npos) << Log();
  }
}

// A shortcut that quotes a whole parameter: it is taken, and its password
// reaches Java and nothing else.
TEST_F(StartupSequence, QuotedParameterIsTakenAndItsPasswordMasked) {
  EXPECT_EQ(Run("\"-Dautologin.pwd=Geheim\" -start=abc"), 0);
  ASSERT_EQ(fake::Get().started.size(), 1u);
  EXPECT_NE(fake::Get().started[0].commandLine.find(" -Dautologin.pwd=Geheim "), std::string::npos);
  EXPECT_EQ(Log().find("Geheim"), std::string::npos) << Log();
  EXPECT_NE(Log().find("\"-Dautologin.pwd=xxxx\" -start=abc\n"), std::string::npos) << Log();
}

}  // namespace
