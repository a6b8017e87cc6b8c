// What the plan reads from a Java command line as Java's launcher does:
// the refusals the start makes, and the findings that only check mode
// shows because Java might survive them.

#include "jvm/launch_findings.h"

#include <gtest/gtest.h>

#include "jvm/heap_size.h"
#include "tests/fake_platform.h"

namespace {

using Severity = LaunchFinding::Severity;

TEST(ReadJavaHeapSize, AsJavaReadsTheSizeAfterXmsAndXmx) {
  struct Case {
    const char* text;
    bool maximum, accepted;
    unsigned long long bytes;
  };
  const Case cases[] = {
      {"512M", true, true, 512ULL << 20},
      {"2t", true, true, 2ULL << 40},
      {"1024", true, true, 1024},
      {"0", false, true, 0},
      {"0", true, false, 0},
      {"1.5G", true, false, 0},
      {"-5M", false, false, 0},
      {"12abcM", true, false, 0},
      {"5MB", true, false, 0},
      {"", true, false, 0},
      {"M", true, false, 0},
      {"17179869184G", true, false, 0},
      {"18446744073709551615", true, true, 18446744073709551615ULL},
      {"18446744073709551616", true, false, 0},
  };
  for (const Case& c : cases) {
    JavaHeapSize size = ReadJavaHeapSize(c.text, c.maximum);
    EXPECT_EQ(size.accepted, c.accepted) << c.text;
    if (c.accepted) EXPECT_EQ(size.bytes, c.bytes) << c.text;
  }
}

struct Case {
  const char* name;
  // Between the program and the launcher's heap options.
  std::string jvmOptions;
  std::string heap;
  std::string startValue;
  std::vector<MeantPiece> pieces;
  // Every refusal, a line each; empty: Java is started.
  std::string refusal;
  int errors, warnings;
};

const char kRequired[] = ": so startet Java nicht";

std::vector<Case> Cases() {
  return {
      {"sound", "", " -Xms32M -Xmx512M", "-Dapp=qv app.Main", {}, "", 0, 0},
      // What Java's launcher is certain to refuse.
      {"start value with options only",
       "",
       " -Xms32M -Xmx512M",
       "-Dapp=qv",
       {},
       "QV: \"-Dapp=qv\" nennt keine Hauptklasse, nur Optionen" + std::string(kRequired),
       1,
       0},
      {"bare word before the main class",
       " -Dclientname=Kasse 3",
       " -Xms32M -Xmx512M",
       "app.Main",
       {{"Dclientname", "-Dclientname=Kasse 3"}},
       "Dclientname: \"-Dclientname=Kasse 3\" wird an der Leerstelle geteilt, "
       "Anf\xFChrungszeichen fehlen: Java nimmt \"3\" als Hauptklasse",
       1,
       0},
      {"unclosed quote",
       " -Dkiv.dir=\"C:\\Daten\\\" ",
       " -Xms32M -Xmx512M",
       "app.Main",
       {{"Dkiv.dir", "-Dkiv.dir=\"C:\\Daten\\\""}},
       "Dkiv.dir: \"-Dkiv.dir=\"C:\\Daten\\\"\" verbindet sich mit den benachbarten Teilen der "
       "Kommandozeile, Java erh\xE4lt \"-Dkiv.dir=C:\\Daten\"  -Xms32M -Xmx512M -cp lib\\app.jar "
       "app.Main\" (ein Backslash vor einem Anf\xFChrungszeichen macht es zu einem Zeichen des "
       "Werts): Klassenpfad und Hauptklasse gehen verloren",
       1,
       0},
      {"blank in a jvm.parameter path",
       " -Djava.library.path=C:\\Program Files\\lib",
       " -Xms32M -Xmx512M",
       "app.Main",
       {},
       "Die Java-Kommandozeile f\xFCr 64 Bit gibt Java den Klassenpfad oder die Hauptklasse "
       "nicht wie gemeint, Java nimmt \"Files\\lib\" als Hauptklasse",
       1,
       0},
      {"heap text Java refuses",
       "",
       " -Xms32M -Xmx1.5G",
       "app.Main",
       {},
       "memory.maximum (Voreinstellung): Java nimmt -Xmx1.5G nicht an: erlaubt ist eine ganze Zahl "
       "mit Einheit K, M oder G, etwa "
       "512M",
       1,
       0},
      {"negative initial heap",
       "",
       " -Xms-5M -Xmx512M",
       "app.Main",
       {},
       "memory.initial (Voreinstellung): Java nimmt -Xms-5M nicht an: erlaubt ist eine ganze Zahl "
       "mit Einheit K, M oder G, etwa "
       "512M",
       1,
       0},
      {"maximum in bytes, below Java's minimum",
       "",
       " -Xms32M -Xmx1024",
       "app.Main",
       {},
       "memory.maximum (Voreinstellung): -Xmx1024 hat keine Einheit: Java liest 1024 Bytes, "
       "gemeint ist wohl 1024M; mit weniger "
       "als 2M startet Java nicht\nmemory.initial (Voreinstellung): -Xms32M ist gr\xF6\xDF"
       "er als -Xmx1024" +
           std::string(kRequired),
       2,
       0},
      {"maximum below Java's minimum",
       "",
       " -Xms1M -Xmx1M",
       "app.Main",
       {},
       "memory.maximum (Voreinstellung): -Xmx1M ist kleiner als 2M" + std::string(kRequired),
       1,
       0},
      {"initial below Java's minimum",
       "",
       " -Xms512K -Xmx512M",
       "app.Main",
       {},
       "memory.initial (Voreinstellung): -Xms512K ist kleiner als 1M" + std::string(kRequired),
       1,
       0},
      {"initial above maximum",
       "",
       " -Xms1G -Xmx512M",
       "app.Main",
       {},
       "memory.initial (Voreinstellung): -Xms1G ist gr\xF6\xDF"
       "er als -Xmx512M" +
           std::string(kRequired),
       1,
       0},
      {"the last -Xmx counts", " -Xmx1024", " -Xms32M -Xmx512M", "app.Main", {}, "", 0, 0},
      // Java may survive it, or its launcher's reading is not certain.
      {"bare word that can name a class",
       " -Dclientname=Kasse Drei",
       " -Xms32M -Xmx512M",
       "app.Main",
       {{"Dclientname", "-Dclientname=Kasse Drei"}},
       "",
       1,
       0},
      {"heap size Java may fail to reserve", "", " -Xms32M -Xmx512T", "app.Main", {}, "", 0, 0},
      {"initial size zero", "", " -Xms0 -Xmx512M", "app.Main", {}, "", 0, 0},
      {"bytes Java takes", "", " -Xms32M -Xmx536870912", "app.Main", {}, "", 0, 1},
      {"argument file", "", " -Xms32M -Xmx1.5G", "@app.args", {}, "", 1, 0},
      {"jar", "", " -Xms32M -Xmx512M", "-jar app.jar", {}, "", 0, 0},
      {"module", "", " -Xms32M -Xmx512M", "--module app/app.Main", {}, "", 0, 0},
      {"source file", "", " -Xms32M -Xmx512M", "--source 17 App.java", {}, "", 0, 0},
      {"options with a separate value",
       " --add-opens java.base/java.lang=ALL-UNNAMED -p mods",
       " -Xms32M -Xmx512M",
       "app.Main",
       {},
       "",
       0,
       0},
      {"the launcher ends without a main class",
       " -version",
       " -Xms32M -Xmx512M",
       "-Dapp=qv",
       {},
       "",
       1,
       0},
      {"heap set by a later option",
       "",
       " -Xms32M -Xmx1024 -XX:MaxHeapSize=1g",
       "app.Main",
       {},
       "",
       0,
       2},
  };
}

std::string CommandLine(const Case& c) {
  return "jre64\\bin\\javaw.exe" + c.jvmOptions + c.heap + " -cp \"lib\\app.jar\" " + c.startValue;
}

void Count(const std::vector<LaunchFinding>& findings, int* errors, int* warnings) {
  *errors = *warnings = 0;
  for (const LaunchFinding& finding : findings) {
    ++*(finding.severity == Severity::kWarning ? warnings : errors);
  }
}

TEST(ReadLaunchFindings, RefusesOnlyWhatJavasLauncherIsCertainToRefuse) {
  Settings settings = InitialSettings();
  const std::string startKey = "QV";
  for (const Case& c : Cases()) {
    fake::Reset();
    std::string line = CommandLine(c);
    // Each piece stands right after the program.
    std::vector<MeantPiece> pieces = c.pieces;
    for (MeantPiece& piece : pieces) piece.begin = sizeof "jre64\\bin\\javaw.exe";
    std::vector<LaunchFinding> findings =
        ReadLaunchFindings({line, true, pieces, settings, startKey, c.startValue});
    EXPECT_EQ(RefusalText(findings), c.refusal) << c.name;
    int errors, warnings;
    Count(findings, &errors, &warnings);
    EXPECT_EQ(errors, c.errors) << c.name;
    EXPECT_EQ(warnings, c.warnings) << c.name;
  }
}

// _JAVA_OPTIONS comes after the command line and may set the heap anew.
TEST(ReadLaunchFindings, HeapSizesFromTheEnvironmentMakeSizeFaultsWarnings) {
  fake::Reset();
  fake::Get().environment["_JAVA_OPTIONS"] = "-Xmx1g";
  Settings settings = InitialSettings();
  std::string line = "javaw.exe -Xms32M -Xmx1024 -cp \"lib\\app.jar\" app.Main";
  std::vector<LaunchFinding> findings =
      ReadLaunchFindings({line, true, {}, settings, "QV", "app.Main"});
  EXPECT_EQ(RefusalText(findings), "");
  int errors, warnings;
  Count(findings, &errors, &warnings);
  EXPECT_EQ(errors, 0);
  EXPECT_EQ(warnings, 2);
}

}  // namespace
