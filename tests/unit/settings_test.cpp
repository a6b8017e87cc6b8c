// The settings store, the listing and password masking, the start key.

#include "settings/settings.h"

#include <gtest/gtest.h>

#include "report/password_mask.h"
#include "settings/settings_listing.h"
#include "settings/start_key.h"
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
  settings.Set("dautologin.pwd", "listed");
  settings.Set("Dautologin", "listed");
  settings.Set("Dclientname", "PC-07");
  LogAllSettings(settings);
  EXPECT_EQ(testing_log::Text(),
            "\n"
            "===== Liste aller Einstellungen =====\n"
            "Dautologin = listed\n"
            "Dclientname = PC-07\n"
            "dautologin.pwd = listed\n"
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

TEST(MaskPassword, EveryPasswordValueIsMasked) {
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
  };
  for (const Case& c : cases) EXPECT_EQ(MaskPassword(c.text), c.masked) << c.text;
}

TEST(StartKey, MissingEntryIsReportedWithTheKey) {
  testing_log::Start();
  Settings settings = InitialSettings();
  settings.Set("qv", "lower case key does not count");
  EXPECT_EQ(CheckStartKey(settings, StartKey(settings)), 1);
  ASSERT_EQ(fake::Get().messageBoxes.size(), 1u);
  EXPECT_EQ(fake::Get().messageBoxes[0],
            "Fehler: Der StartParameter: QV wurde in der launch.properties nicht gefunden!\n");
  settings.Set("QV", "app.Main");
  EXPECT_EQ(CheckStartKey(settings, StartKey(settings)), std::nullopt);
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

}  // namespace
