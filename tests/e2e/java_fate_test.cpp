// Java's output file, the watch after the start and the logged end of Java,
// with the real launcher and the fake javaw.exe.

#include <gtest/gtest.h>

#include <regex>

#include "tests/e2e/installation_fixture.h"

namespace e2e {
namespace {

using JavaFate = StandardInstallation;

using Entries = std::vector<std::pair<std::string, std::string>>;

const char kOutputLine[] =
    "launcher.java_output=java.out -> Die Ausgaben von Java gehen in diese Datei\n";
const char kJava32Memory[] =
    "Speicherparameter \"memory.initial\" betraegt 33554432 Bytes -> Wird nicht reduziert, da "
    "von 32 Bit noch unterstuetzt\n"
    "Speicherparameter \"memory.maximum\" betraegt 536870912 Bytes -> Wird nicht reduziert, da "
    "von 32 Bit noch unterstuetzt\n";

// Writes customlaunch.properties with the standard maximum heap and the
// entries; returns the log of the run up to the logged Java command line,
// for a tail that is empty or sets service mode.
std::string WriteCustom(const Installation& app, const std::string& tail, const Entries& entries) {
  bool service = !tail.empty();
  Entries all = {{"memory.maximum", "512M"}};
  all.insert(all.end(), entries.begin(), entries.end());
  std::string content;
  std::vector<std::string> logged;
  std::map<std::string, std::string> settings =
      StandardSettings({{"launcher.service", service ? "true" : "false"}});
  for (const auto& [key, value] : all) {
    content += key + "=" + value + "\n";
    logged.push_back(key + "=" + value + " // FOUND: \"" + key + "\"=\"" + value + "\"");
    settings[key] = value;
  }
  logged.push_back("");
  app.Write("customlaunch.properties", content);
  return LogStart(tail) +
         (service ? "launcher.service=true -> Launcher arbeitet im Service-Modus (gestartet von "
                    "KivLaunchService)\n"
                  : "") +
         NoHandOver() + StandardLaunchPropertiesLog() +
         FileSection("customlaunch.properties", "customlaunch.properties", logged) +
         AdditionalParameters("", "") + Listing(settings) + MaintenanceCheck() +
         Java64Start("QV", settings["QV"]);
}

std::string Java32Start(const std::string& startValue) {
  return std::string("Java wird ermittelt f\xFCr Computer \"<HOST>\" mit 32 Bit: java=jre32\n") +
         kJava32Memory +
         "JVM wird gestartet am <TIME>\n"
         "\n"
         "jre32\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true -Xms32M -Xmx512M -cp "
         "\"lib\\app.jar;lib\\util.jar\" " +
         startValue + "\n";
}

std::string WithoutCarriageReturns(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(WithoutCarriageReturns(text));
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

std::string Watch(int seconds) {
  return "launcher.java_watch=" + std::to_string(seconds) + " -> Der Launcher wartet bis zu " +
         std::to_string(seconds) + " s, ob Java gleich wieder beendet wird.\n";
}

std::string WatchFailure(const std::string& tail) {
  return "Java wurde nach <N> s mit Exit-Code 1 beendet.\nLetzte Ausgaben von Java in java.out:\n" +
         tail;
}

std::string StartFailure(const std::string& text) {
  return "=== Startfehler Start ===\n" + text + "\n=== Startfehler Ende ===\n";
}

TEST_F(JavaFate, OutputFileHoldsWhatJavaPrintedAndJavaInheritsNothingElse) {
  const std::string startValue = "app.Main fake.stdout=Hallo fake.stderr=Fehler fake.handles=true";
  std::string log =
      WriteCustom(app, "", {{"QV", startValue}, {"launcher.java_output", "java.out"}});
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.standardOutput, "");
  EXPECT_EQ(app.NormalizedLog(), Crlf(log + kOutputLine + "LAUNCH PROCESS FOR 64 BIT COMPLETE.\n"));
  app.JavaArguments("jre64");
  EXPECT_EQ(WithoutCarriageReturns(app.NormalizedFile("java.out")),
            "JVM wird gestartet am <TIME>: jre64\\bin\\javaw.exe "
            "-Djava.util.Arrays.useLegacyMergeSort=true -Xms32M -Xmx512M -cp "
            "\"lib\\app.jar;lib\\util.jar\" " +
                startValue + "\nHallo\nFehler\n");
  std::vector<std::string> handles = Lines(app.NormalizedFile("jre64/bin/javaw.handles"));
  if (WindowsLauncher()) {
    EXPECT_EQ(handles, (std::vector<std::string>{"stdin=", "standard=<DIR>\\java.out"}));
  } else {
    EXPECT_EQ(handles, (std::vector<std::string>{"fd0=/dev/null", "fd1=<DIR>\\java.out",
                                                 "fd2=<DIR>\\java.out"}));
  }
}

TEST_F(JavaFate, JavaEndingWithAnErrorWithinTheWatchIsReported) {
  const std::string startValue =
      "app.Main fake.stdout=Hallo fake.stderr=Klasse+nicht+gefunden fake.sleep_ms=500 "
      "fake.exit=1";
  app.AddJava("jre32");
  for (bool service : {false, true}) {
    std::string tail = service ? "-launcher.service=true" : "";
    std::string log = WriteCustom(app, tail,
                                  {{"QV", startValue},
                                   {"java", "jre32"},
                                   {"launcher.java_output", "java.out"},
                                   {"launcher.java_watch", "3"}});
    RunResult result =
        app.Run(service ? std::vector<std::string>{tail} : std::vector<std::string>{});
    EXPECT_EQ(result.exitCode, 1);
    std::string failure = WatchFailure("Hallo\nKlasse+nicht+gefunden");
    // Both attempts' reasons, each in a line.
    const std::string both =
        "Java konnte nicht gestartet werden:\n"
        "64 Bit: jre64\\bin\\javaw.exe: Java wurde nach <N> s mit Exit-Code 1 beendet. "
        "Klasse+nicht+gefunden\n"
        "32 Bit: jre32\\bin\\javaw.exe: Java wurde nach <N> s mit Exit-Code 1 beendet. "
        "Klasse+nicht+gefunden\n"
        "Einzelheiten stehen im Protokoll KivLaunch.log.\n\nAbhilfe: die Ursachen oben beheben; "
        "KivLauncher.exe -launcher.check=true pr\xFC"
        "ft die ganze Installation.";
    EXPECT_EQ(app.NormalizedLog(),
              Crlf(log + kOutputLine + Watch(3) + StartFailure(failure) + Java32Start(startValue) +
                   kOutputLine + Watch(3) + StartFailure(failure) + Report(both)));
    // msvcrt's standard output is in text mode.
    std::string err = "err:" + (WindowsLauncher() ? Crlf(both) : both);
    EXPECT_EQ(NormalizeElapsed(result.standardOutput), service ? err : "");
  }
}

TEST_F(JavaFate, Java64FailingAtOnceFallsBackToJava32) {
  const std::string startValue = "app.Main fake.stderr=Kaputt fake.sleep_ms=500 fake.exit.jre64=1";
  app.AddJava("jre32");
  std::string log = WriteCustom(app, "",
                                {{"QV", startValue},
                                 {"java", "jre32"},
                                 {"launcher.java_output", "java.out"},
                                 {"launcher.java_watch", "3"}});
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(app.NormalizedLog(),
            Crlf(log + kOutputLine + Watch(3) + StartFailure(WatchFailure("Kaputt")) +
                 Java32Start(startValue) + kOutputLine + Watch(3) +
                 "Java beendet am <TIME> nach <N> s mit Exit-Code 0\n"
                 "LAUNCH PROCESS FOR 32 BIT COMPLETE.\n"));
  EXPECT_EQ(app.JavaArguments("jre32").back(), "finished");
}

TEST_F(JavaFate, JavaRunningPastTheWatchIsStartedAndThenItsPidWritten) {
  const std::string startValue = "app.Main fake.sleep=3";
  std::string log = WriteCustom(app, "-launcher.service=true",
                                {{"QV", startValue}, {"launcher.java_watch", "1"}});
  RunResult result = app.Run({"-launcher.service=true"});
  EXPECT_EQ(result.exitCode, 0);
  ASSERT_TRUE(std::regex_match(result.standardOutput, std::regex("pid:[0-9]+")))
      << result.standardOutput;
  EXPECT_EQ(app.NormalizedLog(),
            Crlf(log + Watch(1) + "Java l\xE4uft nach 1 s noch.\n" +
                 "PID des Prozesses wird auf Konsole ausgegeben: " +
                 result.standardOutput.substr(4) + "\nLAUNCH PROCESS FOR 64 BIT COMPLETE.\n"));
}

TEST_F(JavaFate, WaitingLauncherLogsJavasEnd) {
  std::string log = WriteCustom(app, "",
                                {{"QV", "app.Main fake.exit=3"},
                                 {"launcher.java_output", "java.out"},
                                 {"launcher.keep", "true"}});
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(app.NormalizedLog(),
            Crlf(log + kOutputLine +
                 "launcher.keep=true -> Der Launcher l\xE4uft weiter, solange der java-Prozess "
                 "l\xE4uft.\n"
                 "Java beendet am <TIME> nach <N> s mit Exit-Code 3\n"
                 "LAUNCH PROCESS FOR 64 BIT COMPLETE.\n"));
}

TEST_F(JavaFate, OutputFileThatCannotBeCreatedEndsTheRunBeforeJava) {
  std::string log =
      WriteCustom(app, "", {{"QV", "app.Main"}, {"launcher.java_output", "missing\\java.out"}});
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(app.NormalizedLog(),
            Crlf(log +
                 "launcher.java_output=missing\\java.out -> Die Ausgaben von Java gehen in diese "
                 "Datei\n" +
                 Report("Die Datei missing\\java.out konnte nicht ge\xF6"
                        "ffnet werden.\nlauncher.java_output=missing\\java.out: der Ordner "
                        "missing fehlt\n")));
  EXPECT_FALSE(app.Exists("jre64/bin/javaw.received"));
}

}  // namespace
}  // namespace e2e
