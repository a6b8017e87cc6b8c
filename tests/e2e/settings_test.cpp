// Settings from the installation's files and the command line, the start
// key and maintenance, as the real launcher logs them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tests/e2e/installation_fixture.h"

namespace e2e {
namespace {

using Settings = StandardInstallation;

const char kComplete[] = "LAUNCH PROCESS FOR 64 BIT COMPLETE.\n";

TEST_F(Settings, PropertiesWithCommentQuotedHashAndEmptyValue) {
  app.Write("customlaunch.properties",
            "memory.maximum = 512M   # more\r\nAPP=-Dx=\"a#b\" app.Main\r\nsplash=\r\n");
  RunResult result = app.Run({"-start=app"});
  EXPECT_EQ(result.exitCode, 0);
  std::string expected =
      LogStart("-start=app") + NoHandOver() + StandardLaunchPropertiesLog() +
      FileSection("customlaunch.properties", "customlaunch.properties",
                  {"memory.maximum = 512M   # more // FOUND: \"memory.maximum\"=\"512M\"",
                   "APP=-Dx=\"a#b\" app.Main // FOUND: \"APP\"=\"-Dx=\"a#b\" app.Main\"",
                   "splash= // FOUND: \"splash\"= EMPTY", ""}) +
      AdditionalParameters("", "") +
      Listing(StandardSettings({{"APP", "-Dx=\"a#b\" app.Main"}, {"start", "app"}})) +
      MaintenanceCheck() + Java64Start("APP", "-Dx=\"a#b\" app.Main") + kComplete;
  EXPECT_EQ(app.NormalizedLog(), Crlf(expected));
  // The quotes reach Java as Windows splits its command line.
  std::vector<std::string> arguments = app.JavaArguments("jre64");
  ASSERT_GE(arguments.size(), 2u);
  EXPECT_EQ(arguments[arguments.size() - 2], "arg=-Dx=a#b");
}

// Notepad's UTF-8: Java and the log get the letters in Windows-1252, as the
// administrator meant them; a comment with letters Windows-1252 lacks is
// dropped.
TEST_F(Settings, Utf8ReachesJavaInWindows1252) {
  app.Write("customlaunch.properties",
            "# Lager \xE2\x86\x92 Halle \xE2\x89\xA4 "
            "3\nmemory.maximum=512M\nDkiv.standort=M\xC3\xBCller-Stra\xC3\x9F"
            "e\n");
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 0);
  const std::string street =
      "M\xFCller-Stra\xDF"
      "e";
  std::string expected =
      LogStart("") + NoHandOver() + StandardLaunchPropertiesLog() +
      FileSection(
          "customlaunch.properties", "customlaunch.properties",
          {"Die Datei customlaunch.properties ist im Format UTF-8 gespeichert und wird "
           "beim Lesen in Windows-1252 umgewandelt.",
           "",
           "Die Datei customlaunch.properties (UTF-8) enth\xE4lt in Zeile 1 im Kommentar das "
           "Zeichen U+2192, das es in Windows-1252 nicht gibt: der Kommentar fehlt darum im "
           "Protokoll.",
           "memory.maximum=512M // FOUND: \"memory.maximum\"=\"512M\"",
           "Dkiv.standort=" + street + " // FOUND: \"Dkiv.standort\"=\"" + street + "\"", ""}) +
      AdditionalParameters("", "") + Listing(StandardSettings({{"Dkiv.standort", street}})) +
      MaintenanceCheck() +
      Java64Start("QV", "-Dapp=qv app.Main", " -Dkiv.standort=" + street + " ") + kComplete;
  EXPECT_EQ(app.NormalizedLog(), Crlf(expected));
  std::vector<std::string> received = app.JavaArguments("jre64");
  EXPECT_NE(std::find(received.begin(), received.end(), "arg=-Dkiv.standort=" + street),
            received.end());
}

TEST_F(Settings, RootFolderFromKivsoftProperties) {
  app.Write("kivsoft.properties", "root=elsewhere\n#root=x\nroot = conf\n");
  app.Write("conf/launch.properties", kLaunchProperties);
  app.Write("conf/customlaunch.properties", kCustomLaunchProperties);
  app.Write("launch.properties", "not read\n");
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 0);
  std::string properties = StandardPropertiesLog();
  for (const char* name : {"launch.properties wurde", "customlaunch.properties wurde"}) {
    properties.replace(properties.find(std::string("Die Datei ") + name), 10, "Die Datei conf\\\\");
  }
  std::string expected = LogStart("") + NoHandOver() +
                         "\n===== kivsoft.properties einlesen =====\n"
                         "Die Datei kivsoft.properties wurde ge\xF6"
                         "ffnet.\n"
                         " // FOUND: \"root\"=\"elsewhere\" // FOUND: \"root\"=\"conf\"" +
                         properties + AdditionalParameters("", "") + Listing(StandardSettings()) +
                         MaintenanceCheck() + Java64Start("QV", "-Dapp=qv app.Main") + kComplete;
  EXPECT_EQ(app.NormalizedLog(), Crlf(expected));
}

