// Java selection, heap sizes, JVM parameters and the assembled command line.

#include <gtest/gtest.h>

#include "jvm/heap_size.h"
#include "jvm/java_attempt.h"
#include "jvm/java_selection.h"
#include "report/error_report.h"
#include "settings/text.h"
#include "tests/unit/test_log.h"

namespace {

TEST(MatchWildcard, StarAndQuestionMark) {
  struct Case {
    std::string pattern, text;
    bool matches;
  };
  const Case cases[] = {
      {"PC-*", "PC-07", true},
      {"PC*", "PC07", true},
      {"PC07", "PC07", true},
      {"?", "A", true},
      {"?", "AB", false},
      {"?", "", false},
      {"*", "ANYTHING", true},
      {"*", "", true},
      {"", "", true},
      {"", "A", false},
      {"PC-07X", "PC-07", false},
      {"P?-0?", "PC-07", true},
      {"*07", "PC-07", true},
      {"*08", "PC-07", false},
      {"A*B*C", "AXXBYYC", true},
      {"A*B*C", "AXXBYY", false},
      {"**", "X", true},
      {"*?*", "", false},
      {"*A", "AAAA", true},
      {"A*A", "A", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchWildcard(c.pattern, c.text, 0, 0), c.matches) << c.pattern << " / " << c.text;
  }
}

// Forty stars against a name that cannot match must answer at once.
TEST(MatchWildcard, ManyStarsStayFast) {
  EXPECT_FALSE(MatchWildcard(std::string(40, '*') + "X", "ABCDEFGHIJKLMNO", 0, 0));
  EXPECT_TRUE(MatchWildcard(std::string(40, '*'), "ABCDEFGHIJKLMNO", 0, 0));
}

struct HeapCase {
  std::string value;
  bool is64Bit;
  std::string result;
  std::string logged;
};

TEST(DecideHeapSize, CapsThirtyTwoBitValues) {
  const std::string keep = " Bytes -> Wird nicht reduziert, da von 32 Bit noch unterstuetzt\n";
  const std::string cap =
      " Bytes -> Wird reduziert auf 768M, da von 32 Bit nicht mehr unterstuetzt\n";
  const std::string name = "Speicherparameter \"memory.maximum\" betraegt ";
  const HeapCase cases[] = {
      {"4G", true, "4G", ""},
      {"", false, "", ""},
      {"", true, "", ""},
      {"768m", false, "768m", name + "805306368" + keep},
      {"769M", false, "768M", name + "806354944" + cap},
      {"1G", false, "768M", name + "1073741824" + cap},
      {"786433K", false, "768M", name + "805307392" + cap},
      {"786432K", false, "786432K", name + "805306368" + keep},
      {"536870912", false, "536870912", name + "536870912" + keep},
      {"1073741824", false, "768M", name + "1073741824" + cap},
      {"0M", false, "768M", name + "0" + cap},
      {"-5M", false, "768M", name + "-5242880" + cap},
      {"0.5G", false, "768M", name + "0" + cap},
      {"12abcM", false, "12abcM", name + "12582912" + keep},
      {" +1m", false, " +1m", name + "1048576" + keep},
      {"512T", false, "768M",
       "Speicherparameter \"memory.maximum\" hat unbekannte Einheit \"T\" -> Wird reduziert auf "
       "768M wegen 32 Bit\n"},
      {"99999999999M", false, "768M", name + "2251799812636672" + cap},
      {"-99999999999", false, "768M", name + "-2147483648" + cap},
      {"M", false, "768M", name + "0" + cap},
  };
  for (const HeapCase& c : cases) {
    HeapDecision decision = DecideHeapSize("memory.maximum", c.is64Bit, c.value);
    EXPECT_EQ(decision.value, c.result) << c.value;
    EXPECT_EQ(decision.logLine.empty() ? "" : decision.logLine + "\n", c.logged) << c.value;
  }
}

Settings Make(const std::map<std::string, std::string>& entries) {
  Settings settings;
  settings.entries = entries;
  return settings;
}

TEST(BuildJvmParameters, StartKeyVariantsAndDefault) {
  const std::string legacy = "-Djava.util.Arrays.useLegacyMergeSort=true";
  struct Case {
    std::map<std::string, std::string> settings;
    std::string result;
  };
  const Case cases[] = {
      {{}, legacy},
      {{{"start", "abc"},
        {"jvm.parameter", "-Xss4m -Dfoo=1"},
        {"jvm.parameter.a", "-Da=1"},
        {"jvm.parameter.b", "-Db=2 -Dc=3"},
        {"ABC.jvm.parameter.a", "-Da=2"}},
       "-Xss4m -Dfoo=1 -Da=2 -Db=2 -Dc=3 " + legacy},
      {{{"start", "abc"}, {"abc.jvm.parameter.x", "-Dx"}}, legacy},
      {{{"start", "abc"}, {"jvm.parameter", "-A"}, {"ABC.jvm.parameter", "-B"}}, "-B " + legacy},
      {{{"jvm.parameter.10", "-D10"}, {"jvm.parameter.2", "-D2"}, {"jvm.parameter.Z", "-DZ"}},
       "-D10 -D2 -DZ " + legacy},
      {{{"jvm.parameter", legacy + " -X"}}, legacy + " -X"},
      {{{"jvm.parameter", "-Djava.util.Arrays.useLegacyMergeSort=false"}},
       "-Djava.util.Arrays.useLegacyMergeSort=false " + legacy},
      {{{"jvm.parameter.x", "-Xmx1g " + legacy}}, "-Xmx1g " + legacy + " " + legacy},
      {{{"jvm.parameter", " -A  -B "}}, " -A  -B " + legacy},
      {{{"jvm.parameter.", "-E"}, {"jvm.parameter.a", "-A"}}, "-E -A " + legacy},
      {{{"start", "x"}, {"X.jvm.parameter.a", ""}, {"jvm.parameter.a", "-A"}}, " " + legacy},
  };
  for (const Case& c : cases) EXPECT_EQ(BuildJvmParameters(Make(c.settings)), c.result);
}

// Each pattern is tried against the NetBIOS name, then the full name; the
// log names the one that matched.
TEST(PlanJavaAttempt, HostPatternsAndPlainKeys) {
  struct Case {
    std::vector<std::string> computer;
    bool is64Bit;
    std::map<std::string, std::string> settings;
    std::string home, logged;
  };
  const std::string for64 = "Java wird ermittelt f\xFCr Computer \"PC-07\" mit 64 Bit: ";
  const std::string for32 = "Java wird ermittelt f\xFCr Computer \"PC-07\" mit 32 Bit: ";
  const std::vector<std::string> pc = {"PC-07"};
  const std::vector<std::string> kasse = {"KASSE-FILIALE-N", "KASSE-FILIALE-NORD-01"};
  const std::string forKasse = "Java wird ermittelt f\xFCr Computer \"KASSE-FILIALE-";
  const Case cases[] = {
      {pc,
       true,
       {{"java64", "D:\\jre64"}, {"java64.host.pc-*", "E:\\jre64"}},
       "E:\\jre64",
       for64 + "java64.host.pc-*=E:\\jre64\n"},
      {pc,
       false,
       {{"java64", "D:\\jre64"}, {"java64.host.pc-*", "E:\\jre64"}},
       "",
       for32 + "java=\n"},
      {pc,
       false,
       {{"java.host.PC*", "A"}, {"java.host.PC-07", "B"}, {"java", "C"}},
       "B",
       for32 + "java.host.PC-07=B\n"},
      {pc,
       true,
       {{"java64", "D"}, {"java64.host.X*", "E"}, {"QV.java64", "F"}},
       "D",
       for64 + "java64=D\n"},
      {pc, false, {{"java", "C"}, {"java64.host.*", "E"}}, "C", for32 + "java=C\n"},
      {kasse,
       true,
       {{"java64.host.kasse-filiale-nord-*", "E"}},
       "E",
       forKasse + "NORD-01\" mit 64 Bit: java64.host.kasse-filiale-nord-*=E\n"},
      {kasse,
       true,
       {{"java64.host.KASSE-FILIALE-?", "E"}, {"java64.host.*-02", "F"}},
       "E",
       forKasse + "N\" mit 64 Bit: java64.host.KASSE-FILIALE-?=E\n"},
      {kasse, false, {{"java", "C"}}, "C", forKasse + "N\" mit 32 Bit: java=C\n"},
  };
  for (const Case& c : cases) {
    testing_log::Start();
    JavaAttempt attempt = PlanJavaAttempt(c.is64Bit, Make(c.settings), LaunchInputs(), c.computer);
    EXPECT_EQ(attempt.choice.home, c.home);
    LogJavaAttempt(attempt);
    std::string log = testing_log::Text();
    EXPECT_EQ(log.substr(0, log.find('\n') + 1), c.logged);
  }
}

// The command line, its decisions logged as the run logs them when it
// reaches the attempt.
std::string Build(const Settings& settings, bool is64Bit, const LaunchInputs& inputs,
                  RunEnd* end = nullptr) {
  JavaAttempt attempt;
  attempt.is64Bit = is64Bit;
  attempt.choice.home = "C:\\Java\\jre";
  BuildJavaCommandLine(attempt.choice.home, is64Bit, settings, inputs, &attempt);
  LogJavaAttempt(attempt);
  if (end) *end = attempt.stop;
  return attempt.commandLine;
}

TEST(BuildJavaCommandLine, EveryPieceInItsPlace) {
  testing_log::Start();
  Settings settings = InitialSettings();
  settings.Set("swing.noxp", "true");
  settings.Set("sun.java2d.d3d", "false");
  settings.entries.insert({{"Dclientname", "PC-07"},
                           {"splash", "splash.png"},
                           {"MinHeapFreeRatio", "10"},
                           {"MaxHeapFreeRatio", "20"},
                           {"Dautologin.user", "u"},
                           {"Dautologin.pwd", "geheim"},
                           {"DKivLaunchService.version", "2"},
                           {"Dkiv.b", "2"},
                           {"Dkiv.a", "1"},
                           {"dkiv.c", "3"},
                           {"classpath.prepend32", "\"p32\""},
                           {"classpath.prepend64", "p64"}});
  settings.Set("memory.maximum", "1G");
  LaunchInputs inputs;
  inputs.classpath = {"d.jar", "h.jar", "e.jar"};
  inputs.startValue = "app.Main";
  inputs.readParameters = "-Dr=1";
  inputs.readAppParameters = "x y";
  EXPECT_EQ(Build(settings, false, inputs),
            "C:\\Java\\jre\\bin\\javaw.exe -Dswing.noxp=true -Dsun.java2d.d3d=false "
            "-Dclientname=PC-07 -splash:splash.png -Djava.util.Arrays.useLegacyMergeSort=true "
            "-Xms32M -Xmx768M -XX:MinHeapFreeRatio=10  -XX:MaxHeapFreeRatio=20  -Dr=1  "
            "-Dautologin.user=u  -Dautologin.pwd=geheim  -DKivLaunchService.version=2  "
            "-Dkiv.a=1  -Dkiv.b=2  -cp \" p32 ;d.jar;h.jar;e.jar\" app.Main x y ");
  std::string log = testing_log::Text();
  EXPECT_NE(log.find("Erweitere Classpath um:  p32 \n"), std::string::npos) << log;
  EXPECT_NE(log.find("-Dautologin.pwd=xxxx  -DKivLaunchService"), std::string::npos) << log;
  EXPECT_EQ(log.find("geheim"), std::string::npos) << log;
}

TEST(BuildJavaCommandLine, InitialSettingsOnly) {
  testing_log::Start();
  Settings settings = InitialSettings();
  settings.Set("nosplash", "true");
  settings.Set("splash", "s.png");
  settings.Set("swing.noxp", "True");
  settings.Set("sun.java2d.d3d", "FALSE");
  LaunchInputs inputs;
  inputs.classpath.classpathDefault = "a.jar";
  EXPECT_EQ(Build(settings, false, inputs),
            "C:\\Java\\jre\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true -Xms32M "
            "-Xmx256M -cp \"a.jar\" ");
  settings.Set("classpath.prepend64", "p");
  EXPECT_EQ(Build(settings, true, inputs),
            "C:\\Java\\jre\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true -Xms32M "
            "-Xmx256M -cp \"p;a.jar\" ");
}

TEST(BuildJavaCommandLine, RepeatedClasspathOptionEndsTheRun) {
  testing_log::Start();
  Settings settings = InitialSettings();
  LaunchInputs inputs;
  inputs.startValue = "-cp x.jar app.Main";
  inputs.startKey = "QV";
  RunEnd end;
  Build(settings, true, inputs, &end);
  ASSERT_TRUE(end);
  EXPECT_EQ(end->exitCode, 1);
  EXPECT_EQ(end->report,
            "Achtung: -cp wurde in der Kommandozeile mehrmals gefunden. Bitte die "
            "custom.properties pr\xFC"
            "fen! \nEin weiteres -cp steht in: QV\n");
  EXPECT_EQ(testing_log::Text(),
            "Java wird ermittelt f\xFCr Computer \"\" mit 64 Bit: =C:\\Java\\jre\n"
            "Anzahl von '-cp' eintr\xE4gen in Kommandozeile: 2\n");
}

TEST(Classpath, QuotesAndClasspathOptionsBecomeBlanks) {
  Settings settings = InitialSettings();
  settings.Set("classpath.default", "\"a.jar\";-cp b.jar");
  settings.Set("classpath.help", "\"h-cp\"");
  settings.Set("QV.classpath.extra", "x.jar");
  Classpath classpath = PrepareClasspath(settings);
  EXPECT_EQ(classpath.classpathDefault, " a.jar ;  b.jar");
  EXPECT_EQ(classpath.classpathHelp, " h-cp ");
  EXPECT_EQ(classpath.classpathExtra, "x.jar");
  EXPECT_EQ(CountClasspathOptions("-cp -cpu a-cp"), 3);
  EXPECT_EQ(CountClasspathOptions("-c p"), 0);
}

}  // namespace
