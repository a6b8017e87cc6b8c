// The class-data archive: Java's version from its release file, the options
// each Java gets, and whole starts on the fake platform.

#include "jvm/class_archive.h"

#include <gtest/gtest.h>

#include "jvm/java_release.h"
#include "launcher/startup_sequence.h"
#include "tests/unit/test_log.h"

namespace {

TEST(JavaRelease, VersionAndFeature) {
  struct Case {
    std::string text, version;
    int feature;
  };
  const Case cases[] = {
      {"IMPLEMENTOR=\"X\"\nJAVA_VERSION=\"17.0.13\"\nOS_NAME=\"Windows\"\n", "17.0.13", 17},
      {"JAVA_VERSION=\"1.8.0_392\"\r\n", "1.8.0_392", 8},
      {"JAVA_VERSION=\"21\"", "21", 21},
      {"JAVA_VERSION=\"9.0.4\"\r\n", "9.0.4", 9},
      {"JAVA_RUNTIME_VERSION=\"17.0.13+11\"\nJAVA_VERSION=\"25-ea\"\n", "25-ea", 25},
      {"JAVA_VERSION=\"abc\"\n", "abc", 0},
      {"JAVA_VERSION=\"\"\n", "", 0},
      {"IMPLEMENTOR=\"X\"\n", "", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReleaseVersion(c.text), c.version) << c.text;
    EXPECT_EQ(FeatureVersion(ReleaseVersion(c.text)), c.feature) << c.text;
  }
}

TEST(ClassArchive, OptionsByVersionPresenceAndWriting) {
  struct Case {
    int feature;
    bool exists, writable;
    std::string options;
  };
  const std::string use = " -XX:SharedArchiveFile=C:\\A.jsa";
  const Case cases[] = {
      {21, false, true, " -XX:+AutoCreateSharedArchive" + use},
      {19, true, true, " -XX:+AutoCreateSharedArchive" + use},
      {21, true, false, use},
      {21, false, false, ""},
      {17, false, true, " -XX:ArchiveClassesAtExit=C:\\D.dump"},
      {13, true, true, use},
      {17, true, false, use},
      {17, false, false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(
        ChooseArchiveOptions(c.feature, c.exists, c.writable, "C:\\A.jsa", "C:\\D.dump").options,
        c.options)
        << c.feature << c.exists << c.writable;
  }
}

const char kFolder[] = "C:\\Users\\Max Muster\\AppData\\Local\\Kiv";

void Install(const std::string& release) {
  fake::Reset();
  fake::AddFile("C:\\App\\launch.properties",
                "java64=C:\\J64\nQV=app.Main\nclasspath.default=lib\\app.jar\n"
                "launcher.class_archive=%LOCALAPPDATA%\\Kiv\n");
  fake::AddFile("C:\\App\\customlaunch.properties", "");
  fake::AddFile("C:\\J64\\bin\\javaw.exe", "MZ");
  if (!release.empty()) fake::AddFile("C:\\J64\\release", "JAVA_VERSION=\"" + release + "\"\n");
  fake::Get().environment["LOCALAPPDATA"] = "C:\\Users\\Max Muster\\AppData\\Local";
}

// The last start's command line.
std::string Start(const std::string& parameters = "") {
  fake::Get().commandLine = "KivLauncher.exe" + parameters;
  EXPECT_EQ(RunLauncher(fake::Get().commandLine), 0);
  return fake::Get().started.back().commandLine;
}

// The path of an option, quoted whole as the folder holds a blank.
std::string OptionPath(const std::string& line, const std::string& option) {
  size_t at = line.find(option);
  if (at == std::string::npos) return std::string();
  at += option.size();
  return line.substr(at, line.find('"', at) - at);
}

TEST(ClassArchiveStart, Java17WritesAtItsEndAndTheNextStartUsesTheArchive) {
  Install("17.0.13");
  std::string first = Start();
  std::string dump = OptionPath(first, "\"-XX:ArchiveClassesAtExit=");
  ASSERT_EQ(dump.rfind(std::string(kFolder) + "\\KivLauncher-java17-", 0), 0u) << first;
  EXPECT_LT(first.find("ArchiveClassesAtExit"), first.find(" -cp "));
  std::string archive = dump.substr(0, dump.find('.', sizeof kFolder)) + ".jsa";
  // Java is still writing: the file is not taken, nor is one without its header.
  fake::AddFile(dump, "\xA8\xAB\x0B\xF0 archive");
  fake::AddFile(archive.substr(0, archive.size() - 4) + ".PC-09-77.dump",
                std::string("\0\0\0\0 dying", 10));
  fake::Get().openFiles.insert(dump);
  fake::Get().processId = 1235;
  std::string second = Start();
  EXPECT_NE(OptionPath(second, "\"-XX:ArchiveClassesAtExit="), dump) << second;
  fake::Get().openFiles.clear();
  std::string third = Start();
  EXPECT_EQ(OptionPath(third, "\"-XX:SharedArchiveFile="), archive) << third;
  EXPECT_FALSE(fake::Get().files.count(dump));
  EXPECT_NE(testing_log::Text().find("Klassenarchiv \xFC"
                                     "bernommen: " +
                                     dump + " -> " + archive + "\n"),
            std::string::npos);
  std::string otherPath = Start(" -classpath.default=lib\\other.jar");
  std::string otherDump = OptionPath(otherPath, "\"-XX:ArchiveClassesAtExit=");
  EXPECT_FALSE(otherDump.empty()) << otherPath;
  EXPECT_NE(otherDump.substr(0, archive.size() - 4), archive.substr(0, archive.size() - 4));
}

TEST(ClassArchiveStart, Java21LetsJavaCreateTheArchive) {
  Install("21.0.2");
  std::string line = Start();
  EXPECT_NE(line.find(" -XX:+AutoCreateSharedArchive \"-XX:SharedArchiveFile=" +
                      std::string(kFolder) + "\\KivLauncher-java21-"),
            std::string::npos)
      << line;
  EXPECT_TRUE(fake::Get().directories.count(kFolder));
}

TEST(ClassArchiveStart, NoOptionWithoutASuitableJavaOrFolder) {
  struct Case {
    std::string release, readOnly, logged;
  };
  const std::string prefix = "launcher.class_archive=%LOCALAPPDATA%\\Kiv -> kein Klassenarchiv, ";
  const Case cases[] = {
      {"1.8.0_392", "",
       prefix + "Java 1.8.0_392 kennt keine Klassenarchive der Anwendung (erst ab Java 13)\n"},
      {"", "", prefix + "C:\\J64\\release fehlt, die Version von Java ist unbekannt\n"},
      {"17.0.13", "C:\\Users", prefix + "der Ordner " + kFolder + " kann nicht angelegt werden\n"},
      {"21.0.2", kFolder,
       "launcher.class_archive=%LOCALAPPDATA%\\Kiv -> Java 21.0.2: kein Klassenarchiv, im Ordner "
       "kann nicht geschrieben werden\n"},
  };
  for (const Case& c : cases) {
    Install(c.release);
    if (!c.readOnly.empty()) {
      fake::AddDirectory(c.readOnly);
      fake::Get().readOnlyFolders.insert(c.readOnly);
    }
    std::string line = Start();
    EXPECT_EQ(line.find("-XX:"), std::string::npos) << line;
    EXPECT_NE(testing_log::Text().find(c.logged), std::string::npos) << testing_log::Text();
  }
}

TEST(ClassArchiveCheck, VersionAndTheArchiveBesideTheBitWidth) {
  Install("17.0.13");
  std::string archive = OptionPath(Start(), "\"-XX:ArchiveClassesAtExit=");
  fake::AddFile(archive, "\xA8\xAB\x0B\xF0 whole");
  fake::Get().commandLine = "KivLauncher.exe -launcher.check=true";
  EXPECT_EQ(RunLauncher(fake::Get().commandLine), 0);
  std::string log = testing_log::Text();
  std::string adopted = archive.substr(0, archive.find('.', sizeof kFolder)) + ".jsa";
  EXPECT_NE(log.find("Version laut C:\\J64\\release: 17.0.13\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Klassenarchiv: " + adopted + " ist vorhanden, 10 Bytes\n"), std::string::npos)
      << log;
}

}  // namespace
