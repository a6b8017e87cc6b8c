// Check mode is a dry run: it writes nothing but its log, and names as an
// error what the start would refuse. The start carries out what the plan
// recorded for the class archive.

#include <gtest/gtest.h>

#include "tests/e2e/installation_fixture.h"

namespace e2e {
namespace {

using DryRun = StandardInstallation;

const char kCheck[] = "-launcher.check=true";
// Java has ended, and written what it received, when the run returns.
const char kKeep[] = "-launcher.keep=true";

void UseArchive(const Installation& app, const std::string& java64) {
  app.Write("launch.properties", "classpath.default=lib\\app.jar;lib\\util.jar\njava64=" + java64 +
                                     "\nQV=-Dapp=qv app.Main\nlauncher.class_archive=archiv\n");
  app.Write("jre64/release", "JAVA_VERSION=\"17.0.13\"\n");
}

// The file name of the path an option of Java's last start names.
std::string OptionFile(const Installation& app, const std::string& option) {
  for (const std::string& line : app.JavaArguments("jre64")) {
    if (line.compare(0, option.size() + 4, "arg=" + option) == 0) {
      return line.substr(line.find_last_of("\\/") + 1);
    }
  }
  return std::string();
}

TEST_F(DryRun, CheckModeLeavesTheArchiveFolderAsItIs) {
  UseArchive(app, "jre64");
  EXPECT_EQ(app.Run({kCheck}).exitCode, 0);
  EXPECT_FALSE(app.Exists("archiv"));
  EXPECT_NE(app.NormalizedLog().find("Der Start w\xFCrde den Ordner <DIR>\\archiv anlegen"),
            std::string::npos)
      << app.NormalizedLog();
  EXPECT_EQ(app.Run({kKeep}).exitCode, 0);
  std::string dump = OptionFile(app, "-XX:ArchiveClassesAtExit=");
  ASSERT_FALSE(dump.empty());
  std::string archive = dump.substr(0, dump.find('.')) + ".jsa";
  // A whole dump of Java 17 (header version 11) with empty regions.
  std::string whole(1024, '\0');
  whole.replace(0, 4, "\xA8\xAB\x0B\xF0");
  whole[8] = 11;
  app.Write("archiv/" + dump, whole);
  EXPECT_EQ(app.Run({kCheck}).exitCode, 0);
  EXPECT_TRUE(app.Exists("archiv/" + dump));
  EXPECT_FALSE(app.Exists("archiv/" + archive));
  EXPECT_EQ(app.Run({kKeep}).exitCode, 0);
  EXPECT_FALSE(app.Exists("archiv/" + dump));
  EXPECT_TRUE(app.Exists("archiv/" + archive));
  EXPECT_EQ(OptionFile(app, "-XX:SharedArchiveFile="), archive);
}

TEST_F(DryRun, AQuotedJavaFolderGetsItsArchive) {
  UseArchive(app, "\"jre64\"");
  EXPECT_EQ(app.Run({kKeep}).exitCode, 0);
  EXPECT_FALSE(OptionFile(app, "-XX:ArchiveClassesAtExit=").empty());
}

TEST_F(DryRun, CheckModeNamesTheOutputFileTheStartRefuses) {
  RunResult result =
      app.Run({"-launcher.java_output=KivLaunch.log", "-launcher.service=true", kCheck});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(
      result.standardOutput.find(
          "; erster Fehler: Der Start w\xFCrde abgebrochen: launcher.java_output=KivLaunch.log "
          "nennt das Protokoll des KivLaunchers. Java darf diese Datei nicht \xFC"
          "berschreiben, bitte eine andere Datei angeben.;"),
      std::string::npos)
      << result.standardOutput;
  EXPECT_FALSE(app.Exists("jre64/bin/javaw.received"));
}

}  // namespace
}  // namespace e2e
