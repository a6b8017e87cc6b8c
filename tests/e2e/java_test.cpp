// Choosing and starting Java with the real launcher and the fake javaw.exe.

#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <thread>

#include "tests/e2e/installation_fixture.h"

namespace e2e {
namespace {

using Java = StandardInstallation;

std::string After(const std::string& log, const std::string& marker) {
  size_t at = log.find(Crlf(marker));
  return at == std::string::npos ? "<marker missing>" : log.substr(at + Crlf(marker).size());
}

const char kStartBanner[] = "\n===== Starten der javaw.exe =====\n";

TEST_F(Java, ExampleRunOfTheDocumentation) {
  app.Write("launch.properties",
            "classpath.default=lib\\app.jar;lib\\util.jar\njava64=jre64\nABC=-Dapp=abc app.Main\n");
  RunResult result = app.Run({"-start=abc"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.standardOutput, "");
  std::map<std::string, std::string> settings = StandardSettings({{"QV", ""}, {"start", "abc"}});
  EXPECT_EQ(
      app.NormalizedLog(),
      Crlf(LogStart("-start=abc") + NoHandOver() +
           FileSection("launch.properties", "launch.properties",
                       {"classpath.default=lib\\app.jar;lib\\util.jar // FOUND: "
                        "\"classpath.default\"=\"lib\\app.jar;lib\\util.jar\"",
                        "java64=jre64 // FOUND: \"java64\"=\"jre64\"",
                        "ABC=-Dapp=abc app.Main // FOUND: \"ABC\"=\"-Dapp=abc app.Main\"", ""}) +
           FileSection("customlaunch.properties", "customlaunch.properties",
                       {"memory.maximum=512M // FOUND: \"memory.maximum\"=\"512M\"", ""}) +
           AdditionalParameters("", "") + Listing(settings) + MaintenanceCheck() +
           Java64Start("ABC", "-Dapp=abc app.Main") + "LAUNCH PROCESS FOR 64 BIT COMPLETE.\n"));
  std::vector<std::string> received = app.JavaArguments("jre64");
  EXPECT_EQ(received, (std::vector<std::string>{
                          "cwd=<DIR>", "arg=-Djava.util.Arrays.useLegacyMergeSort=true",
                          "arg=-Xms32M", "arg=-Xmx512M", "arg=-cp",
                          "arg=lib\\app.jar;lib\\util.jar", "arg=-Dapp=abc", "arg=app.Main"}));
  if (WindowsLauncher()) {
    std::string record = app.Read("jre64/bin/javaw.received");
    EXPECT_NE(
        record.find("cmdline=jre64\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true "
                    "-Xms32M -Xmx512M -cp \"lib\\app.jar;lib\\util.jar\" -Dapp=abc "
                    "app.Main\n"),
        std::string::npos)
        << record;
  }
}

// A folder written with a trailing backslash, as administrators do: the
// class path's closing quote still closes it for Java, and the main class
// follows. The log shows the line as Java receives it.
TEST_F(Java, TrailingBackslashKeepsTheClasspathWhole) {
  app.Write("customlaunch.properties", "memory.maximum=512M\nclasspath.extra=classes\\\n");
  EXPECT_EQ(app.Run({}).exitCode, 0);
  std::vector<std::string> received = app.JavaArguments("jre64");
  std::vector<std::string> tail(received.end() - 4, received.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"arg=-cp", "arg=lib\\app.jar;lib\\util.jar;classes\\",
                                            "arg=-Dapp=qv", "arg=app.Main"}));
  EXPECT_NE(app.NormalizedLog().find("-cp \"lib\\app.jar;lib\\util.jar;classes\\\\\" -Dapp=qv"),
            std::string::npos);
}

TEST_F(Java, FailedJava64FallsBackToJava32) {
  app.Write("customlaunch.properties", "memory.maximum=1G\njava64=missing64\njava=jre32\n");
  app.AddJava("jre32");
  RunResult result = app.Run({"-start=abc"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.standardError, "");
  std::string start64 =
      "jre64\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true -Xms32M -Xmx1G -cp "
      "\"lib\\app.jar;lib\\util.jar\" -Dapp=abc app.Main";
  start64.replace(0, 5, "missing64");
  // Windows is given the program itself and finds no such folder (3); the
  // stand-in finds no such file (2).
  const std::string error = WindowsLauncher() ? "3" : "2";
  EXPECT_EQ(
      After(app.NormalizedLog(), kStartBanner),
      Crlf("Gestartet wird K\xFCrzel: 'ABC' mit Parameter: lib\\app.jar;lib\\util.jar   "
           "-Dapp=abc app.Main\n"
           "Java wird ermittelt f\xFCr Computer \"<HOST>\" mit 64 Bit: java64=missing64\n"
           "JVM wird gestartet am <TIME>\n"
           "\n" +
           start64 +
           "\n"
           "=== Startfehler Start ===\n"
           "Java konnte nicht aufgerufen werden:\n" +
           start64 +
           "\n"
           "Arbeitsverzeichnis: <DIR>\n"
           "\n"
           "Abhilfe: java64 und java nennen je einen Java-Ordner mit bin\\javaw.exe; bei "
           "Windows-Fehler 5 oder 1260 die Zugriffsrechte und AppLocker pr\xFC"
           "fen.\n"
           "Windows-Fehler " +
           error +
           ": <TEXT>\n"
           "=== Startfehler Ende ===\n"
           "Java wird ermittelt f\xFCr Computer \"<HOST>\" mit 32 Bit: java=jre32\n"
           "Speicherparameter \"memory.initial\" betraegt 33554432 Bytes -> Wird nicht "
           "reduziert, da von 32 Bit noch unterstuetzt\n"
           "Speicherparameter \"memory.maximum\" betraegt 1073741824 Bytes -> Wird reduziert "
           "auf 768M, da von 32 Bit nicht mehr unterstuetzt\n"
           "JVM wird gestartet am <TIME>\n"
           "\n"
           "jre32\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true -Xms32M -Xmx768M "
           "-cp \"lib\\app.jar;lib\\util.jar\" -Dapp=abc app.Main\n"
           "LAUNCH PROCESS FOR 32 BIT COMPLETE.\n"));
  EXPECT_EQ(app.JavaArguments("jre32")[3], "arg=-Xmx768M");
}

// Past Windows' limit nothing is started: both attempts say why, and the
// report names the start key and what made the command line long.
TEST_F(Java, CommandLineTooLongForWindows) {
  const std::string classpath = "lib\\" + std::string(40000, 'a') + ".jar";
  app.Write("customlaunch.properties", "java=jre32\nclasspath.default=" + classpath + "\n");
  app.AddJava("jre32");
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 1);
  const std::string tail = " -Xms32M -Xmx256M -cp \"" + classpath + "\" -Dapp=qv app.Main";
  const std::string start64 =
      "jre64\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true" + tail;
  const std::string start32 =
      "jre32\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true" + tail;
  auto failure = [](const std::string& line) {
    return "Java konnte nicht aufgerufen werden:\nDie Kommandozeile ist " +
           std::to_string(line.size()) +
           " Zeichen lang, Windows erlaubt h\xF6"
           "chstens 32767 Zeichen (einschlie\xDF"
           "lich des Endezeichens).\n"
           "K\xFCrzel: QV, die l\xE4ngsten Teile: Classpath 40008 Zeichen, JVM-Parameter 42 "
           "Zeichen, Startparameter 17 Zeichen\n"
           "Arbeitsverzeichnis: <DIR>\n\n"
           "Abhilfe: alle Jars eines Ordners als ein Eintrag ORDNER\\* in den Klassenpfad, etwa "
           "lib\\*";
  };
  EXPECT_EQ(After(app.NormalizedLog(), kStartBanner),
            Crlf("Gestartet wird K\xFCrzel: 'QV' mit Parameter: " + classpath +
                 "   -Dapp=qv app.Main\n"
                 "Java wird ermittelt f\xFCr Computer \"<HOST>\" mit 64 Bit: java64=jre64\n"
                 "JVM wird gestartet am <TIME>\n\n" +
                 start64 + "\n=== Startfehler Start ===\n" + failure(start64) +
                 "\n=== Startfehler Ende ===\n"
                 "Java wird ermittelt f\xFCr Computer \"<HOST>\" mit 32 Bit: java=jre32\n"
                 "Speicherparameter \"memory.initial\" betraegt 33554432 Bytes -> Wird nicht "
                 "reduziert, da von 32 Bit noch unterstuetzt\n"
                 "Speicherparameter \"memory.maximum\" betraegt 268435456 Bytes -> Wird nicht "
                 "reduziert, da von 32 Bit noch unterstuetzt\n"
                 "JVM wird gestartet am <TIME>\n\n" +
                 start32 + "\n=== Startfehler Start ===\n" + failure(start32) +
                 "\n=== Startfehler Ende ===\n" + Report(failure(start32))));
  EXPECT_FALSE(app.Exists("jre64/bin/javaw.received"));
  EXPECT_FALSE(app.Exists("jre32/bin/javaw.received"));
}

TEST_F(Java, NoJavaConfigured) {
  app.Write("launch.properties", "QV=app.Main\n");
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 1);
  const std::string text =
      "Das 64-Bit-Java wurde entweder nicht angegeben oder konnte nicht gestartet werden und es "
      "wurde kein Parameter \"java\" definiert!";
  EXPECT_EQ(After(app.NormalizedLog(), kStartBanner),
            Crlf("Gestartet wird K\xFCrzel: 'QV' mit Parameter:    app.Main\n"
                 "Java wird ermittelt f\xFCr Computer \"<HOST>\" mit 64 Bit: java64=\n"
                 "Java wird ermittelt f\xFCr Computer \"<HOST>\" mit 32 Bit: java=\n" +
                 Report(text)));
  if (!WindowsLauncher()) {
    EXPECT_EQ(result.standardError, "Fehler: " + text + "\n");
  }
}