TEST_F(Settings, MissingCustomLaunchPropertiesEndsTheRun) {
  app.Write("customlaunch.properties", "");
  std::remove(app.Path("customlaunch.properties").c_str());
  const std::string first =
      "Die Datei customlaunch.properties konnte nicht ge\xF6"
      "ffnet werden.";
  const std::string text = first + "\nOrdner: <DIR>, Windows-Fehler 2: <TEXT>\n";
  for (bool serviceMode : {false, true}) {
    std::vector<std::string> arguments;
    if (serviceMode) arguments.push_back("-launcher.service=true");
    RunResult result = app.Run(arguments);
    EXPECT_EQ(result.exitCode, 1);
    std::string expected =
        LogStart(serviceMode ? "-launcher.service=true" : "") +
        (serviceMode ? "launcher.service=true -> Launcher arbeitet im Service-Modus (gestartet "
                       "von KivLaunchService)\n"
                     : "") +
        NoHandOver() + StandardLaunchPropertiesLog() +
        "\n===== customlaunch.properties einlesen =====\n" + Report(text);
    EXPECT_EQ(app.NormalizedLog(), Crlf(expected));
    EXPECT_EQ(result.standardOutput.substr(0, serviceMode ? 4 + first.size() : 0),
              serviceMode ? "err:" + first : "");
    if (!serviceMode && !WindowsLauncher()) {
      EXPECT_EQ(result.standardError.substr(0, 8 + first.size()), "Fehler: " + first);
    }
  }
  EXPECT_FALSE(app.Exists("jre64/bin/javaw.received"));
}

// Wine's relay trace shows the real MessageBoxA call: no owner, caption
// Fehler, style MB_OK.
TEST_F(Settings, MessageBoxUnderWine) {
  if (!UnderWine() || !DrivenFromLinux()) {
    GTEST_SKIP() << "Wine writes its relay trace to the standard error it got from Linux";
  }
  std::remove(app.Path("customlaunch.properties").c_str());
  SetEnvironment("WINEDEBUG", "+relay");
  RunResult result = app.Run({});
  SetEnvironment("WINEDEBUG", "-all");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.standardError.find("user32.MessageBoxA(00000000,"), std::string::npos);
  EXPECT_NE(result.standardError.find(
                "\"Die Datei customlaunch.properties konnte nicht ge\\xf6ffnet werden.\\nOrdner: "),
            std::string::npos);
  EXPECT_NE(result.standardError.find("\"Fehler\",00000000)"), std::string::npos);
}

