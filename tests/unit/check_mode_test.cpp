// Check mode's parts: reading a PE header, telling known keys from typos,
// where a value came from, and a check run that never starts Java.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "check_mode/check_run.h"
#include "check_mode/java_check.h"
#include "check_mode/unknown_keys.h"
#include "launcher/startup_sequence.h"
#include "report/error_report.h"
#include "settings/keys.h"
#include "settings/properties_file.h"
#include "settings/settings.h"
#include "tests/unit/test_log.h"
#include "tests/zip_bytes.h"

namespace {

std::string Header(unsigned long offset, const std::string& signature, unsigned machine,
                   size_t size) {
  std::string bytes(size, '\0');
  bytes.replace(0, 2, "MZ");
  for (int i = 0; i < 4; ++i) bytes[0x3C + i] = static_cast<char>((offset >> (8 * i)) & 0xFF);
  if (offset + 6 <= size) {
    bytes.replace(offset, 4, signature);
    bytes[offset + 4] = static_cast<char>(machine & 0xFF);
    bytes[offset + 5] = static_cast<char>(machine >> 8);
  }
  return bytes;
}

TEST(PeHeader, MachineOnlyFromAWholeHeader) {
  const std::string pe("PE\0\0", 4);
  struct Case {
    const char* name;
    std::string bytes;
    unsigned machine;
  };
  const Case cases[] = {
      {"32 bit", Header(0x80, pe, 0x14C, 0x100), 0x14C},
      {"64 bit", Header(0x80, pe, 0x8664, 0x100), 0x8664},
      {"ARM64 is reported as read", Header(0x40, pe, 0xAA64, 0x100), 0xAA64},
      {"header right at the end", Header(0xFA, pe, 0x8664, 0x100), 0x8664},
      {"header cut off", Header(0xFB, pe, 0x8664, 0x100), 0},
      {"offset beyond the bytes", Header(0xFFFFFFF0, pe, 0x8664, 0x100), 0},
      {"no PE signature", Header(0x80, std::string("NE\0\0", 4), 0x8664, 0x100), 0},
      {"an ELF file",
       "\x7F"
       "ELF" +
           std::string(0x100, '\0'),
       0},
      {"too short for e_lfanew", "MZ", 0},
      {"empty", "", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(PeMachine(c.bytes), c.machine) << c.name;
}

TEST(PeHeader, ReadsOnlyTheFilesStart) {
  fake::Reset();
  std::string program = Header(0x80, std::string("PE\0\0", 4), 0x8664, 0x100);
  fake::AddFile("C:\\J64\\bin\\javaw.exe", program + std::string(100000, 'x'));
  EXPECT_EQ(ReadPeMachine("C:\\J64\\bin\\javaw.exe"), kMachineAmd64);
  EXPECT_EQ(ReadPeMachine("C:\\J64\\bin\\missing.exe"), 0u);
}

TEST(KnownKeys, FileKeys) {
  struct Case {
    const char* key;
    bool known;
  };
  const Case cases[] = {
      {"memory.maximum", true},
      {"ABC.memory.maximum", true},
      {"WBQ_UPDATE.jvm.parameter.x", true},
      {"jvm.parameter.gc", true},
      {"Dkiv.mode", true},
      {"java64.host.PC-*", true},
      {"java.host.PC-*", true},
      {"KASSE_3", true},
      {"launcher.java_watch", true},
      {"memory.maximun", false},
      {"ABC.memory.maximun", false},
      {"abc.memory.maximum", false},
      {"ABC.java64", false},
      {"jvm.parameter.", false},
      {"dkiv.mode", false},
      {"launcher.service", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsKnownFileKey(c.key), c.known) << c.key;
}

TEST(KnownKeys, CommandLineKeys) {
  struct Case {
    const char* key;
    bool known;
  };
  const Case cases[] = {
      {"launcher.check", true},  {"launcher.cwd", true},  {"read_app", true},
      {"Dkiv.debug", true},      {"java64", true},        {"launcher.java_output", true},
      {"memory.maximum", false}, {"launcher.kep", false}, {"dkiv.debug", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsKeyIn(c.key, kCopiedFromCommandLine | kOnlyOnCommandLine), c.known) << c.key;
}

TEST(KnownKeys, ClosestKeyForLikelyTypos) {
  struct Case {
    const char* typo;
    const char* closest;
  };
  const Case cases[] = {
      {"memory.maximun", "memory.maximum"},
      {"launcher.kep", "launcher.keep"},
      {"classpath.extra", "classpath.extra"},
      {"Java64", "java64"},
      {"memory", ""},
      {"completely.different", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ClosestKnownKey(c.typo), c.closest) << c.typo;
}

TEST(SettingOrigins, EveryValueKeepsItsSourceInOrder) {
  testing_log::Start();
  fake::AddFile("C:\\App\\launch.properties", "# comment\nmemory.maximum=1G\nempty=\n");
  fake::AddFile("C:\\App\\customlaunch.properties", "memory.maximum=2G\n");
  Settings settings = InitialSettings(true);
  ASSERT_FALSE(ReadPropertiesFile("", "launch.properties", settings));
  ASSERT_FALSE(ReadPropertiesFile("", "customlaunch.properties", settings));
  const std::vector<Assignment>& values = settings.history["memory.maximum"];
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(values[0].origin, "Voreinstellung");
  EXPECT_EQ(values[1].origin, "launch.properties, Zeile 2");
  EXPECT_EQ(values[2].origin, "customlaunch.properties, Zeile 1");
  EXPECT_EQ(values[2].value, "2G");
  EXPECT_LT(values[1].order, values[2].order);
  EXPECT_EQ(settings.history.count("empty"), 0u);
  // A plain run keeps only the last value of the keys the launcher reads:
  // its memory must not grow with the files.
  fake::AddFile("C:\\App\\customlaunch.properties", "memory.maximum=2G\nbench.key=1\n");
  Settings plain = InitialSettings();
  ASSERT_FALSE(ReadPropertiesFile("", "launch.properties", plain));
  ASSERT_FALSE(ReadPropertiesFile("", "customlaunch.properties", plain));
  EXPECT_EQ(plain.history.count("bench.key"), 0u);
  EXPECT_EQ(plain.history["memory.maximum"].size(), 1u);
  EXPECT_EQ(OriginOf(plain, "memory.maximum"), " (customlaunch.properties, Zeile 1)");
}

TEST(Findings, ClosingCounts) {
  struct Case {
    int errors, warnings;
    const char* text;
  };
  const Case cases[] = {
      {0, 0,
       "Pr\xFC"
       "fung beendet: keine Fehler, keine Warnungen"},
      {1, 1,
       "Pr\xFC"
       "fung beendet: 1 Fehler, 1 Warnung"},
      {2, 3,
       "Pr\xFC"
       "fung beendet: 2 Fehler, 3 Warnungen"},
  };
  for (const Case& c : cases) {
    Findings findings;
    findings.errors = c.errors;
    findings.warnings = c.warnings;
    EXPECT_EQ(CountsText(findings), c.text);
  }
}

TEST(Reports, ShownOnTheirChannelAndLoggedBetweenMarkers) {
  for (bool service : {false, true}) {
    testing_log::Start();
    ReportError("Erster\n", service ? ReportChannel::kServiceOutput : ReportChannel::kMessageBox,
                Secrets());
    Log().WriteLine("weiter");
    EXPECT_EQ(fake::Get().standardOutput, service ? "err:Erster" : "");
    EXPECT_EQ(fake::Get().messageBoxes,
              service ? std::vector<std::string>{} : std::vector<std::string>{"Fehler: Erster\n"});
    EXPECT_EQ(testing_log::Text(),
              "=== Messagebox Start ===\nErster\n\n=== Messagebox Ende ===\nweiter\n");
  }
}

void CheckInstallation(const std::string& launchProperties) {
  fake::Reset();
  fake::AddFile("C:\\App\\launch.properties", launchProperties);
  fake::AddFile("C:\\App\\customlaunch.properties", "");
  fake::AddFile("C:\\J64\\bin\\javaw.exe", "MZ");
}

TEST(CheckRun, JavaIsNeverStarted) {
  struct Case {
    const char* name;
    std::string properties;
    std::string tail;
    int exitCode;
    std::string output;
  };
  const std::string summary =
      "Pr\xFC"
      "fung beendet: keine Fehler, keine Warnungen";
  const Case cases[] = {
      {"sound", "java64=C:\\J64\nQV=app.Main\n", "", 0, ""},
      {"service", "java64=C:\\J64\nQV=app.Main\n", " -launcher.service=true", 0,
       "check:" + summary + "; Protokoll: C:\\App\\KivLaunch.log"},
      {"no start entry", "java64=C:\\J64\n", " -launcher.service=true", 1,
       "check:Pr\xFC"
       "fung beendet: 1 Fehler, keine Warnungen; erster Fehler: Der Start w\xFCrde abgebrochen: "
       "Der StartParameter: QV wurde in der launch.properties nicht gefunden!; Protokoll: "
       "C:\\App\\KivLaunch.log"},
      {"java64 missing, no java", "java64=C:\\Nowhere\nQV=app.Main\n", "", 1, ""},
  };
  for (const Case& c : cases) {
    CheckInstallation(c.properties);
    fake::Get().commandLine = "KivLauncher.exe -launcher.check=true" + c.tail;
    EXPECT_EQ(RunLauncher(fake::Get().commandLine), c.exitCode) << c.name;
    EXPECT_TRUE(fake::Get().started.empty()) << c.name;
    EXPECT_EQ(fake::Get().standardOutput, c.output) << c.name;
    EXPECT_EQ(fake::Get().messageBoxes.size(), c.output.empty() ? 1u : 0u) << c.name;
    EXPECT_EQ(testing_log::Text().find("LAUNCH PROCESS"), std::string::npos) << c.name;
  }
  CheckInstallation("java64=C:\\J64\nQV=app.Main\n");
  fake::Get().commandLine = "KivLauncher.exe -launcher.check=true";
  RunLauncher(fake::Get().commandLine);
  ASSERT_EQ(fake::Get().messageBoxes.size(), 1u);
  EXPECT_EQ(fake::Get().messageBoxes[0],
            "KivLauncher Pr\xFC"
            "fung: " +
                summary + "\nProtokoll: C:\\App\\KivLaunch.log");
}

// Twelve missing jars of thirteen found before the one error: the box
// still shows it.
TEST(CheckRun, TheBoxShowsErrorsFirstAndCountsWhatItLeavesOut) {
  std::string jars;
  for (int i = 1; i <= 12; ++i) jars += "j" + std::to_string(i) + ".jar;";
  CheckInstallation("java64=C:\\J64\nQV=app.Main\nclasspath.default=" + jars + "app.jar\n");
  fake::AddFile("C:\\App\\app.jar", zip_bytes::Zip({zip_bytes::kMainClass}));
  fake::AddFile("C:\\App\\InWartung.txt", "");
  fake::Get().commandLine = "KivLauncher.exe -launcher.check=true";
  EXPECT_EQ(RunLauncher(fake::Get().commandLine), 1);
  ASSERT_EQ(fake::Get().messageBoxes.size(), 1u);
  std::string box = fake::Get().messageBoxes[0];
  const std::string start =
      "\n\nFEHLER: Der Start w\xFCrde abgebrochen: Das Programm ist im Wartungsmodus";
  EXPECT_NE(box.find(start), std::string::npos) << box;
  EXPECT_NE(box.find("j9.jar fehlt\n... und 3 weitere Warnungen im Protokoll"), std::string::npos)
      << box;
}

// A full disk, or no folder that takes the log: one warning each.
TEST(CheckRun, ALogThatCouldNotBeWrittenIsNamedSo) {
  for (bool nowhere : {false, true}) {
    CheckInstallation("java64=C:\\J64\nQV=app.Main\n");
    fake::Get().fullDiskFiles.insert("C:\\App\\KivLaunch.log");
    if (nowhere) fake::Get().readOnlyFolders = {"C:\\App", "C:\\Users"};
    fake::Get().commandLine = "KivLauncher.exe -launcher.check=true -launcher.service=true";
    EXPECT_EQ(RunLauncher(fake::Get().commandLine), 0);
    EXPECT_EQ(fake::Get().standardOutput,
              "check:Pr\xFC"
              "fung beendet: keine Fehler, 1 Warnung; Protokoll: C:\\App\\KivLaunch.log "
              "konnte nicht geschrieben werden, die Pr\xFC"
              "fung steht nicht darin");
  }
}

TEST(CheckRun, AWatchOutOfRangeIsAWarning) {
  CheckInstallation("java64=C:\\J64\nQV=app.Main\n");
  fake::Get().commandLine =
      "KivLauncher.exe -launcher.check=true -launcher.service=true -launcher.java_watch=61";
  EXPECT_EQ(RunLauncher(fake::Get().commandLine), 0);
  EXPECT_EQ(fake::Get().standardOutput,
            "check:Pr\xFC"
            "fung beendet: keine Fehler, 1 Warnung; Protokoll: C:\\App\\KivLaunch.log");
  EXPECT_NE(testing_log::Text().find("WARNUNG: launcher.java_watch=61 -> Ung\xFCltiger Wert"),
            std::string::npos);
}

// What the start would meet on this computer, each in the check section; a
// computer with nothing of it gets no such section.
TEST(CheckRun, LogAndCharacterSetOfThisComputer) {
  const std::string temp = "C:\\Users\\anna\\AppData\\Local\\Temp\\";
  const std::string section = "\n=== Protokoll und Zeichensatz ===\n";
  struct Case {
    const char* name;
    std::function<void()> setUp;
    std::string logged;  // the section; empty: none
    std::string logFolder;
  };
  const Case cases[] = {
      {"nothing to say", [] {}, "", "C:\\App\\"},
      {"a working folder that takes no file", [] { fake::Get().readOnlyFolders = {"C:\\App"}; },
       section +
           "WARNUNG: KivLaunch.log kann im Arbeitsverzeichnis nicht geschrieben werden "
           "(Windows-Fehler 5: Systemfehler 5.), das Protokoll steht darum in " +
           temp + "KivLaunch.log\n",
       temp},
      {"UTF-8 as Windows' option for worldwide language support",
       [] { fake::Get().ansiCodePage = 65001; },
       section +
           "WARNUNG: Die ANSI-Codepage dieses Computers ist 65001, nicht 1252 (Windows-1252): "
           "Umlaute in Meldungen, Protokoll und Pfaden werden falsch angezeigt und kommen bei "
           "Java verst\xFCmmelt an (die Windows-Option \"Unicode UTF-8 f\xFCr die weltweite "
           "Sprachunterst\xFCtzung "
           "verwenden\" ist eingeschaltet)\n",
       "C:\\App\\"},
      {"a properties file saved as UTF-8",
       [] { fake::AddFile("C:\\App\\customlaunch.properties", "Dkiv.ort=M\xC3\xBCnchen\n"); },
       section + "Die Datei customlaunch.properties ist im Format UTF-8 gespeichert und wird beim "
                 "Lesen in Windows-1252 umgewandelt.\n",
       "C:\\App\\"},
      {"a comment with a letter Windows-1252 lacks",
       [] { fake::AddFile("C:\\App\\customlaunch.properties", "Dkiv.a=1 # \xE2\x86\x92\n"); },
       section + "Die Datei customlaunch.properties ist im Format UTF-8 gespeichert und wird beim "
                 "Lesen in Windows-1252 umgewandelt.\nWARNUNG: Die Datei "
                 "customlaunch.properties (UTF-8) enth\xE4lt in Zeile 1 im Kommentar das Zeichen "
                 "U+2192, das es in Windows-1252 nicht gibt: der Kommentar fehlt darum im "
                 "Protokoll.\n",
       "C:\\App\\"},
  };
  for (const Case& c : cases) {
    CheckInstallation("java64=C:\\J64\nQV=app.Main\n");
    c.setUp();
    fake::Get().commandLine = "KivLauncher.exe -launcher.check=true";
    EXPECT_EQ(RunLauncher(fake::Get().commandLine), 0) << c.name;
    std::string log = fake::Get().files[c.logFolder + "KivLaunch.log"];
    size_t start = log.find("\r\n=== Protokoll und Zeichensatz");
    std::string logged;
    if (start != std::string::npos) {
      logged = log.substr(start, log.find("\r\n\r\n", start + 2) + 2 - start);
      logged.erase(std::remove(logged.begin(), logged.end(), '\r'), logged.end());
    }
    EXPECT_EQ(logged, c.logged) << c.name;
  }
}

// The start's own refusal is the error, its remedy included.
TEST(CheckRun, OverlongCommandLineIsAnError) {
  CheckInstallation("java64=C:\\J64\nQV=app.Main\nclasspath.extra=" + std::string(32700, 'x') +
                    "\n");
  fake::AddFile("C:\\App\\" + std::string(32700, 'x'), zip_bytes::Zip({zip_bytes::kMainClass}));
  fake::Get().commandLine = "KivLauncher.exe -launcher.check=true";
  EXPECT_EQ(RunLauncher(fake::Get().commandLine), 1);
  std::string log = testing_log::Text();
  EXPECT_NE(log.find("FEHLER: Der Start w\xFCrde abgebrochen: Java konnte nicht aufgerufen "
                     "werden:\nDie Kommandozeile ist 32797 Zeichen lang"),
            std::string::npos);
  EXPECT_NE(log.find("die l\xE4ngsten Teile: Classpath 32700 Zeichen, JVM-Parameter 42 Zeichen, "
                     "Startparameter 8 Zeichen\nArbeitsverzeichnis: C:\\App\n\nAbhilfe: alle Jars "
                     "eines Ordners als ein Eintrag ORDNER\\* in den Klassenpfad, etwa lib\\*\n"),
            std::string::npos);
  EXPECT_NE(log.find("Pr\xFC"
                     "fung beendet: 1 Fehler,"),
            std::string::npos);
}

// What a box shows ends at a zero byte: no finding may hold one.
TEST(CheckRun, NoFindingHoldsAZeroByte) {
  CheckInstallation("java64=C:\\J64\nQV=app.Main\n");
  fake::AddFile("C:\\App\\customlaunch.properties", std::string("jvm.parameter.a=x\0 y\n", 21));
  fake::Get().commandLine = "KivLauncher.exe -launcher.check=true";
  RunLauncher(fake::Get().commandLine);
  ASSERT_EQ(fake::Get().messageBoxes.size(), 1u);
  const std::string& box = fake::Get().messageBoxes[0];
  EXPECT_EQ(box.find('\0'), std::string::npos) << box;
  EXPECT_NE(box.find("\nFEHLER: jvm.parameter.a (customlaunch.properties, Zeile 1): \"x<NUL> y\" "
                     "wird an der Leerstelle geteilt, Anf\xFChrungszeichen fehlen: Java nimmt "
                     "\"x<NUL>\" als Hauptklasse"),
            std::string::npos)
      << box;
}

}  // namespace

namespace {

TEST(CheckRun, HostKeysConsideredAndMatched) {
  CheckInstallation(
      "java64=C:\\Other\njava64.host.PC-*=C:\\J64\njava64.host.SRV-*=C:\\Server\n"
      "java.host.pc-0?=C:\\Missing\nQV=app.Main\n");
  fake::Get().commandLine = "KivLauncher.exe -launcher.check=true";
  EXPECT_EQ(RunLauncher(fake::Get().commandLine), 0);
  std::string log = testing_log::Text();
  EXPECT_NE(log.find("=== Java 64 Bit ===\n"
                     "Gepr\xFC"
                     "ft f\xFCr Computer \"PC-07\": java64, java64.host.PC-* (passt), "
                     "java64.host.SRV-*\n"
                     "Gew\xE4hlt: java64.host.PC-*=C:\\J64\n"
                     "C:\\J64\\bin\\javaw.exe ist vorhanden\n"
                     "Keine release-Datei: C:\\J64\\release fehlt\n"
                     "\n=== Java 32 Bit ===\n"
                     "Gepr\xFC"
                     "ft f\xFCr Computer \"PC-07\": java, java.host.pc-0? (passt)\n"
                     "Gew\xE4hlt: java.host.pc-0?=C:\\Missing\n"
                     "WARNUNG: C:\\Missing\\bin\\javaw.exe fehlt\n"),
            std::string::npos)
      << log;
}

}  // namespace

namespace {

TEST(CheckRun, UnknownMachineIsNamedInHex) {
  CheckInstallation("java64=C:\\J64\nQV=app.Main\n");
  fake::AddFile("C:\\J64\\bin\\javaw.exe", Header(0x80, std::string("PE\0\0", 4), 0xAA64, 0x100));
  fake::Get().commandLine = "KivLauncher.exe -launcher.check=true";
  RunLauncher(fake::Get().commandLine);
  EXPECT_NE(testing_log::Text().find("Bitbreite laut PE-Kopf: unbekannt (Maschine 0xAA64)\n"),
            std::string::npos);
}

}  // namespace
