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
  std::map<std::string, std::string> settings;
  std::string startValue;
  // Every refusal, a line each; empty: Java is started.
  std::string refusal;
  int errors, warnings;
};

const char kRequired[] = ": so startet Java nicht";

std::vector<Case> Cases() {
  const std::string maximum = "memory.maximum";
  const std::string initial = "memory.initial";
  return {
      {"sound", {}, "-Dapp=qv app.Main", "", 0, 0},
      {"quoted blank", {{"Dkiv.x", "\"a b\""}}, "app.Main", "", 0, 0},
      // What Java's launcher is certain to refuse.
      {"start value with options only",
       {},
       "-Dapp=qv",
       "QV: \"-Dapp=qv\" nennt keine Hauptklasse, nur Optionen" + std::string(kRequired),
       1,
       0},
      {"bare word before the main class",
       {{"Dclientname", "Kasse 3"}},
       "app.Main",
       "Dclientname: \"-Dclientname=Kasse 3\" wird an der Leerstelle geteilt, "
       "Anf\xFChrungszeichen fehlen: Java nimmt \"3\" als Hauptklasse",
       1,
       0},
      {"unclosed quote",
       {{"Dkiv.dir", "\"C:\\Daten\\\""}},
       "app.Main",
       "Dkiv.dir: \"-Dkiv.dir=\"C:\\Daten\\\"\" verbindet sich mit den benachbarten Teilen der "
       "Kommandozeile, Java erh\xE4lt \"-Dkiv.dir=C:\\Daten\"  -cp lib\\app.jar app.Main\" (ein "
       "Backslash vor einem Anf\xFChrungszeichen macht es zu einem Zeichen des Werts): "
       "Klassenpfad und Hauptklasse gehen verloren",
       1,
       0},
      {"blank in a jvm.parameter path",
       {{"jvm.parameter", "-Djava.library.path=C:\\Program Files\\lib"}},
       "app.Main",
       "Die Java-Kommandozeile f\xFCr 64 Bit gibt Java den Klassenpfad oder die Hauptklasse "
       "nicht wie gemeint, Java nimmt \"Files\\lib\" als Hauptklasse",
       1,
       0},
      {"heap text Java refuses",
       {{maximum, "1.5G"}},
       "app.Main",
       "memory.maximum: Java nimmt -Xmx1.5G nicht an: erlaubt ist eine ganze Zahl mit Einheit K, "
       "M oder G, etwa 512M",
       1,
       0},
      {"negative initial heap",
       {{initial, "-5M"}},
       "app.Main",
       "memory.initial: Java nimmt -Xms-5M nicht an: erlaubt ist eine ganze Zahl mit Einheit K, "
       "M oder G, etwa 512M",
       1,
       0},
      {"maximum in bytes, below Java's minimum",
       {{maximum, "1024"}},
       "app.Main",
       "memory.maximum: -Xmx1024 hat keine Einheit: Java liest 1024 Bytes, gemeint ist wohl "
       "1024M; mit weniger als 2M startet Java nicht\nmemory.initial (Voreinstellung): -Xms32M ist "
       "gr\xF6\xDF"
       "er als -Xmx1024" +
           std::string(kRequired),
       2,
       0},
      {"maximum below Java's minimum",
       {{initial, "1M"}, {maximum, "1M"}},
       "app.Main",
       "memory.maximum: -Xmx1M ist kleiner als 2M" + std::string(kRequired),
       1,
       0},
      {"initial below Java's minimum",
       {{initial, "512K"}},
       "app.Main",
       "memory.initial: -Xms512K ist kleiner als 1M" + std::string(kRequired),
       1,
       0},
      {"initial above maximum",
       {{initial, "1G"}, {maximum, "512M"}},
       "app.Main",
       "memory.initial: -Xms1G ist gr\xF6\xDF"
       "er als -Xmx512M" +
           std::string(kRequired),
       1,
       0},
      {"the last -Xmx counts", {{"jvm.parameter", "-Xmx1024"}}, "app.Main", "", 0, 0},
      // Java may survive it, or its launcher's reading is not certain.
      {"one more option", {{"jvm.parameter.a", "-Da=1 -Db=2"}}, "app.Main", "", 0, 1},
      {"escaped quote", {{"Dkiv.x", "a\\\"b"}}, "app.Main", "", 0, 1},
      {"bare word that can name a class", {{"Dclientname", "Kasse Drei"}}, "app.Main", "", 1, 0},
      {"heap size Java may fail to reserve", {{maximum, "512T"}}, "app.Main", "", 0, 0},
      {"initial size zero", {{initial, "0"}}, "app.Main", "", 0, 0},
      {"bytes Java takes", {{maximum, "536870912"}}, "app.Main", "", 0, 1},
      {"argument file", {{maximum, "1.5G"}}, "@app.args", "", 1, 0},
      {"jar", {}, "-jar app.jar", "", 0, 0},
      {"module", {}, "--module app/app.Main", "", 0, 0},
      {"source file", {}, "--source 17 App.java", "", 0, 0},
      {"options with a separate value",
       {{"jvm.parameter", "--add-opens java.base/java.lang=ALL-UNNAMED -p mods"}},
       "app.Main",
       "",
       0,
       0},
      {"the launcher ends without a main class",
       {{"jvm.parameter", "-version"}},
       "-Dapp=qv",
       "",
       1,
       0},
      {"heap set by a later option",
       {{maximum, "1024"}, {"jvm.parameter", "-XX:MaxHeapSize=1g"}},
       "app.Main",
       "",
       0,
       2},
  };
}

// The findings of a 64-bit attempt's command line.
std::vector<LaunchFinding> Findings(const std::map<std::string, std::string>& entries,
                                    const std::string& startValue) {
  Settings settings = InitialSettings();
  for (const auto& [key, value] : entries) settings.Set(key, value);
  LaunchInputs inputs;
  inputs.startKey = "QV";
  inputs.startValue = startValue;
  inputs.classpath.classpathDefault = "lib\\app.jar";
  JavaAttempt attempt;
  attempt.choice.home = "C:\\Java";
  attempt.is64Bit = true;
  BuildJavaCommandLine(attempt.choice.home, true, settings, inputs, &attempt);
  return ReadLaunchFindings(attempt);
}

void Count(const std::vector<LaunchFinding>& findings, int* errors, int* warnings) {
  *errors = *warnings = 0;
  for (const LaunchFinding& finding : findings) {
    ++*(finding.severity == Severity::kWarning ? warnings : errors);
  }
}

TEST(ReadLaunchFindings, RefusesOnlyWhatJavasLauncherIsCertainToRefuse) {
  for (const Case& c : Cases()) {
    fake::Reset();
    std::vector<LaunchFinding> findings = Findings(c.settings, c.startValue);
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
  std::vector<LaunchFinding> findings = Findings({{"memory.maximum", "1024"}}, "app.Main");
  EXPECT_EQ(RefusalText(findings), "");
  int errors, warnings;
  Count(findings, &errors, &warnings);
  EXPECT_EQ(errors, 0);
  EXPECT_EQ(warnings, 2);
}

}  // namespace
