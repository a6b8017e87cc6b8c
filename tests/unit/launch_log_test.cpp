#include "report/launch_log.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "launcher/startup_sequence.h"
#include "report/error_report.h"
#include "report/redactor.h"
#include "report/run_end.h"
#include "settings/windows_path.h"
#include "tests/fake_platform.h"

namespace {

struct TimeCase {
  std::tm time;
  const char* text;
};

// The log's time stamps keep asctime's form in every year, 2038 and later
// included, and for every width of day and time field.
TEST(LaunchLog, TimeTextInAsctimeForm) {
  const TimeCase cases[] = {
      {fake::LocalTime(2026, 12, 6, 0, 12, 57, 17), "Sun Dec  6 12:57:17 2026\n"},
      {fake::LocalTime(2038, 1, 19, 2, 3, 14, 8), "Tue Jan 19 03:14:08 2038\n"},
      {fake::LocalTime(2040, 6, 1, 5, 0, 0, 0), "Fri Jun  1 00:00:00 2040\n"},
      {fake::LocalTime(9999, 12, 31, 5, 23, 59, 59), "Fri Dec 31 23:59:59 9999\n"},
  };
  for (const TimeCase& c : cases) {
    fake::Reset();
    fake::Get().localTime = c.time;
    EXPECT_EQ(CurrentTimeText() + "\n", c.text);
  }
}

// KivLaunch.log of a running launcher is neither emptied nor written.
TEST(LaunchLog, LogHeldByAnotherLauncherIsLeftToIt) {
  fake::Reset();
  fake::AddFile("C:\\App\\KivLaunch.log", "running");
  fake::Get().heldFiles = {"C:\\App\\KivLaunch.log"};
  Log().Open(kLogName);
  Log().WriteLine("eigene Zeile");
  Log().Close();
  EXPECT_EQ(Log().Name(), "KivLaunch-4242.log");
  EXPECT_EQ(fake::Get().files["C:\\App\\KivLaunch.log"], "running");
  EXPECT_EQ(fake::Get().files["C:\\App\\KivLaunch-4242.log"], "eigene Zeile\r\n");
}

// Wherever the log can go, it goes there whole; only a computer that takes
// no file at all leaves the run without one.
TEST(LaunchLog, GoesWhereAFileCanBeWritten) {
  const std::string temp = "C:\\Users\\anna\\AppData\\Local\\Temp\\";
  struct Case {
    const char* name;
    std::function<void()> setUp;
    std::string written;  // empty: none
    std::string named;
    unsigned long refusal;
  };
  const Case cases[] = {
      {"writable", [] {}, "C:\\App\\KivLaunch.log", "KivLaunch.log", 0},
      {"a folder of its name", [] { fake::AddDirectory("C:\\App\\KivLaunch.log"); },
       "C:\\App\\KivLaunch-4242.log", "KivLaunch-4242.log", 5},
      {"a working folder that refuses every file",
       [] { fake::Get().readOnlyFolders = {"C:\\App"}; }, temp + "KivLaunch.log",
       temp + "KivLaunch.log", 5},
      {"and in the temporary folder another launcher's",
       [&] {
         fake::Get().readOnlyFolders = {"C:\\App"};
         fake::Get().heldFiles = {temp + "KivLaunch.log"};
       },
       temp + "KivLaunch-4242.log", temp + "KivLaunch-4242.log", 5},
      {"no folder takes a file",
       [&] {
         fake::Get().readOnlyFolders = {"C:\\App", temp};
       },
       "", "KivLaunch.log", 5},
  };
  for (const Case& c : cases) {
    fake::Reset();
    c.setUp();
    Log().Open(kLogName);
    Log().WriteLine("eigene Zeile");
    Log().Close();
    EXPECT_EQ(Log().Name(), c.named) << c.name;
    EXPECT_EQ(Log().Path(), c.written.empty() ? "C:\\App\\KivLaunch.log" : c.written) << c.name;
    EXPECT_EQ(Log().Refusal() ? Log().Refusal()->number : 0, c.refusal) << c.name;
    std::map<std::string, std::string> logs;
    for (const auto& [path, content] : fake::Get().files) {
      if (path.find(".log") != std::string::npos) logs[path] = content;
    }
    std::map<std::string, std::string> expected;
    if (!c.written.empty()) expected[c.written] = "eigene Zeile\r\n";
    EXPECT_EQ(logs, expected) << c.name;
  }
}

// The report of a failed start sends the administrator to the log written.
TEST(LaunchLog, TheReportNamesTheLogInTheTemporaryFolder) {
  fake::Reset();
  fake::AddFile("C:\\App\\launch.properties", "java64=C:\\J64\njava=C:\\J32\nQV=app.Main\n");
  fake::AddFile("C:\\App\\customlaunch.properties", "");
  fake::Get().readOnlyFolders = {"C:\\App"};
  fake::Get().outcomes = {{0, 1, ""}, {0, 1, ""}};
  fake::Get().commandLine = "KivLauncher.exe -launcher.java_watch=1 -launcher.service=true";
  EXPECT_EQ(RunLauncher(fake::Get().commandLine), kExitFailure);
  const std::string log = "C:\\Users\\anna\\AppData\\Local\\Temp\\KivLaunch.log";
  EXPECT_NE(fake::Get().standardOutput.find("Einzelheiten stehen im Protokoll " + log + ".\n"),
            std::string::npos)
      << fake::Get().standardOutput;
  EXPECT_NE(fake::Get().files[log].find("=== Messagebox Ende ===\r\n"), std::string::npos);
}

// Beyond what the end-to-end test shows: no other file, none held open, no
// file that is no log, and none by check mode or by a start with the usual
// log.
TEST(LaunchLog, AStartWithAFallBackLogRemovesStaleOnes) {
  const std::pair<std::string, bool> files[] = {
      {"KivLaunch-17.log", true}, {"KivLaunch-19.log", false}, {"KivLaunch.log", false},
      {"KivLaunch-x.log", false}, {"KivLaunch-.log", false},   {"KivLaunch-20.log.1", false},
      {"KivLaunch-21.log", false}};
  const std::pair<std::string, bool> runs[] = {
      {"", true}, {" -launcher.check=true", true}, {"", false}};
  for (const auto& [arguments, fallBack] : runs) {
    fake::Reset();
    fake::AddFile("C:\\App\\launch.properties", "java=C:\\J32\nQV=app.Main\n");
    fake::AddFile("C:\\App\\customlaunch.properties", "");
    for (const auto& [name, stale] : files) {
      fake::AddFile("C:\\App\\" + name, name == "KivLaunch-21.log" ? "fremd" : "$Id: launcher, v4");
      fake::Get().fileAges["C:\\App\\" + name] = 8 * 24 * 60 * 60;
    }
    fake::Get().heldFiles = {"C:\\App\\KivLaunch-19.log"};
    if (fallBack) fake::Get().heldFiles.insert("C:\\App\\KivLaunch.log");
    RunLauncher("KivLauncher.exe" + arguments);
    bool removes = fallBack && arguments.empty();
    for (const auto& [name, stale] : files) {
      EXPECT_EQ(fake::Get().files.count("C:\\App\\" + name), stale && removes ? 0u : 1u) << name;
    }
    EXPECT_EQ(fake::Get().files["C:\\App\\KivLaunch-4242.log"].find(
                  "Altes Protokoll C:\\App\\KivLaunch-17.log gel\xF6scht: zuletzt vor mehr als 7 "
                  "Tagen geschrieben\r\n") != std::string::npos,
              removes);
  }
}

std::string WithCarriageReturns(const std::string& text) {
  std::string lines;
  for (char c : text) lines += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return lines;
}

// Every text that leaves passes the mask once, whoever made it: each line
// on its own, the launcher's own lines around a password unchanged.
TEST(LaunchLog, EveryTextLeavesMasked) {
  const std::string text =
      "Der StartParameter: ABC\t-DAUTOLOGIN.PWD=GEHEIM wurde nicht gefunden!\n"
      "-Dautologin.pwd=\"PWA PWB\"\nLetzte Ausgaben: -Dautologin.pwd=PWA PWB";
  const std::string masked =
      "Der StartParameter: ABC\t-DAUTOLOGIN.PWD=xxxx wurde nicht gefunden!\n"
      "-Dautologin.pwd=xxxx\nLetzte Ausgaben: -Dautologin.pwd=xxxx";
  for (auto channel : {ReportChannel::kMessageBox, ReportChannel::kServiceOutput}) {
    fake::Reset();
    Secrets secrets = KnowSecrets({"\"PWA PWB\""});
    Log().Open(kLogName);
    Log().SetSecrets(secrets);
    Log().WriteLine("ohne Passwort: Dautologin.pwd = \"a b\"");
    ReportError(text, channel, secrets);
    ReportCheckVerdict(text, text, channel, secrets);
    Log().Close();
    EXPECT_EQ(
        fake::ReadLog(),
        WithCarriageReturns("ohne Passwort: Dautologin.pwd = \"a b\"\n=== Messagebox Start ===\n" +
                            masked + "\n=== Messagebox Ende ===\n"));
    if (channel == ReportChannel::kMessageBox) {
      EXPECT_EQ(fake::Get().messageBoxes, (std::vector<std::string>{"Fehler: " + masked,
                                                                    "KivLauncher Pr\xFC"
                                                                    "fung: " +
                                                                        masked}));
    } else {
      EXPECT_EQ(fake::Get().standardOutput, "err:" + masked + "check:" + masked);
    }
  }
  Log().SetSecrets(Secrets());
}

// A line of 20,000 characters is shown by its beginning and end, the
// password masked before the cut; the log keeps the text whole.
TEST(LaunchLog, LongLinesAreShortenedWhereShown) {
  const std::string line = "-Dautologin.pwd=geheim " + std::string(20000, 'x') + "y";
  const std::string shown = "-Dautologin.pwd=xxxx " + std::string(579, 'x') +
                            "\x85 (gek\xFCrzt, das Protokoll " + kLogName +
                            " enth\xE4lt alles) \x85" + std::string(299, 'x') + "y";
  for (auto channel : {ReportChannel::kMessageBox, ReportChannel::kServiceOutput}) {
    fake::Reset();
    Log().Open(kLogName);
    ReportError("Kopf\n" + line + "\nFu\xDF", channel, Secrets());
    std::string report = "Kopf\n" + shown + "\nFu\xDF";
    EXPECT_EQ(channel == ReportChannel::kMessageBox ? fake::Get().messageBoxes.at(0)
                                                    : fake::Get().standardOutput,
              (channel == ReportChannel::kMessageBox ? "Fehler: " : "err:") + report);
    EXPECT_NE(fake::ReadLog().find("-Dautologin.pwd=xxxx " + std::string(20000, 'x')),
              std::string::npos);
  }
}

TEST(ComparablePath, AsWindowsComparesPaths) {
  const char* const folder = "C:\\App";
  const struct {
    const char* path;
    const char* comparable;
  } cases[] = {
      {"KivLaunch.log", "\\c:\\app\\kivlaunch.log"},
      {"kivlaunch.LOG. ", "\\c:\\app\\kivlaunch.log"},
      {"C:/APP/./lib/../KivLaunch.log", "\\c:\\app\\kivlaunch.log"},
      {"\\App\\x", "\\c:\\app\\x"},
      {"C:x", "\\c:\\app\\x"},
      {"..\\..\\..\\x", "\\c:\\x"},
      {"\\\\Server\\Share\\..\\..\\x", "\\\\server\\share\\x"},
      {"\xC4nderung\\\x8A", "\\c:\\app\\\xE4nderung\\\x9A"},
      {"/tmp/App//x", "\\c:\\tmp\\app\\x"},
  };
  for (const auto& c : cases) EXPECT_EQ(ComparablePath(c.path, folder), c.comparable) << c.path;
}

}  // namespace