TEST_F(Java, RepeatedClasspathOptionStartsNoJava) {
  app.Write("customlaunch.properties", "QV=-cp other.jar app.Main\n");
  RunResult result = app.Run({"-launcher.service=true"});
  EXPECT_EQ(result.exitCode, 1);
  const std::string text =
      "Achtung: -cp wurde in der Kommandozeile mehrmals gefunden. Bitte die custom.properties "
      "pr\xFC"
      "fen! \nEin weiteres -cp steht in: QV (customlaunch.properties, Zeile 1)";
  EXPECT_EQ(result.standardOutput, "err:" + (WindowsLauncher() ? Crlf(text) : text));
  std::string log = app.NormalizedLog();
  EXPECT_EQ(After(log, "java64=jre64\n"),
            Crlf("Anzahl von '-cp' eintr\xE4gen in Kommandozeile: 2\n" + Report(text + "\n")));
  EXPECT_FALSE(app.Exists("jre64/bin/javaw.received"));
}

TEST_F(Java, HostPatternWinsOverThePlainKey) {
  app.Write("customlaunch.properties",
            "java64=missing64\njava64.host.*=jre64\njava64.host.NO-SUCH-PC=x\n");
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_NE(
      app.NormalizedLog().find(
          Crlf("Java wird ermittelt f\xFCr Computer \"<HOST>\" mit 64 Bit: java64.host.*=jre64\n")),
      std::string::npos);
  EXPECT_EQ(app.JavaArguments("jre64")[0], "cwd=<DIR>");
}

