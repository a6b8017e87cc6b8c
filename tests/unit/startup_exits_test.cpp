// Every way a run ends, with and without service mode: the exit code, what
// the user is shown, and the frames in the log.

#include <gtest/gtest.h>

#include <functional>

#include "launcher/startup_sequence.h"
#include "tests/unit/test_log.h"

namespace {

struct ExitCase {
  const char* name;
  std::function<void()> setUp;
  std::string tail;
  int exitCode;
  std::string report;  // empty: no report
};

void StandardInstallation() {
  fake::AddFile("C:\\App\\launch.properties", "java64=C:\\J64\nQV=app.Main\n");
  fake::AddFile("C:\\App\\customlaunch.properties", "");
}

std::string RunWith(const ExitCase& c, bool serviceMode) {
  fake::Reset();
  StandardInstallation();
  c.setUp();
  std::string tail = c.tail + (serviceMode ? " -launcher.service=true" : "");
  fake::Get().commandLine = "KivLauncher.exe " + tail;
  int exitCode = -1;
  try {
    exitCode = RunLauncher(fake::Get().commandLine);
  } catch (const fake::Exit& exit) {
    exitCode = exit.code;
  }
  EXPECT_EQ(exitCode, c.exitCode) << c.name;
  return testing_log::Text(fake::Get().currentDirectory);
}

const char kFailure32[] =
    "Java konnte nicht aufgerufen werden:\n"
    "64 Bit: C:\\J64\\bin\\javaw.exe fehlt\n"
    "32 Bit: C:\\J32\\bin\\javaw.exe fehlt\n"
    "C:\\J32\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true -Xms32M -Xmx256M -cp \"\" "
    "app.Main -Dautologin.pwd=xxxx\n"
    "Arbeitsverzeichnis: C:\\App\n"
    "\n"
    "Abhilfe: java64 und java nennen je einen Java-Ordner mit bin\\javaw.exe; bei Windows-Fehler 5 "
    "oder 1260 die Zugriffsrechte und AppLocker pr\xFC"
    "fen.";

const char kTooLong64[] =
    "Java konnte nicht aufgerufen werden:\n"
    "Die Kommandozeile ist 32797 Zeichen lang, Windows erlaubt h\xF6"
    "chstens 32767 Zeichen (einschlie\xDF"
    "lich des Endezeichens).\n"
    "K\xFCrzel: QV, die l\xE4ngsten Teile: Classpath 32700 Zeichen, JVM-Parameter 42 Zeichen, "
    "Startparameter 8 Zeichen\n"
    "Arbeitsverzeichnis: C:\\App\n"
    "\n"
    "Abhilfe: alle Jars eines Ordners als ein Eintrag ORDNER\\* in den Klassenpfad, etwa lib\\*";

const char kZeroByteFailure[] =
    "Java konnte nicht aufgerufen werden:\n"
    "Die Kommandozeile enth\xE4lt nach 27 Zeichen ein Nullzeichen: Windows w\xFCrde sie dort "
    "abschneiden, Java bek\xE4me nur den Teil davor.\n"
    "Bitte diese Einstellungen pr\xFC"
    "fen: jvm.parameter\n"
    "Arbeitsverzeichnis: C:\\App\n"
    "\n"
    "Abhilfe: die genannte Einstellung berichtigen; KivLauncher.exe -launcher.check=true pr\xFC"
    "ft die ganze Installation.";

std::string OwnFileReport(const std::string& file, const std::string& what) {
  return "launcher.java_output=" + file + " nennt " + what +
         ". Java darf diese Datei nicht \xFC"
         "berschreiben, bitte eine andere Datei angeben.\n";
}

const ExitCase kCases[] = {
    {"java64 started", [] {}, "", 0, ""},
    {"java32 started without WOW64",
     [] {
       fake::Get().runsUnderWow64 = false;
       fake::AddFile("C:\\App\\launch.properties", "java=C:\\J32\nQV=app.Main\n");
     },
     "", 0, ""},
    {"no Java configured", [] { fake::Get().olderThanWindows7 = true; }, "", 1,
     "Das 64-Bit-Java wurde entweder nicht angegeben oder konnte nicht gestartet werden und es "
     "wurde kein Parameter \"java\" definiert!"},
    {"java64 in another case",
     [] { fake::AddFile("C:\\App\\launch.properties", "Java64=C:\\J64\nQV=app.Main\n"); }, "", 1,
     "Das 64-Bit-Java wurde entweder nicht angegeben oder konnte nicht gestartet werden und es "
     "wurde kein Parameter \"java\" definiert!\ngemeint ist wohl java64: Java64 "
     "(launch.properties, "
     "Zeile 1) wird vom Launcher nicht gelesen"},
    {"java64 folder without javaw.exe, no java",
     [] {
       fake::AddFile("C:\\App\\launch.properties", "java64=C:\\Missing\nQV=app.Main\n");
       fake::Get().failingPrograms = {"C:\\Missing"};
     },
     "", 1,
     "Das 64-Bit-Java wurde entweder nicht angegeben oder konnte nicht gestartet werden und es "
     "wurde kein Parameter \"java\" definiert!\nC:\\Missing\\bin\\javaw.exe fehlt"},
    {"java64 naming javaw.exe, no java",
     [] {
       fake::AddFile("C:\\App\\launch.properties", "java64=C:\\J64\\bin\\javaw.exe\nQV=app.Main\n");
       fake::AddFile("C:\\J64\\bin\\javaw.exe", "MZ");
       fake::Get().failingPrograms = {"C:\\J64"};
     },
     "", 1,
     "Das 64-Bit-Java wurde entweder nicht angegeben oder konnte nicht gestartet werden und es "
     "wurde kein Parameter \"java\" definiert!\njava64 nennt die Datei C:\\J64\\bin\\javaw.exe, "
     "erwartet wird der Java-Ordner (ohne \\bin\\javaw.exe)"},
    {"java64 refused by Windows, no java",
     [] {
       fake::AddFile("C:\\J64\\bin\\javaw.exe", "MZ");
       fake::Get().failingPrograms = {"C:\\J64"};
       fake::Get().startError = 193;
     },
     "", 1,
     "Das 64-Bit-Java wurde entweder nicht angegeben oder konnte nicht gestartet werden und es "
     "wurde kein Parameter \"java\" definiert!\nC:\\J64\\bin\\javaw.exe: Windows-Fehler 193: "
     "Systemfehler 193."},
    {"java32 fails after java64 failed",
     [] {
       fake::AddFile("C:\\App\\launch.properties",
                     "java64=C:\\J64\njava=C:\\J32\nQV=app.Main -Dautologin.pwd=geheim\n");
       fake::Get().failingPrograms = {"C:\\J64", "C:\\J32"};
     },
     "", 1, kFailure32},
    {"both Javas refused by Windows",
     [] {
       fake::AddFile("C:\\App\\launch.properties", "java64=C:\\J64\njava=C:\\J32\nQV=app.Main\n");
       fake::AddFile("C:\\J64\\bin\\javaw.exe", "MZ");
       fake::AddFile("C:\\J32\\bin\\javaw.exe", "MZ");
       fake::Get().failingPrograms = {"C:\\J64", "C:\\J32"};
       fake::Get().startError = 5;
     },
     "", 1,
     "Java konnte nicht aufgerufen werden:\n"
     "64 Bit: C:\\J64\\bin\\javaw.exe: Windows-Fehler 5: Systemfehler 5.\n"
     "32 Bit: C:\\J32\\bin\\javaw.exe: Windows-Fehler 5: Systemfehler 5.\n"
     "C:\\J32\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true -Xms32M -Xmx256M -cp \"\" "
     "app.Main\nArbeitsverzeichnis: C:\\App\n\nAbhilfe: java64 und java nennen je einen "
     "Java-Ordner mit bin\\javaw.exe; bei Windows-Fehler 5 oder 1260 die Zugriffsrechte und "
     "AppLocker pr\xFC"
     "fen."},
    {"launch.properties missing", [] { fake::Get().files.erase("C:\\App\\launch.properties"); }, "",
     1,
     "Die Datei launch.properties konnte nicht ge\xF6"
     "ffnet werden.\nOrdner: C:\\App, Windows-Fehler 2: Systemfehler 2.\n"},
    {"root folder missing",
     [] { fake::AddFile("C:\\App\\kivsoft.properties", "root=X:\\nirgends\n"); }, "", 1,
     "Die Datei X:\\nirgends\\launch.properties konnte nicht ge\xF6"
     "ffnet werden.\nDer Ordner X:\\nirgends ist in kivsoft.properties als root "
     "angegeben.\nWindows-Fehler 2: Systemfehler 2.\n"},
    {"custom file missing", [] {}, "-custom=extra.properties", 1,
     "Die Datei extra.properties konnte nicht ge\xF6"
     "ffnet werden.\nOrdner: C:\\App, Windows-Fehler 2: Systemfehler 2.\n"},
    {"host patterns that match nothing",
     [] {
       fake::AddFile("C:\\App\\launch.properties", "java.host.KASSE-*=C:\\J32\nQV=app.Main\n");
     },
     "", 1,
     "Das 64-Bit-Java wurde entweder nicht angegeben oder konnte nicht gestartet werden und es "
     "wurde kein Parameter \"java\" definiert!\nKein Muster passt zum Computernamen \"PC-07\": "
     "java.host.KASSE-*"},
    {"start key in lower case",
     [] { fake::AddFile("C:\\App\\launch.properties", "java64=C:\\J64\nqv=app.Main\n"); }, "", 1,
     "Der StartParameter: QV wurde in der launch.properties nicht gefunden!\ngemeint ist wohl QV "
     "(launch.properties, Zeile 2): dort steht qv, das K\xFCrzel muss gro\xDF geschrieben sein.\n"},
    {"start key without entry", [] {}, "-start=abc", 1,
     "Der StartParameter: ABC wurde in der launch.properties nicht gefunden!\n"},
    {"maintenance", [] { fake::AddFile("C:\\App\\InWartung.txt", ""); }, "", 1,
     "Das Programm ist im Wartungsmodus und kann daher nicht gestartet werden.\n"
     "Bitte versuchen Sie es sp\xE4"
     "ter noch einmal."},
    {"repeated -cp", [] {}, "-Dkiv.x=-cp", 1,
     "Achtung: -cp wurde in der Kommandozeile mehrmals gefunden. Bitte die custom.properties "
     "pr\xFC"
     "fen! \nEin weiteres -cp steht in: Dkiv.x (Kommandozeile)\n"},
    {"memory runs out", [] { fake::Get().readFailsWithBadAlloc = true; }, "", 1,
     "Der Arbeitsspeicher reicht nicht aus, um den KivLauncher auszuf\xFC"
     "hren. Bitte die Gr\xF6\xDF"
     "e der Properties-Dateien pr\xFC"
     "fen.\n"},
    {"memory runs out in check mode", [] { fake::Get().readFailsWithBadAlloc = true; },
     "-launcher.check=true", 1,
     "Der Arbeitsspeicher reicht nicht aus, um den KivLauncher auszuf\xFC"
     "hren. Bitte die Gr\xF6\xDF"
     "e der Properties-Dateien pr\xFC"
     "fen.\n"},
    {"java64 command line too long, no java",
     [] {
       fake::AddFile("C:\\App\\launch.properties",
                     "java64=C:\\J64\nQV=app.Main\nclasspath.extra=" + std::string(32700, 'x'));
     },
     "", 1, kTooLong64},
    {"zero byte in the Java command line",
     [] {
       fake::AddFile("C:\\App\\customlaunch.properties",
                     std::string("java=C:\\J32\njvm.parameter=-Xss1m") + '\0' + " -Dafter.nul=1\n");
     },
     "", 1, kZeroByteFailure},
    {"Java's output onto the log", [] {}, "-launcher.java_output=kivlaunch.LOG.", 1,
     OwnFileReport("kivlaunch.LOG.", "das Protokoll des KivLaunchers")},
    {"Java's output onto the settings", [] { fake::AddDirectory("C:\\Other"); },
     "-launcher.java_output=..\\App/./Customlaunch.properties", 1,
     OwnFileReport("..\\App/./Customlaunch.properties", "eine Einstellungsdatei des KivLaunchers")},
    {"Java's output onto the launcher", [] {}, "-launcher.java_output=c:/app/KIVLAUNCHER.EXE", 1,
     OwnFileReport("c:/app/KIVLAUNCHER.EXE", "den KivLauncher selbst")},
    {"started from another folder",
     [] {
       fake::AddDirectory("C:\\Users\\anna");
       fake::Get().currentDirectory = "C:\\Users\\anna";
     },
     "", 1,
     "Das Arbeitsverzeichnis C:\\Users\\anna ist nicht der Ordner des Launchers C:\\App, in "
     "dem die Installation liegt.\nAbhilfe: -launcher.cwd=true angeben oder in der "
     "Verkn\xFCpfung bei \"Ausf\xFChren in\" C:\\App eintragen.\n"},
    {"no ready copy",
     [] {
       fake::Get().directories.erase("C:\\App\\lib");
       fake::AddDirectory("C:\\App\\3.2.0.14\\Anwendung");
     },
     "", 1,
     "Es wurde eine verteilte Installation gefunden, aber keine Bereit.txt Datei in den "
     "Unterordnern! \nEine normale Installation braucht den Ordner lib in C:\\App.\n"},
};

class StartupExits : public testing::TestWithParam<bool> {};

TEST_P(StartupExits, ReportAndExitCode) {
  bool serviceMode = GetParam();
  for (const ExitCase& c : kCases) {
    std::string log = RunWith(c, serviceMode);
    const fake::State& state = fake::Get();
    if (c.report.empty()) {
      EXPECT_TRUE(state.messageBoxes.empty()) << c.name;
      EXPECT_EQ(log.find("=== Messagebox"), std::string::npos) << c.name;
      continue;
    }
    std::string frames = "=== Messagebox Start ===\n" + c.report + "\n=== Messagebox Ende ===\n";
    ASSERT_GE(log.size(), frames.size()) << c.name;
    EXPECT_EQ(log.substr(log.size() - frames.size()), frames) << c.name;
    if (serviceMode) {
      std::string line =
          c.report.back() == '\n' ? c.report.substr(0, c.report.size() - 1) : c.report;
      EXPECT_EQ(state.standardOutput, "err:" + line) << c.name;
      EXPECT_TRUE(state.messageBoxes.empty()) << c.name;
    } else {
      EXPECT_EQ(state.messageBoxes, std::vector<std::string>{"Fehler: " + c.report}) << c.name;
      EXPECT_EQ(state.standardOutput, "") << c.name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(ServiceModeOffAndOn, StartupExits, testing::Bool());

TEST(StartupRun, FailedJava64FallsBackToJava32) {
  fake::Reset();
  fake::AddFile("C:\\App\\launch.properties",
                "java64=C:\\J64\njava=C:\\J32\nQV=app.Main\nmemory.maximum=1G\n");
  fake::AddFile("C:\\App\\customlaunch.properties", "");
  fake::Get().failingPrograms = {"C:\\J64"};
  EXPECT_EQ(RunLauncher("KivLauncher.exe"), 0);
  std::string log = testing_log::Text();
  const std::string tail =
      "Java wird ermittelt f\xFCr Computer \"PC-07\" mit 64 Bit: java64=C:\\J64\n"
      "JVM wird gestartet am Sun Dec  6 12:57:17 2026\n"
      "\n"
      "C:\\J64\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true -Xms32M -Xmx1G -cp \"\" "
      "app.Main\n"
      "=== Startfehler Start ===\n"
      "Java konnte nicht aufgerufen werden:\n"
      "C:\\J64\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true -Xms32M -Xmx1G -cp \"\" "
      "app.Main\n"
      "Arbeitsverzeichnis: C:\\App\n"
      "\n"
      "Abhilfe: java64 und java nennen je einen Java-Ordner mit bin\\javaw.exe; bei Windows-Fehler "
      "5 "
      "oder 1260 die Zugriffsrechte und AppLocker pr\xFC"
      "fen."
      "\n"
      "Windows-Fehler 2: Systemfehler 2.\n"
      "=== Startfehler Ende ===\n"
      "Java wird ermittelt f\xFCr Computer \"PC-07\" mit 32 Bit: java=C:\\J32\n"
      "Speicherparameter \"memory.initial\" betraegt 33554432 Bytes -> Wird nicht reduziert, da "
      "von 32 Bit noch unterstuetzt\n"
      "Speicherparameter \"memory.maximum\" betraegt 1073741824 Bytes -> Wird reduziert auf 768M, "
      "da von 32 Bit nicht mehr unterstuetzt\n"
      "JVM wird gestartet am Sun Dec  6 12:57:17 2026\n"
      "\n"
      "C:\\J32\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true -Xms32M -Xmx768M -cp "
      "\"\" app.Main\n"
      "LAUNCH PROCESS FOR 32 BIT COMPLETE.\n";
  ASSERT_GE(log.size(), tail.size());
  EXPECT_EQ(log.substr(log.size() - tail.size()), tail);
  EXPECT_TRUE(fake::Get().messageBoxes.empty());
  ASSERT_EQ(fake::Get().started.size(), 1u);
}

TEST(StartupRun, ShowDirShowsTheReportBeforeTheLogExists) {
  fake::Reset();
  StandardInstallation();
  EXPECT_EQ(RunLauncher("KivLauncher.exe -launcher.show_dir=true -launcher.service=true"), 0);
  EXPECT_EQ(
      fake::Get().messageBoxes,
      std::vector<std::string>{
          "Fehler: Arbeitsverzeichnis beim Start: C:\\App\n"
          "launcher.cwd=false -> Das Arbeitsverzeichnis wurde nicht automatisch gewechselt."});
  std::string log = testing_log::Text();
  EXPECT_EQ(log.find("Messagebox"), std::string::npos);
  EXPECT_NE(log.find("launcher.service=true -> Launcher arbeitet im Service-Modus (gestartet von "
                     "KivLaunchService)\n"),
            std::string::npos);
  EXPECT_EQ(fake::Get().standardOutput, "pid:4242");
}

TEST(StartupRun, SwitchesInPropertiesFilesDoNotActLikeCommandLineSwitches) {
  fake::Reset();
  fake::AddFile("C:\\App\\launch.properties",
                "java64=C:\\J64\nQV=app.Main\nlauncher.service=true\nlauncher.cwd=true\n"
                "launcher.ignore_inwartung=true\n");
  fake::AddFile("C:\\App\\customlaunch.properties", "");
  fake::AddFile("C:\\App\\InWartung.txt", "");
  EXPECT_EQ(RunLauncher("KivLauncher.exe"), 1);
  EXPECT_EQ(fake::Get().messageBoxes.size(), 1u);
  EXPECT_EQ(fake::Get().standardOutput, "");
  std::string log = testing_log::Text();
  EXPECT_NE(log.find("launcher.service = true\n"), std::string::npos);
  EXPECT_EQ(log.find("Service-Modus"), std::string::npos);
}

TEST(StartupRun, CommandLineWinsOverEveryFile) {
  fake::Reset();
  fake::AddFile("C:\\App\\launch.properties",
                "java64=C:\\J64\nQV=app.Main\nDkiv.mode=a\nmemory.maximum=1G\n");
  fake::AddFile("C:\\App\\customlaunch.properties", "Dkiv.mode=b\n");
  fake::AddFile("C:\\App\\extra.properties", "Dkiv.mode=c\nmemory.maximum=2G\n");
  EXPECT_EQ(RunLauncher("KivLauncher.exe -custom=extra.properties -Dkiv.mode=x -memory.maximum=9G"),
            0);
  ASSERT_EQ(fake::Get().started.size(), 1u);
  EXPECT_EQ(fake::Get().started[0].commandLine,
            "C:\\J64\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true -Xms32M -Xmx2G"
            " -Dkiv.mode=x  -cp \"\" app.Main");
}

TEST(StartupRun, RootFolderFromKivsoftProperties) {
  fake::Reset();
  fake::AddFile("C:\\App\\kivsoft.properties", "root=\\\\\\\\server\\\\share\n");
  fake::AddFile("\\\\server\\share\\launch.properties", "java64=C:\\J64\nQV=app.Main\n");
  fake::AddFile("\\\\server\\share\\customlaunch.properties", "");
  EXPECT_EQ(RunLauncher("KivLauncher.exe"), 0);
  std::string log = testing_log::Text();
  EXPECT_NE(log.find("\n===== kivsoft.properties einlesen =====\n"
                     "Die Datei kivsoft.properties wurde ge\xF6"
                     "ffnet.\n"
                     " // FOUND: \"root\"=\"\\\\\\\\server\\\\share\"\n"
                     "===== launch.properties einlesen =====\n"
                     "Die Datei \\\\server\\\\share\\\\launch.properties wurde ge\xF6"
                     "ffnet.\n"),
            std::string::npos)
      << log;
}

}  // namespace
