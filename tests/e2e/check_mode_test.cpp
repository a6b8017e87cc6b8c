// Check mode: the start-up runs as usual, Java is not started, and the log
// ends with a section on where every setting came from and what would go
// wrong. Every installation has one problem; the same installation without
// the switch logs what it logged before.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "tests/e2e/installation_fixture.h"
#include "tests/zip_bytes.h"

namespace e2e {
namespace {

const char kCheck[] = "-launcher.check=true";

// A Windows program's first bytes, enough for its PE header: both builds
// read the same bit width from it, and neither can start it.
std::string PeStub(unsigned machine) {
  std::string bytes(0x48, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  bytes[0x3C] = 0x40;
  bytes.replace(0x40, 4, std::string("PE\0\0", 4));
  bytes[0x44] = static_cast<char>(machine & 0xFF);
  bytes[0x45] = static_cast<char>(machine >> 8);
  return bytes;
}

// The standard installation with both jars and a 64-bit javaw.exe.
void MakeSound(const Installation& app) {
  app.AddLauncher();
  app.Write("launch.properties", kLaunchProperties);
  app.Write("customlaunch.properties", kCustomLaunchProperties);
  app.Write("lib/app.jar", zip_bytes::Zip({zip_bytes::kMainClass}));
  app.Write("lib/util.jar", zip_bytes::Zip({{"util/Text.class", ""}}));
  app.Write("jre64/bin/javaw.exe", PeStub(0x8664));
}

const char kSoundSection[] =
    "\n"
    "===== Pr\xFC"
    "fung =====\n"
    "\n"
    "=== Einstellungen und ihre Herkunft ===\n"
    "ABC = -Dapp=abc app.Main (launch.properties, Zeile 3)\n"
    "QV = -Dapp=qv app.Main (launch.properties, Zeile 4)\n"
    "classpath.default = lib\\app.jar;lib\\util.jar (launch.properties, Zeile 1)\n"
    "java64 = jre64 (launch.properties, Zeile 2)\n"
    "launcher.ignore_inwartung = false (Voreinstellung)\n"
    "launcher.keep = false (Voreinstellung)\n"
    "launcher.keep_and_kill = false (Voreinstellung)\n"
    "launcher.service = false (Voreinstellung)\n"
    "memory.initial = 32M (Voreinstellung)\n"
    "memory.maximum = 512M (customlaunch.properties, Zeile 1)\n"
    "  ersetzt: 256M (Voreinstellung)\n"
    "start = QV (Voreinstellung)\n"
    "sun.java2d.d3d = true (Voreinstellung)\n"
    "swing.noxp = false (Voreinstellung)\n"
    "\n"
    "=== Java 64 Bit ===\n"
    "Gepr\xFC"
    "ft f\xFCr Computer \"<HOST>\": java64\n"
    "Gew\xE4hlt: java64=jre64\n"
    "jre64\\bin\\javaw.exe ist vorhanden\n"
    "Bitbreite laut PE-Kopf: 64 Bit\n"
    "Keine release-Datei: jre64\\release fehlt\n"
    "\n"
    "=== Java 32 Bit ===\n"
    "Gepr\xFC"
    "ft f\xFCr Computer \"<HOST>\": java\n"
    "Kein Java-Ordner angegeben\n"
    "\n"
    "=== Speicher 64 Bit ===\n"
    "memory.initial = 32M -> -Xms32M\n"
    "memory.maximum = 512M -> -Xmx512M\n"
    "\n"
    "=== Klassenpfad, vom Arbeitsverzeichnis aus ===\n"
    "classpath.default: lib\\app.jar ist vorhanden\n"
    "classpath.default: lib\\util.jar ist vorhanden\n"
    "Die Hauptklasse app.Main steht in lib\\app.jar\n"
    "\n"
    "=== Java-Kommandozeile ===\n"
    "64 Bit: jre64\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true -Xms32M -Xmx512M "
    "-cp \"lib\\app.jar;lib\\util.jar\" -Dapp=qv app.Main\n"
    "L\xE4nge: 128 von h\xF6"
    "chstens 32767 Zeichen (mit abschlie\xDF"
    "endem Nullzeichen)\n"
    "\n"
    "=== Unbekannte Schl\xFCssel und Parameter ===\n"
    "Keine\n"
    "\n"
    "=== Orte ===\n"
    "Protokoll: <DIR>\\KivLaunch.log\n"
    "Arbeitsverzeichnis: <DIR>\n"
    "Ordner des Launchers: <DIR>\n"
    "InWartung.txt: nicht vorhanden\n"
    "\n"
    "Pr\xFC"
    "fung beendet: keine Fehler, keine Warnungen\n";

const char kMainClassFound[] = "Die Hauptklasse app.Main steht in lib\\app.jar\n";

struct Edit {
  std::string from;
  std::string to;
};

// The sound section with each text replaced once; a missing text fails.
std::string Edited(const std::vector<Edit>& edits) {
  std::string section = kSoundSection;
  for (const Edit& edit : edits) {
    size_t at = section.find(edit.from);
    EXPECT_NE(at, std::string::npos) << edit.from;
    if (at != std::string::npos) section.replace(at, edit.from.size(), edit.to);
  }
  return section;
}

std::string Closing(const std::string& counts) {
  return "Pr\xFC"
         "fung beendet: " +
         counts + "\n";
}

const std::string kSoundClosing = Closing("keine Fehler, keine Warnungen");

std::string Section(const std::string& log) {
  size_t at =
      log.find(Crlf("\n===== Pr\xFC"
                    "fung ====="));
  return at == std::string::npos ? std::string() : log.substr(at);
}

// What the plain run logged before it started Java or ended.
std::string BeforeJavaStart(const std::string& log) {
  size_t end = log.size();
  for (const char* after : {"LAUNCH PROCESS FOR", "=== Startfehler Start ==="}) {
    end = std::min(end, log.find(after));
  }
  return log.substr(0, end);
}

// The check run's log without what only the switch adds before its section.
std::string WithoutSwitch(std::string log) {
  size_t at = log.find(kCheck);
  if (at != std::string::npos) {
    bool blankBefore = log[at - 1] == ' ';
    log.erase(at - blankBefore, std::string(kCheck).size() + blankBefore);
  }
  at = log.find("launcher.check=true -> ");
  if (at != std::string::npos) log.erase(at, log.find("\r\n", at) + 2 - at);
  at = log.find(
      "Pr\xFC"
      "fmodus: ");
  return at == std::string::npos ? log : log.substr(0, at);
}

struct CheckCase {
  const char* name;
  std::function<void(const Installation&)> change;
  std::vector<std::string> arguments;
  std::vector<Edit> edits;
  int exitCode;
  std::string launcherFolder;
  // What the plain run refuses, with check mode's words; empty: it tries
  // to start Java.
  std::string refusal;
};

const std::string kVariantWarning =
    "WARNUNG: QV.memory.maximum (launch.properties, Zeile 5) hat Vorrang vor memory.maximum "
    "(customlaunch.properties, Zeile 1), obwohl dieser Wert sp\xE4ter gelesen wurde: die "
    "K\xFCrzel-Variante gilt immer\n";

std::function<void(const Installation&)> WriteMaximum(const std::string& value) {
  return [value](const Installation& app) {
    app.Write("customlaunch.properties", "memory.maximum=" + value + "\n");
  };
}

// customlaunch.properties says memory.maximum=value, and the check finds it.
std::vector<Edit> MaximumEdits(const std::string& value, const std::string& found,
                               const std::string& counts) {
  return {{"memory.maximum = 512M (customlaunch", "memory.maximum = " + value + " (customlaunch"},
          {"memory.maximum = 512M -> -Xmx512M\n",
           "memory.maximum = " + value + " -> -Xmx" + value + "\n" + found},
          {"-Xmx512M -cp", "-Xmx" + value + " -cp"},
          {kSoundClosing, Closing(counts)}};
}

std::vector<CheckCase> ProblemCases() {
  return {
      {"sound", [](const Installation&) {}, {}, {}, 0, "", ""},
      {"typo in a key",
       [](const Installation& app) {
         app.Write("customlaunch.properties", "memory.maximum=512M\nmemory.maximun=1G\n");
       },
       {},
       {{"memory.maximum = 512M (customlaunch.properties, Zeile 1)\n  ersetzt: 256M "
         "(Voreinstellung)\n",
         "memory.maximum = 512M (customlaunch.properties, Zeile 1)\n  ersetzt: 256M "
         "(Voreinstellung)\nmemory.maximun = 1G (customlaunch.properties, Zeile 2)\n"},
        {"Keine\n",
         "WARNUNG: memory.maximun (customlaunch.properties, Zeile 2) wird vom Launcher nicht "
         "gelesen, gemeint ist wohl memory.maximum\n"},
        {kSoundClosing, Closing("keine Fehler, 1 Warnung")}},
       0,
       "",
       ""},
      {"typo in a parameter",
       [](const Installation&) {},
       {"-launcher.kep=true"},
       {{"Keine\n",
         "WARNUNG: Kommandozeilenparameter -launcher.kep ist dem Launcher unbekannt, gemeint ist "
         "wohl -launcher.keep\n"},
        {kSoundClosing, Closing("keine Fehler, 1 Warnung")}},
       0,
       "",
       ""},
      {"heap size without unit",
       WriteMaximum("1024"),
       {},
       MaximumEdits("1024",
                    "FEHLER: memory.maximum (customlaunch.properties, Zeile 1): -Xmx1024 hat keine "
                    "Einheit: Java liest "
                    "1024 Bytes, gemeint ist wohl 1024M; mit weniger als 2M startet Java nicht\n"
                    "FEHLER: memory.initial (Voreinstellung): -Xms32M ist gr\xF6\xDF"
                    "er als -Xmx1024: so startet Java nicht\n",
                    "2 Fehler, keine Warnungen"),
       1,
       "",
       "memory.maximum (customlaunch.properties, Zeile 1): -Xmx1024 hat keine Einheit: Java liest "
       "1024 Bytes, "
       "gemeint ist wohl 1024M; mit weniger als 2M startet Java nicht\nmemory.initial "
       "(Voreinstellung): -Xms32M ist gr\xF6\xDF"
       "er als -Xmx1024: so startet Java nicht"},
      {"initial heap above the maximum",
       [](const Installation& app) {
         app.Write("customlaunch.properties", "memory.maximum=512M\nmemory.initial=1G\n");
       },
       {},
       {{"memory.initial = 32M (Voreinstellung)\n",
         "memory.initial = 1G (customlaunch.properties, Zeile 2)\n  ersetzt: 32M "
         "(Voreinstellung)\n"},
        {"memory.initial = 32M -> -Xms32M\nmemory.maximum = 512M -> -Xmx512M\n",
         "memory.initial = 1G -> -Xms1G\nmemory.maximum = 512M -> -Xmx512M\nFEHLER: memory.initial "
         "(customlaunch.properties, Zeile 2): -Xms1G ist gr\xF6\xDF"
         "er als -Xmx512M: so startet Java nicht\n"},
        {"-Xms32M -Xmx512M -cp", "-Xms1G -Xmx512M -cp"},
        {"L\xE4nge: 128", "L\xE4nge: 127"},
        {kSoundClosing, Closing("1 Fehler, keine Warnungen")}},
       1,
       "",
       "memory.initial (customlaunch.properties, Zeile 2): -Xms1G ist gr\xF6\xDF"
       "er als -Xmx512M: so startet Java nicht"},
      {"blank in a jvm.parameter path",
       [](const Installation& app) {
         app.Write("customlaunch.properties",
                   "memory.maximum=512M\njvm.parameter=-Djava.library.path=C:\\Program "
                   "Files\\lib\n");
       },
       {},
       {{kMainClassFound, ""},
        {"java64 = jre64 (launch.properties, Zeile 2)\n",
         "java64 = jre64 (launch.properties, Zeile 2)\njvm.parameter = "
         "-Djava.library.path=C:\\Program Files\\lib (customlaunch.properties, Zeile 2)\n"},
        {"64 Bit: jre64\\bin\\javaw.exe -Djava",
         "64 Bit: jre64\\bin\\javaw.exe -Djava.library.path=C:\\Program Files\\lib -Djava"},
        {"L\xE4nge: 128", "L\xE4nge: 169"},
        {"Nullzeichen)\n",
         "Nullzeichen)\nFEHLER: Die Java-Kommandozeile f\xFCr 64 Bit gibt Java den Klassenpfad "
         "oder die Hauptklasse nicht wie gemeint, Java nimmt \"Files\\lib\" als Hauptklasse\n"},
        {kSoundClosing, Closing("1 Fehler, keine Warnungen")}},
       1,
       "",
       "Die Java-Kommandozeile f\xFCr 64 Bit gibt Java den Klassenpfad oder die Hauptklasse nicht "
       "wie gemeint, Java nimmt \"Files\\lib\" als Hauptklasse"},
      {"heap size Java refuses",
       WriteMaximum("1.5G"),
       {},
       MaximumEdits("1.5G",
                    "FEHLER: memory.maximum (customlaunch.properties, Zeile 1): Java nimmt "
                    "-Xmx1.5G nicht an: erlaubt "
                    "ist eine ganze Zahl mit Einheit K, M oder G, etwa 512M\n",
                    "1 Fehler, keine Warnungen"),
       1,
       "",
       "memory.maximum (customlaunch.properties, Zeile 1): Java nimmt -Xmx1.5G nicht an: erlaubt "
       "ist eine ganze "
       "Zahl mit Einheit K, M oder G, etwa 512M"},
      {"blank in a forwarded property",
       [](const Installation& app) {
         app.Write("customlaunch.properties", "memory.maximum=512M\nDclientname=Kasse 3\n");
       },
       {},
       {{kMainClassFound, ""},
        {"ABC = -Dapp=abc app.Main (launch.properties, Zeile 3)\n",
         "ABC = -Dapp=abc app.Main (launch.properties, Zeile 3)\nDclientname = Kasse 3 "
         "(customlaunch.properties, Zeile 2)\n"},
        {"64 Bit: jre64\\bin\\javaw.exe -Djava",
         "64 Bit: jre64\\bin\\javaw.exe -Dclientname=Kasse 3 -Djava"},
        {"L\xE4nge: 128", "L\xE4nge: 149"},
        {"Nullzeichen)\n",
         "Nullzeichen)\nFEHLER: Dclientname (customlaunch.properties, Zeile 2): "
         "\"-Dclientname=Kasse 3\" wird an der Leerstelle geteilt, Anf\xFChrungszeichen fehlen: "
         "Java nimmt \"3\" als Hauptklasse\n"},
        {kSoundClosing, Closing("1 Fehler, keine Warnungen")}},
       1,
       "",
       "Dclientname (customlaunch.properties, Zeile 2): \"-Dclientname=Kasse 3\" wird an der "
       "Leerstelle geteilt, Anf\xFChrungszeichen fehlen: Java nimmt \"3\" als Hauptklasse"},
      {"backslash before a value's closing quote",
       [](const Installation& app) {
         app.Write("customlaunch.properties", "memory.maximum=512M\nDkiv.dir=\"C:\\Daten\\\"\n");
       },
       {},
       {{kMainClassFound, ""},
        {"ABC = -Dapp=abc app.Main (launch.properties, Zeile 3)\n",
         "ABC = -Dapp=abc app.Main (launch.properties, Zeile 3)\nDkiv.dir = \"C:\\Daten\\\" "
         "(customlaunch.properties, Zeile 2)\n"},
        {"-Xmx512M -cp", "-Xmx512M -Dkiv.dir=\"C:\\Daten\\\"  -cp"},
        {"L\xE4nge: 128", "L\xE4nge: 151"},
        {"Nullzeichen)\n",
         "Nullzeichen)\nFEHLER: Dkiv.dir (customlaunch.properties, Zeile 2): "
         "\"-Dkiv.dir=\"C:\\Daten\\\"\" verbindet sich mit den benachbarten Teilen der "
         "Kommandozeile, Java erh\xE4lt \"-Dkiv.dir=C:\\Daten\"  -cp lib\\app.jar;lib\\util.jar "
         "-Dapp=qv app.Main\" (ein Backslash vor einem Anf\xFChrungszeichen macht es zu einem "
         "Zeichen des Werts): Klassenpfad und Hauptklasse gehen verloren\n"},
        {kSoundClosing, Closing("1 Fehler, keine Warnungen")}},
       1,
       "",
       "Dkiv.dir (customlaunch.properties, Zeile 2): \"-Dkiv.dir=\"C:\\Daten\\\"\" verbindet "
       "sich mit den benachbarten Teilen der Kommandozeile, Java erh\xE4lt \"-Dkiv.dir=C:\\Daten\" "
       " -cp lib\\app.jar;lib\\util.jar -Dapp=qv app.Main\" (ein Backslash vor einem "
       "Anf\xFChrungszeichen macht es zu einem Zeichen des Werts): Klassenpfad und Hauptklasse "
       "gehen verloren"},
      {"start value without a main class",
       [](const Installation& app) {
         app.Write("customlaunch.properties", "memory.maximum=512M\nQV=-Dapp=qv\n");
       },
       {},
       {{kMainClassFound, ""},
        {"QV = -Dapp=qv app.Main (launch.properties, Zeile 4)\n",
         "QV = -Dapp=qv (customlaunch.properties, Zeile 2)\n  ersetzt: -Dapp=qv app.Main "
         "(launch.properties, Zeile 4)\n"},
        {"-Dapp=qv app.Main\n", "-Dapp=qv\n"},
        {"L\xE4nge: 128", "L\xE4nge: 119"},
        {"Nullzeichen)\n",
         "Nullzeichen)\nFEHLER: QV (customlaunch.properties, Zeile 2): \"-Dapp=qv\" nennt keine "
         "Hauptklasse, nur Optionen: so startet Java nicht\n"},
        {kSoundClosing, Closing("1 Fehler, keine Warnungen")}},
       1,
       "",
       "QV (customlaunch.properties, Zeile 2): \"-Dapp=qv\" nennt keine Hauptklasse, nur "
       "Optionen: so startet Java nicht"},
      {"main class in no jar",
       [](const Installation& app) { app.Write("lib/app.jar", zip_bytes::Zip({})); },
       {},
       {{kMainClassFound,
         "FEHLER: Die Hauptklasse app.Main steht in keinem der 2 Eintr\344ge: "
         "lib\\app.jar, lib\\util.jar\n"},
        {kSoundClosing, Closing("1 Fehler, keine Warnungen")}},
       1,
       "",
       ""},
      {"the main class's jar cut in half",
       [](const Installation& app) {
         std::string jar = zip_bytes::Zip({zip_bytes::kMainClass});
         app.Write("lib/app.jar", jar.substr(0, jar.size() / 2));
       },
       {},
       {{kMainClassFound,
         "FEHLER: lib\\app.jar (65 Bytes): abgeschnitten, f\374r Java unlesbar. Die "
         "Hauptklasse app.Main steht in keinem anderen Eintrag\n"},
        {kSoundClosing, Closing("1 Fehler, keine Warnungen")}},
       1,
       "",
       ""},
      {"an empty jar beside the main class",
       [](const Installation& app) { app.Write("lib/util.jar", ""); },
       {},
       {{kMainClassFound,
         "WARNUNG: lib\\util.jar (0 Bytes): kein ZIP-Archiv, f\374r Java unlesbar\n" +
             std::string(kMainClassFound)},
        {kSoundClosing, Closing("keine Fehler, 1 Warnung")}},
       0,
       "",
       ""},
      {"main class not in the jars read",
       [](const Installation& app) {
         app.Write("lib/app.jar", zip_bytes::Zip({}));
         std::remove(app.Path("lib/util.jar").c_str());
       },
       {},
       {{"classpath.default: lib\\util.jar ist vorhanden\n" + std::string(kMainClassFound),
         "WARNUNG: classpath.default: lib\\util.jar fehlt\nWARNUNG: Die Hauptklasse app.Main "
         "steht in keinem lesbaren Eintrag, nicht gelesen: lib\\util.jar (fehlt)\n"},
        {kSoundClosing, Closing("keine Fehler, 2 Warnungen")}},
       0,
       "",
       ""},
      {"a start value with -jar",
       [](const Installation& app) {
         app.Write("customlaunch.properties", "memory.maximum=512M\nQV=-jar lib\\app.jar\n");
       },
       {},
       {{kMainClassFound, "Hauptklasse: nicht gesucht (-jar, --module oder @DATEI)\n"},
        {"QV = -Dapp=qv app.Main (launch.properties, Zeile 4)\n",
         "QV = -jar lib\\app.jar (customlaunch.properties, Zeile 2)\n  ersetzt: -Dapp=qv "
         "app.Main (launch.properties, Zeile 4)\n"},
        {"-Dapp=qv app.Main\n", "-jar lib\\app.jar\n"},
        {"L\xE4nge: 128", "L\xE4nge: 127"}},
       0,
       "",
       ""},
      {"java64 naming javaw.exe itself",
       [](const Installation& app) {
         app.Write("launch.properties",
                   std::string(kLaunchProperties) + "java64=jre64\\bin\\javaw.exe\n");
       },
       {},
       {{"java64 = jre64 (launch.properties, Zeile 2)\n",
         "java64 = jre64\\bin\\javaw.exe (launch.properties, Zeile 5)\n  ersetzt: jre64 "
         "(launch.properties, Zeile 2)\n"},
        {"Gew\xE4hlt: java64=jre64\njre64\\bin\\javaw.exe ist vorhanden\nBitbreite laut PE-Kopf: "
         "64 Bit\nKeine release-Datei: jre64\\release fehlt\n",
         "Gew\xE4hlt: java64=jre64\\bin\\javaw.exe\nWARNUNG: java64 nennt die Datei "
         "jre64\\bin\\javaw.exe, erwartet wird der Java-Ordner (ohne \\bin\\javaw.exe)\n"},
        {"64 Bit: jre64\\bin\\javaw.exe", "64 Bit: jre64\\bin\\javaw.exe\\bin\\javaw.exe"},
        {"L\xE4nge: 128", "L\xE4nge: 142"},
        {"\n=== Einstellungen",
         "FEHLER: Der Start w\xFCrde abgebrochen: Das 64-Bit-Java wurde entweder nicht angegeben "
         "oder konnte nicht gestartet werden und es wurde kein Parameter \"java\" definiert!\n"
         "java64 nennt die Datei jre64\\bin\\javaw.exe, erwartet wird der Java-Ordner (ohne "
         "\\bin\\javaw.exe)\n"
         "\n=== Einstellungen"},
        {kSoundClosing, Closing("1 Fehler, 1 Warnung")}},
       1,
       "",
       ""},
      {"java64 leading to a 32-bit Java",
       [](const Installation& app) { app.Write("jre64/bin/javaw.exe", PeStub(0x14C)); },
       {},
       {{"Bitbreite laut PE-Kopf: 64 Bit\n",
         "Bitbreite laut PE-Kopf: 32 Bit\nWARNUNG: java64 f\xFChrt zu einem 32-Bit-Java, "
         "erwartet wird ein 64-Bit-Java\n"},
        {kSoundClosing, Closing("keine Fehler, 1 Warnung")}},
       0,
       "",
       ""},
      {"start-key variant beating a later plain key",
       [](const Installation& app) {
         app.Write("launch.properties", std::string(kLaunchProperties) + "QV.memory.maximum=1G\n");
       },
       {},
       {{"QV = -Dapp=qv app.Main (launch.properties, Zeile 4)\n",
         "QV = -Dapp=qv app.Main (launch.properties, Zeile 4)\nQV.memory.maximum = 1G "
         "(launch.properties, Zeile 5)\n"},
        {"  ersetzt: 256M (Voreinstellung)\n",
         "  ersetzt: 256M (Voreinstellung)\n  gilt nicht f\xFCr K\xFCrzel QV: QV.memory.maximum "
         "hat Vorrang\n" +
             kVariantWarning},
        {"memory.maximum = 512M -> -Xmx512M", "QV.memory.maximum = 1G -> -Xmx1G"},
        {"-Xmx512M -cp", "-Xmx1G -cp"},
        {"L\xE4nge: 128", "L\xE4nge: 126"},
        {kSoundClosing, Closing("keine Fehler, 1 Warnung")}},
       0,
       "",
       ""},
      {"missing jar",
       [](const Installation& app) { std::remove(app.Path("lib/util.jar").c_str()); },
       {},
       {{"classpath.default: lib\\util.jar ist vorhanden\n",
         "WARNUNG: classpath.default: lib\\util.jar fehlt\n"},
        {kSoundClosing, Closing("keine Fehler, 1 Warnung")}},
       0,
       "",
       ""},
      {"every jar missing",
       [](const Installation& app) {
         std::remove(app.Path("lib/app.jar").c_str());
         std::remove(app.Path("lib/util.jar").c_str());
       },
       {},
       {{"classpath.default: lib\\app.jar ist vorhanden\nclasspath.default: lib\\util.jar ist "
         "vorhanden\nDie Hauptklasse app.Main steht in lib\\app.jar\n",
         "FEHLER: classpath.default: lib\\app.jar fehlt\nFEHLER: classpath.default: "
         "lib\\util.jar fehlt\n"},
        {kSoundClosing, Closing("2 Fehler, keine Warnungen")}},
       1,
       "",
       ""},
      {"working directory not the launcher's",
       [](const Installation& app) { app.AddLauncher("bin"); },
       {},
       {{"Ordner des Launchers: <DIR>\n",
         "Ordner des Launchers: <DIR>\\bin\nWARNUNG: Das Arbeitsverzeichnis ist nicht der Ordner "
         "des Launchers: Protokoll, properties-Dateien und relative Pfade gelten vom "
         "Arbeitsverzeichnis aus (Abhilfe: -launcher.cwd=true)\n"},
        {kSoundClosing, Closing("keine Fehler, 1 Warnung")}},
       0,
       "bin",
       ""},
      {"maintenance",
       [](const Installation& app) { app.Write("InWartung.txt", ""); },
       {},
       {{"\n=== Einstellungen",
         "FEHLER: Der Start w\xFCrde abgebrochen: Das Programm ist im Wartungsmodus und kann "
         "daher nicht gestartet werden.\nBitte versuchen Sie es sp\xE4ter noch einmal.\n"
         "\n=== Einstellungen"},
        {"=== Java-Kommandozeile ===\n64 Bit: jre64\\bin\\javaw.exe -Djava.util.Arrays."
         "useLegacyMergeSort=true -Xms32M -Xmx512M -cp \"lib\\app.jar;lib\\util.jar\" -Dapp=qv "
         "app.Main\nL\xE4nge: 128 von h\xF6"
         "chstens 32767 Zeichen (mit abschlie\xDF"
         "endem Nullzeichen)\n",
         "=== Java-Kommandozeile ===\nEs wurde keine Java-Kommandozeile gebildet\n"},
        {"InWartung.txt: nicht vorhanden", "InWartung.txt: vorhanden, der Start wird abgelehnt"},
        {"-Xmx512M\n\n",
         "-Xmx512M\n\n=== Speicher 32 Bit ===\nmemory.initial = 32M -> -Xms32M\n"
         "memory.maximum = 512M -> -Xmx512M\n\n"},
        {kSoundClosing, Closing("1 Fehler, keine Warnungen")}},
       1,
       "",
       ""},
  };
}

TEST(CheckMode, EachProblemIsFoundAndThePlainRunLogsAsBefore) {
  for (const CheckCase& c : ProblemCases()) {
    SCOPED_TRACE(c.name);
    Installation app;
    MakeSound(app);
    c.change(app);
    std::vector<std::string> arguments = c.arguments;
    arguments.push_back(kCheck);
    RunResult check = app.Run(arguments, c.launcherFolder);
    std::string checkLog = app.NormalizedLog();
    EXPECT_EQ(check.exitCode, c.exitCode);
    EXPECT_EQ(check.standardOutput, "");
    EXPECT_EQ(Section(checkLog), Crlf(Edited(c.edits)));

    app.Run(c.arguments, c.launcherFolder);
    std::string plainLog = app.NormalizedLog();
    EXPECT_EQ(plainLog.find("Pr\xFC"
                            "fung"),
              std::string::npos);
    std::string before = BeforeJavaStart(plainLog);
    EXPECT_EQ(WithoutSwitch(checkLog).substr(0, before.size()), before);
    // The stand-in Java cannot be started either: only a refusal names no
    // command line where Windows' failure would.
    const std::string frame =
        Crlf("=== Startfehler Start ===\nJava konnte nicht aufgerufen werden:\n");
    size_t failure = plainLog.find(frame);
    std::string reason =
        failure == std::string::npos ? "" : plainLog.substr(failure + frame.size());
    if (!c.refusal.empty()) {
      std::string expected = Crlf(c.refusal + "\n");
      EXPECT_EQ(reason.substr(0, expected.size()), expected);
    } else if (failure != std::string::npos) {
      EXPECT_EQ(reason.substr(0, 5), "jre64");
    }
  }
}

const std::string kSoundSummary =
    "Pr\xFC"
    "fung beendet: keine Fehler, keine Warnungen";

TEST(CheckModeService, TheCheckLineIsTheOnlyOutput) {
  struct Case {
    const char* name;
    bool maintenance;
    std::string counts;
    std::string firstError;
    int exitCode;
  };
  const Case cases[] = {
      {"sound", false, "keine Fehler, keine Warnungen", "", 0},
      {"maintenance", true, "1 Fehler, keine Warnungen",
       "; erster Fehler: Der Start w\xFCrde abgebrochen: Das Programm ist im Wartungsmodus und "
       "kann daher nicht gestartet werden. Bitte versuchen Sie es sp\xE4ter noch einmal.",
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Installation app;
    MakeSound(app);
    if (c.maintenance) app.Write("InWartung.txt", "");
    RunResult result = app.Run({"-launcher.service=true", kCheck});
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(app.Normalized(result.standardOutput),
              "check:Pr\xFC"
              "fung beendet: " +
                  c.counts + c.firstError + "; Protokoll: <DIR>\\KivLaunch.log");
    EXPECT_NE(app.NormalizedLog().find(Crlf(Closing(c.counts))), std::string::npos);
  }
}

// The stand-in's message box is a line on standard error.
TEST(CheckModeMessage, CountsAndLogPathComeFirst) {
  if (WindowsLauncher()) GTEST_SKIP() << "the stand-in's message box only";
  Installation app;
  MakeSound(app);
  std::remove(app.Path("lib/util.jar").c_str());
  RunResult result = app.Run({kCheck});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(app.Normalized(result.standardError),
            "KivLauncher Pr\xFC"
            "fung: Pr\xFC"
            "fung beendet: keine Fehler, 1 Warnung\n"
            "Protokoll: <DIR>\\KivLaunch.log\n"
            "\n"
            "WARNUNG: classpath.default: lib\\util.jar fehlt\n");
}

// A folder of copies whose ready copy is sound, apart from maintenance.
void AddSoundCopy(const Installation& copies, bool maintenance) {
  const std::string anwendung = "3.2.0.15/Anwendung";
  copies.AddLauncher();
  copies.Write("3.2.0.15/Bereit.txt", "");
  copies.AddLauncher(anwendung);
  copies.Write(anwendung + "/launch.properties", kLaunchProperties);
  copies.Write(anwendung + "/customlaunch.properties", kCustomLaunchProperties);
  copies.Write(anwendung + "/lib/app.jar", zip_bytes::Zip({zip_bytes::kMainClass}));
  copies.Write(anwendung + "/lib/util.jar", zip_bytes::Zip({}));
  copies.Write(anwendung + "/jre64/bin/javaw.exe", PeStub(0x8664));
  if (maintenance) copies.Write(anwendung + "/InWartung.txt", "");
}

TEST(CheckModeHandOver, TheChildChecksItsOwnCopyAndDecidesTheExitCode) {
  struct Case {
    const char* name;
    bool service, maintenance;
    std::string counts, output;
    int exitCode;
  };
  const std::string path = "; Protokoll: <DIR>\\3.2.0.15\\Anwendung\\KivLaunch.log";
  const Case cases[] = {
      {"service", true, false, "keine Fehler, keine Warnungen", "check:" + kSoundSummary + path, 0},
      {"child finds an error", false, true, "1 Fehler, keine Warnungen", "", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Installation copies;
    AddSoundCopy(copies, c.maintenance);
    std::vector<std::string> arguments = {kCheck};
    if (c.service) arguments.insert(arguments.begin(), "-launcher.service=true");
    RunResult result = copies.Run(arguments);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(copies.Normalized(result.standardOutput), c.output);
    EXPECT_EQ(Section(copies.NormalizedLog()), "");
    EXPECT_NE(copies.NormalizedLog("3.2.0.15/Anwendung").find(Crlf(Closing(c.counts))),
              std::string::npos);
  }
}

}  // namespace
}  // namespace e2e
