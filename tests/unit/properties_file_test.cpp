// Reading properties files and kivsoft.properties into Settings and the log.

#include "settings/properties_file.h"

#include <gtest/gtest.h>

#include "report/error_report.h"
#include "tests/unit/test_log.h"

namespace {

const char kBanner[] = "\n===== test.properties einlesen =====\n";

struct LineCase {
  std::string line;
  bool stores;
  std::string key;
  std::string value;
  std::string logged;
};

TEST(ReadPropertiesFile, EachLineIsStoredAndLoggedWithWhatItGave) {
  const LineCase cases[] = {
      {"key = value", true, "key", "value", "key = value // FOUND: \"key\"=\"value\""},
      {"  key\t=\tvalue  ", true, "key", "value", "  key\t=\tvalue   // FOUND: \"key\"=\"value\""},
      {"key==v", true, "key", "=v", "key==v // FOUND: \"key\"=\"=v\""},
      {"key=", false, "", "", "key= // FOUND: \"key\"= EMPTY"},
      {"key =   ", false, "", "", "key =    // FOUND: \"key\"= EMPTY"},
      {"=v", true, "", "v", "=v // FOUND: \"\"=\"v\""},
      {"# key=value", false, "", "", "# key=value"},
      {"   # x", false, "", "", "   # x"},
      {"text without separator", false, "", "", "text without separator"},
      {"key=a # b", true, "key", "a", "key=a # b // FOUND: \"key\"=\"a\""},
      {"key=\"a # b\"", true, "key", "\"a # b\"", "key=\"a # b\" // FOUND: \"key\"=\"\"a # b\"\""},
      {"key=a\"b # c", true, "key", "a\"b # c", "key=a\"b # c // FOUND: \"key\"=\"a\"b # c\""},
      {"key=C:\\Temp\\new", true, "key", "C:\\Temp\\new",
       "key=C:\\Temp\\new // FOUND: \"key\"=\"C:\\Temp\\new\""},
      {"k\xE4y=\xF6", true, "k\xE4y", "\xF6", "k\xE4y=\xF6 // FOUND: \"k\xE4y\"=\"\xF6\""},
      {"\xEF\xBB\xBFkey=v", true, "key", "v", "key=v // FOUND: \"key\"=\"v\""},
      {"Dautologin.pwd=geheim", true, "Dautologin.pwd", "geheim",
       "Dautologin.pwd=xxxx // FOUND: \"Dautologin.pwd\"=\"xxxx\""},
      {"Dautologin.pwd = Geheim Wort  # alt: -Dautologin.pwd=x", true, "Dautologin.pwd",
       "Geheim Wort",
       "Dautologin.pwd = xxxx  # alt: -Dautologin.pwd=xxxx // FOUND: \"Dautologin.pwd\"=\"xxxx\""},
      {"Dautologin.pwd\t=\t\"a # b\" # c", true, "Dautologin.pwd", "\"a # b\"",
       "Dautologin.pwd\t=\txxxx # c // FOUND: \"Dautologin.pwd\"=\"xxxx\""},
      {"Dautologin.pwd=", false, "", "", "Dautologin.pwd=xxxx // FOUND: \"Dautologin.pwd\"= EMPTY"},
      {"# Dautologin.pwd=alt", false, "", "", "# Dautologin.pwd=xxxx"},
      {"QV=-Dautologin.pwd=geheim app.Main", true, "QV", "-Dautologin.pwd=geheim app.Main",
       "QV=-Dautologin.pwd=xxxx app.Main // FOUND: \"QV\"=\"-Dautologin.pwd=xxxx\""},
      {"dautologin.pwd=klein", true, "dautologin.pwd", "klein",
       "dautologin.pwd=xxxx // FOUND: \"dautologin.pwd\"=\"xxxx\""},
      {"ABC.Dautologin.pwd = Geheim Wort", true, "ABC.Dautologin.pwd", "Geheim Wort",
       "ABC.Dautologin.pwd = xxxx // FOUND: \"ABC.Dautologin.pwd\"=\"xxxx\""},
      {"QV=app.Main -DAUTOLOGIN.PWD=Geheim x", true, "QV", "app.Main -DAUTOLOGIN.PWD=Geheim x",
       "QV=app.Main -DAUTOLOGIN.PWD=xxxx x // FOUND: \"QV\"=\"app.Main -DAUTOLOGIN.PWD=xxxx\""},
  };
  for (const LineCase& c : cases) {
    testing_log::Start();
    fake::AddFile("C:\\Inst\\test.properties", c.line + "\n");
    Settings settings;
    settings.Set("key", "earlier");
    EXPECT_EQ(ReadPropertiesFile("C:\\Inst\\", "test.properties", settings), std::nullopt);
    EXPECT_EQ(testing_log::Text(), std::string(kBanner) +
                                       "Die Datei C:\\Inst\\test.properties wurde ge\xF6"
                                       "ffnet.\n" +
                                       c.logged + "\n\n")
        << c.line;
    Settings expected;
    expected.Set("key", "earlier");
    if (c.stores) expected.Set(c.key, c.value);
    EXPECT_EQ(settings.entries, expected.entries) << c.line;
  }
}

TEST(ReadPropertiesFile, ExampleWithCommentQuotedHashAndEmptyValue) {
  testing_log::Start();
  fake::AddFile("C:\\App\\launch.properties",
                "memory.maximum = 512M   # more\r\nAPP=-Dx=\"a#b\"\r\nsplash=\r\n");
  Settings settings;
  settings.Set("splash", "keep.png");
  EXPECT_EQ(ReadPropertiesFile("C:\\App\\", "launch.properties", settings), std::nullopt);
  EXPECT_EQ(testing_log::Text(),
            "\n===== launch.properties einlesen =====\n"
            "Die Datei C:\\App\\launch.properties wurde ge\xF6"
            "ffnet.\n"
            "memory.maximum = 512M   # more // FOUND: \"memory.maximum\"=\"512M\"\n"
            "APP=-Dx=\"a#b\" // FOUND: \"APP\"=\"-Dx=\"a#b\"\"\n"
            "splash= // FOUND: \"splash\"= EMPTY\n"
            "\n");
  EXPECT_EQ(settings.Get("memory.maximum"), "512M");
  EXPECT_EQ(settings.Get("APP"), "-Dx=\"a#b\"");
  EXPECT_EQ(settings.Get("splash"), "keep.png");
}

TEST(ReadPropertiesFile, LastNonEmptyValueWinsAndKeysKeepTheirCase) {
  testing_log::Start();
  fake::AddFile("C:\\App\\a.properties", "k=1\nk=2\nk=\nSplash=a\nsplash=b");
  Settings settings;
  ReadPropertiesFile("", "a.properties", settings);
  EXPECT_EQ(settings.Get("k"), "2");
  EXPECT_EQ(settings.Get("Splash"), "a");
  EXPECT_EQ(settings.Get("splash"), "b");
  // No final line feed: no empty line after the last entry.
  const std::string last = "\nsplash=b // FOUND: \"splash\"=\"b\"\n";
  std::string log = testing_log::Text();
  EXPECT_EQ(log.substr(log.size() - last.size()), last);
}

TEST(ReadPropertiesFile, MissingFileOrFolderEndsTheRun) {
  for (bool folder : {false, true}) {
    testing_log::Start();
    if (folder) fake::AddDirectory("C:\\App\\customlaunch.properties");
    Settings settings;
    RunEnd end = ReadPropertiesFile("", "customlaunch.properties", settings);
    ASSERT_TRUE(end);
    EXPECT_EQ(end->exitCode, 1);
    EXPECT_EQ(end->report,
              "Die Datei customlaunch.properties konnte nicht ge\xF6"
              "ffnet werden.\nOrdner: C:\\App, Windows-Fehler 2: Systemfehler 2.\n");
    EXPECT_EQ(testing_log::Text(), "\n===== customlaunch.properties einlesen =====\n");
  }
}

TEST(ReadPropertiesFile, EmptyFileGivesOneEmptyLine) {
  testing_log::Start();
  fake::AddFile("C:\\App\\e.properties", "");
  Settings settings;
  ReadPropertiesFile("", "e.properties", settings);
  EXPECT_EQ(testing_log::Text(),
            "\n===== e.properties einlesen =====\nDie Datei e.properties wurde ge\xF6"
            "ffnet.\n\n");
}

// Notepad's UTF-8, with or without a byte order mark, and its UTF-16 reach
// the settings and the log in Windows-1252, a comment with a letter that
// Windows-1252 lacks dropped; any file that is not UTF-8 through and
// through is Windows-1252 already and read byte for byte.
TEST(ReadPropertiesFile, Utf8AndUtf16AreReadInWindows1252) {
  const std::string note =
      "Die Datei u.properties ist im Format UTF-8 gespeichert und wird beim Lesen in "
      "Windows-1252 umgewandelt.\n";
  const std::string note16 =
      "Die Datei u.properties ist im Format UTF-16 gespeichert und wird beim Lesen in "
      "Windows-1252 umgewandelt.\n";
  const std::string dropped =
      " im Kommentar das Zeichen U+2192, das es in Windows-1252 nicht gibt: der Kommentar fehlt "
      "darum im Protokoll.\n";
  struct Case {
    std::string content;
    std::string value;
    std::string logged;  // after the opened line
  };
  const Case cases[] = {
      {"k=M\xC3\xBCller-Stra\xC3\x9F"
       "e\n",
       "M\xFCller-Stra\xDF"
       "e",
       note + "k=M\xFCller-Stra\xDF"
              "e // FOUND: \"k\"=\"M\xFCller-Stra\xDF"
              "e\"\n\n"},
      {"\xEF\xBB\xBFk=\xE2\x82\xAC", "\x80", note + "k=\x80 // FOUND: \"k\"=\"\x80\"\n"},
      {"\xEF\xBB\xBFk=v", "v", "k=v // FOUND: \"k\"=\"v\"\n"},
      {"k=M\xFCller", "M\xFCller", "k=M\xFCller // FOUND: \"k\"=\"M\xFCller\"\n"},
      {"#\xC3\xBC\nk=\xC3\xBC\xFC", "\xC3\xBC\xFC",
       "#\xC3\xBC\nk=\xC3\xBC\xFC // FOUND: \"k\"=\"\xC3\xBC\xFC\"\n"},
      {"# \xE2\x86\x92 \xE2\x89\xA4\nk=\xC3\xBC # \xE2\x86\x92", "\xFC",
       note + "\nDie Datei u.properties (UTF-8) enth\xE4lt in Zeile 1" + dropped +
           "k=\xFC  // FOUND: \"k\"=\"\xFC\"\nDie Datei u.properties (UTF-8) enth\xE4lt in Zeile "
           "2" +
           dropped},
      {std::string("\xFF\xFEk\0=\0\xFC\0\r\0\n\0#\0\x92\x21", 16), "\xFC",
       note16 +
           "k=\xFC // FOUND: \"k\"=\"\xFC\"\n\nDie Datei u.properties (UTF-16) enth\xE4lt in Zeile "
           "2" +
           dropped},
      {std::string("\xFE\xFF\0k\0=\0v", 8), "v", note16 + "k=v // FOUND: \"k\"=\"v\"\n"},
  };
  for (const Case& c : cases) {
    testing_log::Start();
    fake::AddFile("C:\\App\\u.properties", c.content);
    Settings settings;
    EXPECT_EQ(ReadPropertiesFile("", "u.properties", settings), std::nullopt) << c.content;
    EXPECT_EQ(settings.Get("k"), c.value) << c.content;
    bool converted = c.logged.compare(0, 40, note, 0, 40) == 0;
    EXPECT_EQ(settings.convertedFiles.size(), converted ? 1u : 0u) << c.content;
    EXPECT_EQ(testing_log::Text(),
              "\n===== u.properties einlesen =====\nDie Datei u.properties wurde ge\xF6"
              "ffnet.\n" +
                  c.logged)
        << c.content;
  }
}

// Java would get another letter in its place.
TEST(ReadPropertiesFile, ALetterThatWindows1252LacksInAKeyOrValueEndsTheRun) {
  const std::pair<std::string, std::string> cases[] = {
      {"a=\xC3\xA4\nb=\xC5\x81\xC3\xB3\xC5\xBA # \xE2\x86\x92\nc=x\n", "UTF-8"},
      {std::string("\xFF\xFE"
                   "a\0=\0\xE4\0\n\0b\0=\0\x41\x01",
                   16),
       "UTF-16"},
  };
  for (const auto& [content, format] : cases) {
    testing_log::Start();
    fake::AddFile("C:\\App\\u.properties", content);
    Settings settings;
    RunEnd end = ReadPropertiesFile("", "u.properties", settings);
    ASSERT_TRUE(end);
    EXPECT_EQ(end->report, "Die Datei u.properties (" + format +
                               ") enth\xE4lt in Zeile 2 das Zeichen U+0141, das es in "
                               "Windows-1252 nicht gibt. Bitte das Zeichen ersetzen.\n");
    EXPECT_EQ(settings.Get("b"), "");
    EXPECT_NE(testing_log::Text().find("a=\xE4 // FOUND"), std::string::npos);
  }
}

struct RootCase {
  std::string content;  // nullptr-like: "<none>" for no file
  std::string root;
  std::string found;  // the FOUND texts on their line
};

TEST(ReadRootFolder, LastRootLineWinsAndGetsTwoBackslashes) {
  const RootCase cases[] = {
      {"root = C:\\\\Programme\\\\App\n", "C:\\\\Programme\\\\App\\\\",
       " // FOUND: \"root\"=\"C:\\\\Programme\\\\App\""},
      {"root=C:\\\\A\nroot=C:\\\\B\n", "C:\\\\B\\\\",
       " // FOUND: \"root\"=\"C:\\\\A\" // FOUND: \"root\"=\"C:\\\\B\""},
      {"root=D:\\X\\\\\n", "D:\\X\\\\", " // FOUND: \"root\"=\"D:\\X\\\\\""},
      {"root=D:\\X\\\n", "D:\\X\\\\\\", " // FOUND: \"root\"=\"D:\\X\\\""},
      {"root=C:\\\\App # comment", "C:\\\\App # comment\\\\",
       " // FOUND: \"root\"=\"C:\\\\App # comment\""},
      {"Root=C:\\\\X\n#root=y\nroot=\nno separator\n", "", ""},
      {"\xEF\xBB\xBFroot=C:\\\\A\n", "C:\\\\A\\\\", " // FOUND: \"root\"=\"C:\\\\A\""},
      {std::string("\xFF\xFEr\0o\0o\0t\0=\0x\0", 14), "x\\\\", " // FOUND: \"root\"=\"x\""},
  };
  for (const RootCase& c : cases) {
    testing_log::Start();
    fake::AddFile("C:\\App\\kivsoft.properties", c.content);
    EXPECT_EQ(ReadRootFolder(), c.root) << c.content;
    EXPECT_EQ(testing_log::Text(),
              "\n===== kivsoft.properties einlesen =====\n"
              "Die Datei kivsoft.properties wurde ge\xF6"
              "ffnet.\n" +
                  c.found)
        << c.content;
  }
}

TEST(ReadRootFolder, NoFileNoTrace) {
  testing_log::Start();
  EXPECT_EQ(ReadRootFolder(), "");
  EXPECT_EQ(testing_log::Text(), "");
}

}  // namespace
