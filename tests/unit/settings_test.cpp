// The settings store, the listing and password masking, the start key.

#include "settings/settings.h"

#include <gtest/gtest.h>

#include "report/redactor.h"
#include "settings/command_line.h"
#include "settings/text.h"
#include "tests/unit/test_log.h"

namespace {

TEST(Settings, InitialContent) {
  Settings settings = InitialSettings();
  EXPECT_EQ(settings.Get("memory.maximum"), "256M");
  EXPECT_TRUE(settings.IsTrue("sun.java2d.d3d"));
  EXPECT_FALSE(settings.IsTrue("launcher.keep"));
  EXPECT_EQ(settings.Get("java"), "");
  EXPECT_EQ(settings.Get("start"), "QV");
}

TEST(Settings, IsTrueOnlyForExactlyTrue) {
  Settings settings;
  const char* values[] = {"true", "True", "TRUE", "1", " true"};
  for (const char* value : values) settings.Set(value, value);
  EXPECT_TRUE(settings.IsTrue("true"));
  for (const char* value : {"True", "TRUE", "1", " true", "absent"}) {
    EXPECT_FALSE(settings.IsTrue(value)) << value;
  }
}

TEST(Settings, StartKeyVariantWinsOverThePlainKey) {
  Settings settings = InitialSettings();
  settings.Set("start", "qv");
  settings.Set("memory.maximum", "1024M");
  EXPECT_EQ(settings.GetForStartKey("memory.maximum"), "1024M");
  settings.Set("qv.memory.maximum", "2G");
  EXPECT_EQ(settings.GetForStartKey("memory.maximum"), "1024M");
  settings.Set("QV.memory.maximum", "512M");
  EXPECT_EQ(settings.GetForStartKey("memory.maximum"), "512M");
  EXPECT_EQ(settings.GetForStartKey("absent"), "");
}

TEST(Settings, WalkInByteOrder) {
  Settings settings;
  for (const char* key : {"b", "B", "a", "ab", "Dclientname", "\xE4"}) settings.Set(key, "x");
  std::vector<std::string> keys;
  for (const auto& entry : settings.entries) keys.push_back(entry.first);
  EXPECT_EQ(keys, (std::vector<std::string>{"B", "Dclientname", "a", "ab", "b", "\xE4"}));
}

TEST(SettingsListing, LeavesOutTheAutomaticLoginKeys) {
  testing_log::Start();
  Settings settings = InitialSettings();
  settings.Set("Dautologin.user", "admin");
  settings.Set("Dautologin.pwd", "geheim");
  settings.Set("dautologin.pwd", "klein");
  settings.Set("Dautologin", "listed");
  settings.Set("Dclientname", "PC-07");
  LogAllSettings(settings);
  EXPECT_EQ(testing_log::Text(),
            "\n"
            "===== Liste aller Einstellungen =====\n"
            "Dautologin = listed\n"
            "Dclientname = PC-07\n"
            "dautologin.pwd = xxxx\n"
            "launcher.ignore_inwartung = false\n"
            "launcher.keep = false\n"
            "launcher.keep_and_kill = false\n"
            "launcher.service = false\n"
            "memory.initial = 32M\n"
            "memory.maximum = 256M\n"
            "start = QV\n"
            "sun.java2d.d3d = true\n"
            "swing.noxp = false\n");
}

TEST(Redact, EveryPasswordValueIsMasked) {
  struct Case {
    std::string text, masked;
  };
  const Case cases[] = {
      {"-Dautologin.user=u -Dautologin.pwd=geheim -x=1",
       "-Dautologin.user=u -Dautologin.pwd=xxxx -x=1"},
      {"a -Dautologin.pwd=geheim", "a -Dautologin.pwd=xxxx"},
      {"-Dautologin.pwd= -x", "-Dautologin.pwd=xxxx -x"},
      {"Dautologin.pwd=geheim -x", "Dautologin.pwd=xxxx -x"},
      {"-Dautologin.pwd=a -Dautologin.pwd=b", "-Dautologin.pwd=xxxx -Dautologin.pwd=xxxx"},
      {"-Dautologin.pwd=Dautologin.pwd=x y", "-Dautologin.pwd=xxxx y"},
      {"no password", "no password"},
      {"", ""},
      {"-Dautologin.pwd=\"Geheim Wort\" -x", "-Dautologin.pwd=xxxx -x"},
      {"-Dautologin.pwd=\"Geheim Wort\"", "-Dautologin.pwd=xxxx"},
      {"-Dautologin.pwd=\\\"Geheim Wort\\\" -x", "-Dautologin.pwd=xxxx -x"},
      {"-Dautologin.pwd=Geheim\" \"Wort -x", "-Dautologin.pwd=xxxx -x"},
      {"-Dautologin.pwd=\"Geheim Wort -x", "-Dautologin.pwd=xxxx"},
      {"-Dautologin.pwd=\"\" -x", "-Dautologin.pwd=xxxx -x"},
      {"-Dx=\"a b\" -Dautologin.pwd=g -y", "-Dx=\"a b\" -Dautologin.pwd=xxxx -y"},
      {"\"-Dautologin.pwd=Geheim Wort\" -x", "\"-Dautologin.pwd=xxxx\" -x"},
      {"Java erh\xE4lt \"-Dautologin.pwd=a b\" als", "Java erh\xE4lt \"-Dautologin.pwd=xxxx\" als"},
      {"-start=abc\t-Dautologin.pwd=a", "-start=abc\t-Dautologin.pwd=xxxx"},
      {"-DABC.Dautologin.pwd=a -dautologin.PWD=b c",
       "-DABC.Dautologin.pwd=xxxx -dautologin.PWD=xxxx c"},
  };
  for (const Case& c : cases) EXPECT_EQ(Redacted(c.text, Secrets()), c.masked) << c.text;
}

// A known password may hold blanks without quotes: all of it is masked
// where it follows the marker, and where it stands as a word of its own;
// one stored in quotes also as Java prints it, without them. An empty value
// is masked at the text's end too.
TEST(Redact, KnownPasswordIsMaskedWhole) {
  struct Case {
    std::string text, masked;
  };
  const Case cases[] = {
      {"-Dautologin.pwd=Geheim Wort -x", "-Dautologin.pwd=xxxx -x"},
      {"-Dautologin.pwd=Geheim Wort", "-Dautologin.pwd=xxxx"},
      {"-Dautologin.pwd=Geheim Wortlaut -x", "-Dautologin.pwd=xxxx -x"},
      {"-Dautologin.pwd=Geheim -x", "-Dautologin.pwd=xxxx -x"},
      {"-Dautologin.pwd=a b c -x", "-Dautologin.pwd=xxxx c -x"},
      {"Geheim Wort -Dautologin.pwd=", "xxxx -Dautologin.pwd=xxxx"},
      {"-Dautologin.pwd=PWA PWB -x", "-Dautologin.pwd=xxxx -x"},
      {"-Dautologin.pwd=\"PWA PWB\" -x", "-Dautologin.pwd=xxxx -x"},
  };
  const Secrets secrets = KnowSecrets({"\"PWA PWB\"", "Geheim Wort", "a b", ""});
  for (const Case& c : cases) EXPECT_EQ(Redacted(c.text, secrets), c.masked) << c.text;
  EXPECT_EQ(Redacted("-Dautologin.pwd=Geheim Wort", Secrets()), "-Dautologin.pwd=xxxx Wort");
}

TEST(Redact, KeysAndLinesOfJavasOutput) {
  for (const char* key :
       {"Dautologin.pwd", "ABC.Dautologin.pwd", "dautologin.pwd", "AUTOLOGIN.PWD"}) {
    EXPECT_TRUE(IsPasswordKey(key)) << key;
  }
  for (const char* key : {"Dautologin.user", "Dautologin.pwd.alt", "autologin.pw", ""}) {
    EXPECT_FALSE(IsPasswordKey(key)) << key;
  }
  EXPECT_EQ(Redacted("a -Dautologin.pwd=\"x\ny\" b\r\n-Dautologin.pwd=Geheim\nWort c\n",
                     KnowSecrets({"Geheim\nWort"})),
            "a -Dautologin.pwd=xxxx\ny\" b\r\n-Dautologin.pwd=xxxx c\n");
}

TEST(StartKey, MissingEntryIsReportedWithTheKey) {
  testing_log::Start();
  Settings settings = InitialSettings();
  settings.Set("qv", "lower case key does not count");
  RunEnd end = CheckStartKey(settings, StartKey(settings));
  ASSERT_TRUE(end);
  EXPECT_EQ(end->exitCode, 1);
  EXPECT_EQ(end->report,
            "Der StartParameter: QV wurde in der launch.properties nicht gefunden!\ngemeint ist "
            "wohl QV: dort steht qv, das K\xFCrzel muss gro\xDF geschrieben sein.\n");
  settings.Set("QV", "app.Main");
  EXPECT_FALSE(CheckStartKey(settings, StartKey(settings)));
}

TEST(AdditionalParameters, DecodeAndLogBothGroups) {
  testing_log::Start();
  CommandLineParameters parameters;
  parameters.Set("read_app", "x+++y++++z");
  EXPECT_EQ(ReadAdditionalParameters(parameters, "read"), "");
  EXPECT_EQ(ReadAdditionalParameters(parameters, "read_app"), "x y +z");
  EXPECT_EQ(testing_log::Text(),
            "\n"
            "===== Zusatzparameter mit -read =====\n"
            "NO ADDITIONAL PARAMETERS\n"
            "\n"
            "===== Zusatzparameter mit -read_app =====\n"
            "ADDITIONAL escpd LINE: x+++y++++z\n"
            "ADDITIONAL PARAMETERS:x y +z\n");
}

// "+++" in a group cannot be told from a blank in the password: all of the
// group after the marker is masked, and a secret of the run.
TEST(AdditionalParameters, PasswordInAGroupIsMaskedToTheGroupsEnd) {
  struct Case {
    std::string group, escapedLine, decodedLine;
  };
  const Case cases[] = {
      {"-Dautologin.pwd=geheim", "-Dautologin.pwd=xxxx", "-Dautologin.pwd=xxxx"},
      {"-Dautologin.pwd=Geheim+++Wort", "-Dautologin.pwd=xxxx", "-Dautologin.pwd=xxxx"},
      {"-Dx=1+++-Dautologin.pwd=\"Geheim+++Wort\"", "-Dx=1+++-Dautologin.pwd=xxxx",
       "-Dx=1 -Dautologin.pwd=xxxx"},
      {"-Dautologin.pwd=g+++-Xmx1g", "-Dautologin.pwd=xxxx", "-Dautologin.pwd=xxxx"},
  };
  for (const Case& c : cases) {
    testing_log::Start();
    CommandLineParameters parameters = ParseCommandLine("-read=" + c.group);
    std::string decoded = ReadAdditionalParameters(parameters, "read");
    EXPECT_EQ(decoded, ReplaceWithBlank(c.group, "+++"));
    EXPECT_EQ(testing_log::Text(),
              "\n===== Zusatzparameter mit -read =====\n"
              "ADDITIONAL escpd LINE: " +
                  c.escapedLine + "\nADDITIONAL PARAMETERS:" + c.decodedLine + "\n")
        << c.group;
    Secrets secrets = KnowSecrets(parameters.secrets);
    EXPECT_EQ(Redacted("a " + decoded + " b", secrets), "a " + c.decodedLine + " b") << c.group;
  }
}

}  // namespace
