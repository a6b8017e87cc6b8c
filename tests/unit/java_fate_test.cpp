// Java's output file, the watch after the start and Java's logged end, on
// the fake platform and its clock.

#include <gtest/gtest.h>

#include "launcher/startup_sequence.h"
#include "process/start_java.h"
#include "report/error_report.h"
#include "tests/unit/test_log.h"

namespace {

using Events = std::vector<std::string>;

TEST(LastLines, KeepsTheEndWithinBothLimits) {
  std::string twentyFive;
  for (int i = 1; i <= 25; ++i) twentyFive += "z" + std::to_string(i) + "\r\n";
  const struct {
    std::string text;
    size_t maxLines, maxBytes;
    std::string tail;
  } cases[] = {
      {"", 20, 2000, ""},
      {"\r\n\n", 20, 2000, ""},
      {"a\r\nb\n\n", 20, 2000, "a\nb"},
      {"a\rb\n", 20, 2000, "a\rb"},
      {twentyFive, 3, 2000, "z23\nz24\nz25"},
      {"eins\nzwei\ndrei\n", 20, 8, "drei"},
      {"eins\nzwei\ndrei\n", 20, 9, "zwei\ndrei"},
      {"eins\nzweidrei", 20, 4, "drei"},
      {"eins\nzwei", 1, 2000, "zwei"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LastLines(c.text, c.maxLines, c.maxBytes), c.tail) << c.text;
  }
}

TEST(DecideSupervision, WatchesWholeSecondsUpToAMinute) {
  const struct {
    std::string value, variant;
    int seconds;
    bool logged;
  } cases[] = {
      {"", "", 0, false},  {"0", "", 0, false},  {"3", "", 3, false},  {"60", "", 60, false},
      {"61", "", 0, true}, {"-1", "", 0, true},  {"1.5", "", 0, true}, {"abc", "", 0, true},
      {" 3", "", 0, true}, {"100", "", 0, true}, {"3", "7", 7, false}, {"", "x", 0, true},
  };
  for (const auto& c : cases) {
    testing_log::Start();
    Settings settings = InitialSettings();
    if (!c.value.empty()) settings.Set("launcher.java_watch", c.value);
    if (!c.variant.empty()) settings.Set("QV.launcher.java_watch", c.variant);
    Supervision supervision = DecideSupervision(settings, false);
    EXPECT_EQ(supervision.watchSeconds, c.seconds) << c.value << c.variant;
    EXPECT_EQ(!supervision.invalidWatch.empty(), c.logged) << c.value << c.variant;
  }
}

const char kCommandLine[] = "C:\\J\\bin\\javaw.exe -Dautologin.pwd=geheim app.Main";
const char kFirstLine[] =
    "JVM wird gestartet am Sun Dec  6 12:57:17 2026: C:\\J\\bin\\javaw.exe "
    "-Dautologin.pwd=xxxx app.Main\r\n";
const char kOutputLine[] =
    "launcher.java_output=java.out -> Die Ausgaben von Java gehen in diese Datei\n";
// Without an output file the report says how to get Java's messages.
const char kNoOutputFile[] =
    "Java wurde nach 0 s mit Exit-Code 9 beendet.\nMit launcher.java_output=DATEI h\xE4lt der "
    "Launcher die Meldungen von Java in DATEI fest.";
const char kWatch3[] =
    "launcher.java_watch=3 -> Der Launcher wartet bis zu 3 s, ob Java gleich wieder beendet "
    "wird.\n";

const std::string kKeep =
    "launcher.keep=true -> Der Launcher l\xE4uft weiter, solange der java-Prozess l\xE4uft.\n";
const std::string kKeepAndKill =
    "launcher.keep_and_kill=true -> Der Launcher l\xE4uft weiter, solange der java-Prozess "
    "l\xE4uft und der java-Prozess wird mitbeendet, falls der KivLauncher beendet wird.\n";

std::string EndLine(int seconds, int exitCode) {
  return "Java beendet am Sun Dec  6 12:57:17 2026 nach " + std::to_string(seconds) +
         " s mit Exit-Code " + std::to_string(exitCode) + "\n";
}

// Built by assignment: GCC 12 takes brace-initialised strings in nested
// aggregates for uninitialised.
fake::ProcessOutcome Outcome(unsigned long long runMilliseconds, unsigned long exitCode,
                             const std::string& printed = "") {
  fake::ProcessOutcome outcome;
  outcome.runMilliseconds = runMilliseconds;
  outcome.exitCode = exitCode;
  outcome.printed = printed;
  return outcome;
}

struct FateCase {
  const char* name;
  bool serviceMode;
  std::map<std::string, std::string> settings;
  fake::ProcessOutcome outcome;
  std::string failure;  // empty: Java counts as started
  std::string logged;   // after the output line, when there is one
  Events events;
  std::string standardOutput;
  unsigned long waitError = 0;
};

// Starts Java as a launch attempt does, with the output file opened first.
std::string Start(const FateCase& c) {
  testing_log::Start();
  fake::Get().outcomes = {c.outcome};
  fake::Get().waitError = c.waitError;
  Settings settings = InitialSettings();
  for (const auto& [key, value] : c.settings) settings.Set(key, value);
  JavaOutputChoice choice = DecideJavaOutput(settings);
  EXPECT_FALSE(EnterJavaOutput(choice));
  JavaOutput output;
  EXPECT_FALSE(OpenJavaOutput(choice.path, kCommandLine, false, &output));
  std::string failure =
      StartJava(kCommandLine, DecideSupervision(settings, c.serviceMode), output).failure;
  return failure;
}

TEST(StartJava, WatchOutputAndEndAsTheSettingsSay) {
  const std::string failure =
      "Java wurde nach 1 s mit Exit-Code 1 beendet.\nLetzte Ausgaben von Java in java.out:\n"
      "Hallo\nKlasse nicht gefunden";
  const std::string frame =
      "=== Startfehler Start ===\n" + failure + "\n=== Startfehler Ende ===\n";
  const std::map<std::string, std::string> watch = {{"launcher.java_output", "java.out"},
                                                    {"launcher.java_watch", "3"}};
  const fake::ProcessOutcome fails = Outcome(1500, 1, "Hallo\r\nKlasse nicht gefunden\r\n");
  std::vector<FateCase> cases = {
      {"fails within the watch",
       false,
       watch,
       fails,
       failure,
       std::string(kWatch3) + frame,
       {"wait 4242 up to 3000 ms", "close 4242"},
       ""},
      {"fails within the watch, keep_and_kill",
       false,
       {{"launcher.java_watch", "3"}, {"launcher.keep_and_kill", "true"}},
       Outcome(200, 9),
       kNoOutputFile,
       kKeepAndKill + std::string(kWatch3) + "=== Startfehler Start ===\n" + kNoOutputFile +
           "\n"
           "=== Startfehler Ende ===\n",
       {"create job", "assign 4242", "resume 4242", "wait 4242 up to 3000 ms", "lift kill-on-close",
        "close 4242", "close job"},
       ""},
      {"runs past the watch, service mode",
       true,
       watch,
       Outcome(60000, 0),
       "",
       std::string(kWatch3) +
           "Java l\xE4uft nach 3 s noch.\nPID des Prozesses wird auf Konsole ausgegeben: 4242\n",
       {"wait 4242 up to 3000 ms", "close 4242"},
       "pid:4242"},
      {"ends well within the watch",
       false,
       watch,
       Outcome(2999, 0),
       "",
       kWatch3 + EndLine(2, 0),
       {"wait 4242 up to 3000 ms", "close 4242"},
       ""},
      {"keep, ended within the watch",
       false,
       {{"launcher.java_watch", "3"}, {"launcher.keep", "true"}},
       Outcome(0, 0),
       "",
       kWatch3 + EndLine(0, 0) + kKeep,
       {"wait 4242 up to 3000 ms", "close 4242"},
       ""},
      {"keep with an output file",
       false,
       {{"launcher.java_output", "java.out"}, {"launcher.keep", "true"}},
       Outcome(125000, 3),
       "",
       kKeep + EndLine(125, 3),
       {"wait 4242", "close 4242"},
       ""},
      {"watch 0, keep_and_kill",
       false,
       {{"launcher.java_watch", "0"}, {"launcher.keep_and_kill", "true"}},
       Outcome(4000, 0),
       "",
       kKeepAndKill + EndLine(4, 0),
       {"create job", "assign 4242", "resume 4242", "wait 4242", "lift kill-on-close", "close 4242",
        "close job"},
       ""},
  };
  // Java may print its own command line.
  FateCase printsPassword = cases[0];
  printsPassword.name = "prints the password";
  printsPassword.outcome = Outcome(1500, 1, "-Dautologin.pwd=Geheim\r\nKlasse nicht gefunden\r\n");
  printsPassword.failure.replace(printsPassword.failure.find("Hallo"), 5, "-Dautologin.pwd=xxxx");
  printsPassword.logged.replace(printsPassword.logged.find("Hallo"), 5, "-Dautologin.pwd=xxxx");
  cases.push_back(printsPassword);
  // A failed start writes no pid in service mode.
  FateCase failsInServiceMode = cases[0];
  failsInServiceMode.serviceMode = true;
  cases.push_back(failsInServiceMode);
  for (const FateCase& c : cases) {
    EXPECT_EQ(Start(c), c.failure) << c.name;
    bool output = c.settings.count("launcher.java_output") > 0;
    EXPECT_EQ(testing_log::Text(), (output ? kOutputLine : "") + c.logged) << c.name;
    EXPECT_EQ(fake::Get().events, c.events) << c.name;
    EXPECT_EQ(fake::Get().standardOutput, c.standardOutput) << c.name;
    ASSERT_EQ(fake::Get().started.size(), 1u) << c.name;
    EXPECT_EQ(fake::Get().started[0].outputPath, output ? "C:\\App\\java.out" : "") << c.name;
    if (output) {
      EXPECT_EQ(fake::Get().files["C:\\App\\java.out"], kFirstLine + c.outcome.printed) << c.name;
    }
  }
}

TEST(StartJava, OutputFileWithoutJavasOutputSaysSo) {
  FateCase c = {"prints nothing",
                false,
                {{"launcher.java_output", "java.out"}, {"launcher.java_watch", "3"}},
                Outcome(0, 2),
                "",
                "",
                {},
                ""};
  EXPECT_EQ(Start(c),
            "Java wurde nach 0 s mit Exit-Code 2 beendet.\nDie Datei java.out enth\xE4lt keine "
            "Ausgaben von Java.");
}

// Decided in the plan, refused when the run reaches an attempt: the
// launcher's own files before the line that names the file, a folder or a
// path in a missing folder after it.
TEST(JavaOutputChoice, RefusedFilesEndTheRunWhereTheStartReachesThem) {
  const struct {
    std::string path, report;
    bool logged;
  } cases[] = {
      {"lib",
       "Die Datei lib konnte nicht ge\xF6"
       "ffnet werden.\nlauncher.java_output=lib: ein Ordner\n",
       true},
      {"fehlt\\java.out",
       "Die Datei fehlt\\java.out konnte nicht ge\xF6"
       "ffnet werden.\nlauncher.java_output=fehlt\\java.out: der Ordner fehlt fehlt\n",
       true},
      {"lib\\java.out", "", true},
      {"C:\\java.out", "", true},
      {"kivlaunch.LOG",
       "launcher.java_output=kivlaunch.LOG nennt das Protokoll des KivLaunchers. Java darf diese "
       "Datei nicht \xFC"
       "berschreiben, bitte eine andere Datei angeben.\n",
       false},
  };
  for (const auto& c : cases) {
    testing_log::Start();
    Settings settings = InitialSettings();
    settings.Set("launcher.java_output", c.path);
    RunEnd end = EnterJavaOutput(DecideJavaOutput(settings));
    EXPECT_EQ(end ? end->report : "", c.report) << c.path;
    EXPECT_EQ(testing_log::Text(), c.logged ? "launcher.java_output=" + c.path +
                                                  " -> Die Ausgaben von Java gehen in diese Datei\n"
                                            : "")
        << c.path;
  }
}

TEST(JavaOutputChoice, WithoutTheSettingNothingHappens) {
  testing_log::Start();
  EXPECT_FALSE(EnterJavaOutput(DecideJavaOutput(InitialSettings())));
  JavaOutput output;
  EXPECT_FALSE(OpenJavaOutput("", kCommandLine, false, &output));
  EXPECT_EQ(output.file, nullptr);
  EXPECT_EQ(testing_log::Text(), "");
}

TEST(JavaFateSettings, CommandLineWinsOverTheFiles) {
  fake::Reset();
  fake::AddFile("C:\\App\\launch.properties",
                "java64=C:\\J64\nQV=app.Main\nlauncher.java_watch=9\n");
  fake::AddFile("C:\\App\\customlaunch.properties", "launcher.java_output=datei.out\n");
  fake::Get().commandLine =
      "KivLauncher.exe -launcher.java_output=kommando.out -launcher.java_watch=2";
  EXPECT_EQ(RunLauncher(fake::Get().commandLine), kExitSuccess);
  EXPECT_EQ(fake::Get().started.at(0).outputPath, "C:\\App\\kommando.out");
  EXPECT_EQ(fake::Get().events, (Events{"wait 4242 up to 2000 ms", "close 4242"}));
}

// Java may still run: no exit code is made up, and a failed watch is not
// followed by a wait that would fail the same way.
TEST(StartJava, AFailedWaitIsLoggedAsSuch) {
  const std::string waitFailed =
      "Warten auf Java fehlgeschlagen am Sun Dec  6 12:57:17 2026 nach 0 s: Windows-Fehler 6: " +
      fake::ErrorText(6) + "\n";
  const struct {
    std::map<std::string, std::string> settings;
    std::string logged;
    Events events;
  } cases[] = {
      {{{"launcher.keep", "true"}}, kKeep + waitFailed, {"wait 4242", "close 4242"}},
      {{{"launcher.java_watch", "3"}, {"launcher.keep", "true"}},
       kWatch3 + waitFailed + kKeep,
       {"wait 4242 up to 3000 ms", "close 4242"}},
  };
  for (const auto& c : cases) {
    FateCase fate = {"", false, c.settings, Outcome(0, 0), "", "", {}, "", 6};
    EXPECT_EQ(Start(fate), "");
    EXPECT_EQ(testing_log::Text(), c.logged);
    EXPECT_EQ(fake::Get().events, c.events);
  }
}

// The 64-bit Java's last words stay in the file below the 32-bit start; when
// that fails too, the report names both.
TEST(JavaFateSettings, TheSecondAttemptKeepsTheFirstOnesOutput) {
  for (unsigned long secondExit : {0ul, 1ul}) {
    fake::Reset();
    fake::AddFile("C:\\App\\launch.properties",
                  "java64=C:\\J64\njava=C:\\J32\nQV=app.Main\nlauncher.java_output=java.out\n"
                  "launcher.java_watch=3\n");
    fake::AddFile("C:\\App\\customlaunch.properties", "");
    fake::Get().outcomes = {Outcome(200, 1, "Invalid maximum heap size: -Xmx1.5G\r\n"),
                            Outcome(secondExit == 0 ? 9000 : 300, secondExit, "Kaputt\r\n")};
    EXPECT_EQ(RunLauncher("KivLauncher.exe"), secondExit == 0 ? kExitSuccess : kExitFailure);
    const std::string& file = fake::Get().files["C:\\App\\java.out"];
    EXPECT_NE(file.find("Invalid maximum heap size: -Xmx1.5G\r\nJVM wird gestartet am "),
              std::string::npos)
        << file;
    std::vector<std::string> boxes = fake::Get().messageBoxes;
    if (secondExit == 0) {
      EXPECT_TRUE(boxes.empty());
      continue;
    }
    EXPECT_EQ(boxes, std::vector<std::string>{
                         "Fehler: Java konnte nicht gestartet werden:\n"
                         "64 Bit: C:\\J64\\bin\\javaw.exe: Java wurde nach 0 s mit Exit-Code 1 "
                         "beendet. Invalid maximum heap size: -Xmx1.5G\n"
                         "32 Bit: C:\\J32\\bin\\javaw.exe: Java wurde nach 0 s mit Exit-Code 1 "
                         "beendet. Kaputt\n"
                         "Einzelheiten stehen im Protokoll KivLaunch.log.\n\nAbhilfe: die Ursachen "
                         "oben beheben; KivLauncher.exe -launcher.check=true pr\xFC"
                         "ft die ganze Installation."});
  }
}

}  // namespace