TEST_F(Settings, StartKeyWithoutEntry) {
  RunResult result = app.Run({"-start=nokey"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(app.NormalizedLog(),
            Crlf(LogStart("-start=nokey") + NoHandOver() + StandardPropertiesLog() +
                 AdditionalParameters("", "") + Listing(StandardSettings({{"start", "nokey"}})) +
                 Report("Der StartParameter: NOKEY wurde in der launch.properties nicht "
                        "gefunden!\n")));
}

TEST_F(Settings, AdditionalParametersWithEscapedBlanks) {
  RunResult result = app.Run({"-read=-Dx=1+++-Dy=2", "-read_app=a+++b"});
  EXPECT_EQ(result.exitCode, 0);
  std::string javaStart = Java64Start("QV", "-Dapp=qv app.Main", " -Dx=1 -Dy=2 ");
  javaStart.insert(javaStart.size() - 1, " a b ");
  EXPECT_EQ(app.NormalizedLog(),
            Crlf(LogStart("-read=-Dx=1+++-Dy=2 -read_app=a+++b") + NoHandOver() +
                 StandardPropertiesLog() + AdditionalParameters("-Dx=1+++-Dy=2", "a+++b") +
                 Listing(StandardSettings()) + MaintenanceCheck() + javaStart + kComplete));
  std::vector<std::string> received = app.JavaArguments("jre64");
  std::vector<std::string> expected = {
      "arg=-Dx=1",    "arg=-Dy=2",    "arg=-cp", "arg=lib\\app.jar;lib\\util.jar",
      "arg=-Dapp=qv", "arg=app.Main", "arg=a",   "arg=b"};
  ASSERT_GE(received.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(received.end() - 8, received.end()), expected);
}

struct MaintenanceCase {
  std::vector<std::string> arguments;
  int exitCode;
  std::string line;  // the check's line; empty: maintenance reported
};

TEST_F(Settings, MaintenanceAndItsExemptions) {
  app.Write("launch.properties", std::string(kLaunchProperties) + "WBQ_UPDATE=update.Main\n");
  app.Write("InWartung.txt", "");
  const MaintenanceCase cases[] = {
      {{}, 1, ""},
      {{"-launcher.ignore_inwartung=true"},
       0,
       "Wird ignoriert wegen -launcher.ignore_inwartung=true"},
      {{"-launcher.ignore_inwartung=True"}, 1, ""},
      {{"-start=wbq_update"}, 0, "Wird ignoriert wegen -start=WBQ_UPDATE"},
      {{"-start=wbq_update", "-launcher.ignore_inwartung=true"},
       0,
       "Wird ignoriert wegen -launcher.ignore_inwartung=true"},
  };
  for (const MaintenanceCase& c : cases) {
    RunResult result = app.Run(c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode);
    std::string log = app.NormalizedLog();
    std::string check =
        "\n===== InWartung.txt pr\xFC"
        "fen =====\n";
    std::string after = log.substr(log.find(Crlf(check)) + Crlf(check).size());
    if (c.line.empty()) {
      EXPECT_EQ(after, Crlf(Report("Das Programm ist im Wartungsmodus und kann daher nicht "
                                   "gestartet werden.\nBitte versuchen Sie es sp\xE4"
                                   "ter noch "
                                   "einmal.")));
    } else {
      EXPECT_EQ(after.substr(0, c.line.size() + 2), Crlf(c.line + "\n"));
      EXPECT_NE(log.find(Crlf(kComplete)), std::string::npos);
    }
  }
  std::remove(app.Path("InWartung.txt").c_str());
  app.MakeDirectory("InWartung.txt");
  EXPECT_EQ(app.Run({}).exitCode, 0);
  EXPECT_NE(app.NormalizedLog().find(Crlf(MaintenanceCheck())), std::string::npos);
}

// Notepad's UTF-8 byte order mark: the same settings and the same log as
// without it, since the log echoes the line without the mark.
TEST_F(Settings, Utf8ByteOrderMarkIsSkipped) {
  const std::string mark = "\xEF\xBB\xBF";
  app.Write("launch.properties", mark + kLaunchProperties);
  app.Write("customlaunch.properties", mark + kCustomLaunchProperties);
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(app.NormalizedLog(),
            Crlf(StandardRunUntilStart("") + Java64Start("QV", "-Dapp=qv app.Main") + kComplete));
  app.Write("kivsoft.properties", mark + "root=conf\n");
  app.Write("conf/launch.properties", kLaunchProperties);
  app.Write("conf/customlaunch.properties", mark + "memory.maximum=640M\r\n");
  app.JavaArguments("jre64");  // the first run's Java has written its record
  std::remove(app.Path("jre64/bin/javaw.received").c_str());
  EXPECT_EQ(app.Run({}).exitCode, 0);
  std::string log = app.NormalizedLog();
  EXPECT_NE(log.find(Crlf("ffnet.\n // FOUND: \"root\"=\"conf\"\n")), std::string::npos) << log;
  EXPECT_NE(log.find(Crlf("ffnet.\nmemory.maximum=640M // FOUND: \"memory.maximum\"=\"640M\"\n")),
            std::string::npos)
      << log;
  EXPECT_EQ(log.find(mark), std::string::npos);
  std::vector<std::string> received = app.JavaArguments("jre64");
  EXPECT_NE(std::find(received.begin(), received.end(), "arg=-Xmx640M"), received.end());
}

TEST_F(Settings, PasswordNeverReachesTheLog) {
  RunResult result = app.Run({"-Dautologin.user=admin", "-Dautologin.pwd=geheim1",
                              "-Dclientname=PC-07", "-Dautologin.pwd=geheim2"});
  EXPECT_EQ(result.exitCode, 0);
  std::string log = app.NormalizedLog();
  EXPECT_EQ(log.find("geheim"), std::string::npos) << log;
  EXPECT_NE(log.find(Crlf("-Dautologin.user=admin -Dautologin.pwd=xxxx -Dclientname=PC-07 "
                          "-Dautologin.pwd=xxxx\n")),
            std::string::npos);
  EXPECT_NE(log.find(Crlf("Dclientname = PC-07\n")), std::string::npos);
  EXPECT_EQ(log.find("Dautologin.user = "), std::string::npos);
  EXPECT_NE(log.find("-Dautologin.pwd=xxxx  -cp"), std::string::npos);
  std::vector<std::string> received = app.JavaArguments("jre64");
  EXPECT_NE(std::find(received.begin(), received.end(), "arg=-Dautologin.pwd=geheim2"),
            received.end());
}

}  // namespace
}  // namespace e2e
