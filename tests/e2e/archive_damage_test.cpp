// The class-data archive with the real launcher: a damaged archive never
// stops a start.

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/installation_fixture.h"

namespace e2e {
namespace {

using ArchiveDamage = StandardInstallation;

// Java has ended, and written what it received, when the run returns.
const char kKeep[] = "-launcher.keep=true";

void UseArchive(const Installation& app) {
  app.Write("launch.properties",
            "classpath.default=lib\\app.jar;lib\\util.jar\njava64=jre64\nQV=-Dapp=qv app.Main\n"
            "launcher.class_archive=archiv\n");
  app.Write("jre64/release", "JAVA_VERSION=\"17.0.13\"\n");
}

// The file name of the path an option of Java's last start names; empty
// when Java got no such option.
std::string OptionFile(const Installation& app, const std::string& option) {
  for (const std::string& line : app.JavaArguments("jre64")) {
    if (line.compare(0, option.size() + 4, "arg=" + option) == 0) {
      return line.substr(line.find_last_of("\\/") + 1);
    }
  }
  return std::string();
}

// The first 4096 bytes of a Java 17 archive (header version 11) whose
// second region starts at 4096 and holds 65536 bytes; read-only, as Java
// writes it (mode 0444, Windows' read-only attribute).
void WriteCut(const Installation& app, const std::string& relative) {
  std::string bytes(4096, '\0');
  bytes.replace(0, 4, "\xA8\xAB\x0B\xF0");
  bytes[8] = 11;
  bytes[16 + 72 + 24 + 1] = 0x10;
  bytes[16 + 72 + 40 + 2] = 0x01;
  app.Write(relative, bytes);
  std::filesystem::permissions(app.Path(relative), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
}

TEST_F(ArchiveDamage, ACutArchiveOrDumpIsDeletedAndJavaStartsWithout) {
  UseArchive(app);
  EXPECT_EQ(app.Run({kKeep}).exitCode, 0);
  std::string dump = OptionFile(app, "-XX:ArchiveClassesAtExit=");
  ASSERT_FALSE(dump.empty());
  std::string archive = dump.substr(0, dump.find('.')) + ".jsa";
  WriteCut(app, "archiv/" + dump);
  EXPECT_EQ(app.Run({kKeep}).exitCode, 0);
  EXPECT_FALSE(app.Exists("archiv/" + dump));
  EXPECT_FALSE(app.Exists("archiv/" + archive));
  std::string ownDump = OptionFile(app, "-XX:ArchiveClassesAtExit=");
  EXPECT_FALSE(ownDump.empty());
  WriteCut(app, "archiv/" + archive);
  EXPECT_EQ(app.Run({kKeep}).exitCode, 0);
  EXPECT_FALSE(app.Exists("archiv/" + archive));
  EXPECT_EQ(OptionFile(app, "-XX:"), "");
  EXPECT_NE(app.NormalizedLog().find("ist unvollst\xE4ndig und wird gel\xF6scht"),
            std::string::npos);
}

TEST_F(ArchiveDamage, AnUnsetVariableCreatesNoFolder) {
  UseArchive(app);
  EXPECT_EQ(app.Run({"-launcher.class_archive=%KIV_NICHT_GESETZT%\\x", kKeep}).exitCode, 0);
  EXPECT_FALSE(app.Exists("%KIV_NICHT_GESETZT%"));
  EXPECT_EQ(OptionFile(app, "-XX:"), "");
  EXPECT_NE(
      app.NormalizedLog().find("-> kein Klassenarchiv, %KIV_NICHT_GESETZT% ist nicht gesetzt"),
      std::string::npos);
}

}  // namespace
}  // namespace e2e