TEST_F(Java, ServiceModeWritesOnlyThePid) {
  app.Write("customlaunch.properties", "launcher.keep=true\nlauncher.keep_and_kill=true\n");
  RunResult result = app.Run({"-launcher.service=true"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(std::regex_match(result.standardOutput, std::regex("pid:[0-9]+")))
      << result.standardOutput;
  std::string log = app.NormalizedLog();
  EXPECT_NE(
      log.find(Crlf("Ignoriere den Parameter launcher.keep, da launcher.service=true "
                    "gesetzt ist\n"
                    "Ignoriere den Parameter launcher.keep_and_kill, da "
                    "launcher.service=true gesetzt ist\n"
                    "PID des Prozesses wird auf Konsole ausgegeben: " +
                    result.standardOutput.substr(4) + "\nLAUNCH PROCESS FOR 64 BIT COMPLETE.\n")),
      std::string::npos)
      << log;
}

TEST_F(Java, KeepAndKillEndsJavaWithTheLauncher) {
  app.Write("customlaunch.properties", "QV=app.Main fake.sleep=5\n");
  int launcher = app.Start({"-launcher.keep_and_kill=true"});
  ASSERT_TRUE(WaitForFile(app.Path("jre64/bin/javaw.received"), 60));
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  Kill(launcher);
  WaitFor(launcher);
  std::this_thread::sleep_for(std::chrono::seconds(7));
  std::vector<std::string> received = app.JavaArguments("jre64");
  EXPECT_EQ(received.back(), "arg=fake.sleep=5");
  EXPECT_NE(app.NormalizedLog().find(
                Crlf("launcher.keep_and_kill=true -> Der Launcher l\xE4uft weiter, solange der "
                     "java-Prozess l\xE4uft und der java-Prozess wird mitbeendet, falls der "
                     "KivLauncher beendet wird.\n")),
            std::string::npos);
}

TEST_F(Java, KeepAndKillWaitsForJava) {
  app.Write("customlaunch.properties", "QV=app.Main fake.sleep=1\n");
  RunResult result = app.Run({"-launcher.keep_and_kill=true"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(app.JavaArguments("jre64").back(), "finished");
  EXPECT_EQ(app.NormalizedLog().find("konnte keinem Job"), std::string::npos);
}

// A program Java opened for the user is in the job too; after Java's own end
// it lives on.
TEST_F(Java, KeepAndKillSparesWhatJavaStartedOnceJavaEndsByItself) {
  app.Write("customlaunch.properties", "QV=app.Main fake.child=2\n");
  RunResult result = app.Run({"-launcher.keep_and_kill=true"});
  EXPECT_EQ(result.exitCode, 0);
  const std::string child = "jre64/bin/child.received";
  for (int i = 0; i < 400 && app.Read(child).find("finished\n") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_NE(app.Read(child).find("finished\n"), std::string::npos) << app.Read(child);
}

}  // namespace
}  // namespace e2e
