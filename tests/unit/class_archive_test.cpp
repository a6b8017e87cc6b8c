// The class-data archive: Java's version from its release file, the options
// each Java gets, and whole starts on the fake platform.

#include "jvm/class_archive.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

#include "jvm/java_release.h"
#include "launcher/startup_sequence.h"
#include "process/executor.h"
#include "settings/settings.h"
#include "tests/unit/archive_file.h"
#include "tests/unit/test_log.h"
#include "tests/zip_bytes.h"

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
      {"JAVA_VERSION=\"17.0.13\nOS_NAME=\"Windows\"\n", "", 0},
      {"JAVA_VERSION=\"17\x01\xFF\"\n", "", 0},
      {"JAVA_VERSION=\"17.0.13", "", 0},
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
      {25, false, true, " -XX:AOTCacheOutput=C:\\D.dump"},
      {26, true, true, " -XX:AOTCache=C:\\A.jsa"},
      {25, false, false, ""},
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
  fake::AddFile("C:\\App\\lib\\app.jar", zip_bytes::Zip({zip_bytes::kMainClass}));
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
  fake::AddFile(dump, archive_file::Java17(5000, 5000));
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
    std::string release, readOnly, logged, file = "", parameters = "";
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
      {"17.0.13", "", prefix + kFolder + " ist eine Datei, kein Ordner\n", kFolder},
      {"25.0.3", "",
       prefix + "AOT-Cache: nicht m\xF6glich, der Klassenpfad enth\xE4lt den Ordner classes;",
       "C:\\App\\classes\\M.class", " -classpath.default=lib\\app.jar;classes"},
  };
  for (const Case& c : cases) {
    Install(c.release);
    if (!c.file.empty()) fake::AddFile(c.file, "");
    if (!c.readOnly.empty()) {
      fake::AddDirectory(c.readOnly);
      fake::Get().readOnlyFolders.insert(c.readOnly);
    }
    std::string line = Start(c.parameters);
    EXPECT_EQ(line.find("-XX:"), std::string::npos) << line;
    EXPECT_NE(testing_log::Text().find(c.logged), std::string::npos) << testing_log::Text();
  }
}

// Everything but the log, to compare the disk before and after a run.
std::pair<std::map<std::string, std::string>, std::set<std::string>> Disk() {
  std::map<std::string, std::string> files = fake::Get().files;
  files.erase("C:\\App\\KivLaunch.log");
  return {files, fake::Get().directories};
}

ClassArchive Plan(const Settings& settings) {
  return DecideClassArchive("C:\\J64", ReadJavaRelease("C:\\J64"), "lib\\app.jar", settings);
}

// Planning only looks; the start creates the folder and adopts the first
// finished dump it can rename, and logs what it did.
TEST(ClassArchivePlan, TheStartCarriesOutTheRecordedSteps) {
  Install("17.0.13");
  Settings settings = InitialSettings();
  settings.Set("launcher.class_archive", "%LOCALAPPDATA%\\Kiv");
  auto disk = Disk();
  ClassArchive planned = Plan(settings);
  EXPECT_EQ(Disk(), disk);
  ASSERT_EQ(planned.steps.size(), 1u);
  EXPECT_EQ(planned.steps[0].kind, ArchiveStep::Kind::kCreateFolder);
  EXPECT_EQ(planned.steps[0].path, kFolder);
  EXPECT_EQ(
      kStart.prepare(planned),
      std::vector<std::string>{std::string("Ordner f\xFCr Klassenarchive angelegt: ") + kFolder});
  EXPECT_TRUE(fake::Get().directories.count(kFolder));

  std::string dump = OptionPath(planned.options, "\"-XX:ArchiveClassesAtExit=");
  std::string later = dump.substr(0, dump.size() - 5) + "1.dump";
  for (const std::string& whole : {dump, later}) {
    fake::AddFile(whole, archive_file::Java17(5000, 5000));
  }
  disk = Disk();
  planned = Plan(settings);
  EXPECT_EQ(Disk(), disk);
  ASSERT_EQ(planned.steps.size(), 2u);
  EXPECT_EQ(planned.steps[1].kind, ArchiveStep::Kind::kAdopt);
  EXPECT_EQ(planned.options, " \"-XX:SharedArchiveFile=" + planned.file + "\"");
  fake::Get().openFiles.insert(dump);
  EXPECT_EQ(kStart.prepare(planned), std::vector<std::string>{"Klassenarchiv \xFC"
                                                              "bernommen: " +
                                                              later + " -> " + planned.file});
  EXPECT_TRUE(fake::Get().files.count(planned.file));
  EXPECT_TRUE(fake::Get().files.count(dump));
  EXPECT_FALSE(fake::Get().files.count(later));
}

// Check mode reads the folder as the start would find it and changes
// nothing: neither a missing folder nor a finished dump.
TEST(ClassArchiveCheck, LeavesTheDiskAsItWas) {
  Install("17.0.13");
  std::string dump = OptionPath(Start(), "\"-XX:ArchiveClassesAtExit=");
  fake::Get().directories.erase(kFolder);
  for (bool withDump : {false, true}) {
    if (withDump) fake::AddFile(dump, archive_file::Java17(5000, 5000));
    auto disk = Disk();
    fake::Get().commandLine = "KivLauncher.exe -launcher.check=true";
    EXPECT_EQ(RunLauncher(fake::Get().commandLine), 0);
    EXPECT_EQ(Disk(), disk) << withDump;
    std::string log = testing_log::Text();
    std::string step = withDump
                           ? "Der Start w\xFCrde " + dump + " als "
                           : "Der Start w\xFCrde den Ordner " + std::string(kFolder) + " anlegen\n";
    EXPECT_NE(log.find(step), std::string::npos) << log;
  }
}

// A folder copied with Explorer's "Copy as path" keeps its release file and
// its archive.
TEST(ClassArchiveStart, QuotedJavaFolder) {
  Install("17.0.13");
  fake::AddFile("C:\\App\\customlaunch.properties", "java64=\"C:\\J64\"\n");
  EXPECT_NE(Start().find("-XX:ArchiveClassesAtExit="), std::string::npos);
  fake::Get().commandLine = "KivLauncher.exe -launcher.check=true";
  RunLauncher(fake::Get().commandLine);
  EXPECT_NE(testing_log::Text().find("Version laut C:\\J64\\release: 17.0.13\n"),
            std::string::npos);
}

TEST(ClassArchiveCheck, VersionAndTheArchiveBesideTheBitWidth) {
  Install("17.0.13");
  std::string archive = OptionPath(Start(), "\"-XX:ArchiveClassesAtExit=");
  fake::AddFile(archive, archive_file::Java17(5000, 5000));
  fake::Get().commandLine = "KivLauncher.exe -launcher.check=true";
  EXPECT_EQ(RunLauncher(fake::Get().commandLine), 0);
  std::string log = testing_log::Text();
  std::string adopted = archive.substr(0, archive.find('.', sizeof kFolder)) + ".jsa";
  EXPECT_NE(log.find("Version laut C:\\J64\\release: 17.0.13\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Klassenarchiv: " + adopted + " ist vorhanden, 5000 Bytes\n"),
            std::string::npos)
      << log;
}

// The archive this installation's Java 17 start maps, and its dump.
std::pair<std::string, std::string> ArchiveAndDump() {
  std::string dump = OptionPath(Start(), "\"-XX:ArchiveClassesAtExit=");
  return {dump.substr(0, dump.find('.', sizeof kFolder)) + ".jsa", dump};
}

bool Logged(const std::string& line) {
  return testing_log::Text().find(line + "\n") != std::string::npos;
}

// The first start claims its dump: until that is a day old, or whole, no
// other start of the identity trains, be it running or failed. An empty
// folder in the class path trains; a start that uses the cache marks it.
TEST(ClassArchiveStart, Java25TrainsOneAtATimeAndNotAgainForADayAfterAFailure) {
  Install("25.0.3");
  fake::AddDirectory("C:\\App\\patches");
  const std::string classpath = " -classpath.default=lib\\app.jar;patches";
  std::string dump = OptionPath(Start(classpath), "\"-XX:AOTCacheOutput=");
  EXPECT_EQ(fake::Get().files.count(dump), 1u);
  std::string log = testing_log::Text();
  fake::AddFile(dump + ".config", "");
  fake::Get().processId = 1235;
  EXPECT_EQ(Start(classpath).find("-XX:AOT"), std::string::npos);
  log += testing_log::Text();
  for (const std::string& line : {"Java legt beim Beenden den AOT-Cache " + dump + " an (Training)",
                                  std::string("; dieser Start trainiert, sein Ende dauert"),
                                  dump + ".config ist j\xFCnger als ein Tag"})
    EXPECT_NE(log.find(line), std::string::npos) << line;
  fake::Get().fileAges[dump] = fake::Get().fileAges[dump + ".config"] = 25 * 3600;
  std::string next = OptionPath(Start(classpath), "\"-XX:AOTCacheOutput=");
  EXPECT_FALSE(fake::Get().files.count(dump) || fake::Get().files.count(dump + ".config"));
  // A whole AOT cache of Java 25 (header version 19) with empty regions.
  fake::AddFile(next, std::string("\xA2\xAB\x0B\xF0\0\0\0\0\x13", 9) + std::string(1015, '\0'));
  std::string cache = OptionPath(Start(classpath), "\"-XX:AOTCache=");
  EXPECT_EQ(fake::Get().fileUseAges.at(cache), 0u);
}

// Of the launcher's naming only: dumps of any identity a day after they were
// written, archives of another identity 30 days after their last use, also
// by a start of a Java that gets none; check mode lists them, removes none.
TEST(ClassArchiveStart, LeftoversAndUnusedArchivesGoWhetherOrNotThereIsACache) {
  const std::string other = std::string(kFolder) + "\\KivLauncher-java25-00000000";
  const unsigned long long day = 24 * 3600;
  const std::string old = "vor mehr als einem Tag geschrieben";
  const struct {
    std::string file;
    unsigned long long written, used;
    std::string reason;
  } cases[] = {
      {other + ".PC-01-1.dump", 3 * day, 3 * day, old},
      {other + ".PC-01-1.dump.config", 3 * day, 3 * day, old},
      {other + ".PC-01-2.dump", 20 * 3600, 20 * 3600, ""},
      {other + ".jsa", 40 * day, 31 * day, "30 Tage von keinem Start benutzt"},
      {other + ".aot", 40 * day, 29 * day, ""},
      {std::string(kFolder) + "\\Notizen.jsa", 40 * day, 40 * day, ""},
  };
  Install("");
  for (const auto& c : cases) {
    fake::AddFile(c.file, "");
    fake::Get().fileAges[c.file] = c.written;
    fake::Get().fileUseAges[c.file] = c.used;
  }
  auto disk = Disk();
  fake::Get().commandLine = "KivLauncher.exe -launcher.check=true";
  RunLauncher(fake::Get().commandLine);
  EXPECT_EQ(Disk(), disk);
  std::string check = testing_log::Text();
  Start();
  for (const auto& c : cases) {
    bool listed = check.find(c.file + " l\xF6schen (" + c.reason + ")\n") != std::string::npos;
    EXPECT_EQ(listed && Logged("Klassenarchiv gel\xF6scht (" + c.reason + "): " + c.file),
              !c.reason.empty())
        << c.file;
  }
}

// Java 17 faults at every start on an archive cut short.
TEST(ClassArchiveDamage, AnArchiveCutShortIsDeletedAndTheStartGoesWithout) {
  for (const char* version : {"17.0.13", "21.0.2"}) {
    Install("17.0.13");
    std::string archive = ArchiveAndDump().first;
    Install(version);
    if (std::string(version) != "17.0.13")
      archive = OptionPath(Start(), "\"-XX:SharedArchiveFile=");
    fake::AddFile(archive, archive_file::Java17(103936, 4096));
    EXPECT_EQ(Start().find("-XX:"), std::string::npos) << version;
    EXPECT_FALSE(fake::Get().files.count(archive)) << version;
    EXPECT_TRUE(Logged("Klassenarchiv gel\xF6scht (unvollst\xE4ndig): " + archive)) << version;
    EXPECT_TRUE(Logged("launcher.class_archive=%LOCALAPPDATA%\\Kiv -> kein Klassenarchiv, " +
                       archive + " ist unvollst\xE4ndig und wird gel\xF6scht"))
        << testing_log::Text();
    EXPECT_NE(Start().find("-XX:"), std::string::npos) << version;
  }
}

// A dump cut short is deleted, a whole one adopted; of the others only those
// written more than a day ago go.
TEST(ClassArchiveDamage, DumpsCutShortOrLeftBehindAreDeleted) {
  Install("17.0.13");
  auto [archive, dump] = ArchiveAndDump();
  std::string stem = archive.substr(0, archive.size() - 4);
  const std::string cut = stem + ".PC-01-1.dump", old = stem + ".PC-01-2.dump",
                    young = stem + ".PC-01-3.dump", wholeOld = stem + ".PC-01-4.dump";
  fake::AddFile(dump, archive_file::Java17(5000, 5000));
  fake::AddFile(cut, archive_file::Java17(103936, 4096));
  fake::AddFile(old, std::string(100, '\0'));
  fake::AddFile(young, std::string(100, '\0'));
  fake::Get().fileAges[old] = 2 * 24 * 3600;
  EXPECT_NE(Start().find("-XX:SharedArchiveFile="), std::string::npos);
  EXPECT_TRUE(fake::Get().files.count(archive));
  for (const std::string& gone : {dump, cut, old})
    EXPECT_FALSE(fake::Get().files.count(gone)) << gone;
  EXPECT_TRUE(fake::Get().files.count(young));
  EXPECT_TRUE(Logged("Klassenarchiv gel\xF6scht (vor mehr als einem Tag geschrieben): " + old));
  // A second whole dump of concurrent first starts goes once it is a day old.
  fake::AddFile(wholeOld, archive_file::Java17(5000, 5000));
  Start();
  EXPECT_TRUE(fake::Get().files.count(wholeOld));
  fake::Get().fileAges[wholeOld] = 2 * 24 * 3600;
  Start();
  EXPECT_FALSE(fake::Get().files.count(wholeOld));
}

fake::ProcessOutcome Ends(unsigned long long runMilliseconds, unsigned long exitCode) {
  fake::ProcessOutcome outcome;
  outcome.runMilliseconds = runMilliseconds;
  outcome.exitCode = exitCode;
  return outcome;
}

// Seen within the watch or while the launcher waits; a Java that wrote its
// own dump had no archive to lose. Only a crash counts: an exception code,
// or the report of Java's fault handler, written while this Java ran.
TEST(ClassArchiveDamage, OnlyAJavaThatCrashesLosesItsArchive) {
  const std::string report = "hs_err_pid4243.log", keep = " -launcher.keep=true";
  const std::string errorFile = "jvm.parameter=-XX:ErrorFile=C:\\Logs\\%p%%p%x.log\n";
  const struct {
    std::string parameters;
    fake::ProcessOutcome end;
    std::string report;
    bool kept;
    unsigned long long reportAge = 0;
    std::string custom = "";
  } cases[] = {
      {" -launcher.java_watch=3", Ends(500, 0xC0000005), "", false},
      {" -launcher.java_watch=3", Ends(500, 1), "", true},
      {keep, Ends(90000, 1), "C:\\App\\" + report, false, 91},
      {keep, Ends(90000, 1), "C:\\App\\" + report, true, 100},
      {keep, Ends(90000, 1), fake::Get().temporaryFolder + report, false},
      {keep, Ends(90000, 0), "C:\\App\\" + report, true},
      {keep, Ends(90000, 1), "C:\\Logs\\4243%p%x.log", false, 0, errorFile},
      {keep, Ends(90000, 1), "C:\\App\\" + report, false, 0, errorFile},
  };
  for (const auto& c : cases) {
    Install("17.0.13");
    fake::AddFile("C:\\App\\customlaunch.properties", c.custom);
    std::string archive = ArchiveAndDump().first;
    fake::AddFile(archive, archive_file::Java17(5000, 5000));
    if (!c.report.empty()) fake::AddFile(c.report, "");
    fake::Get().fileAges[c.report] = c.reportAge;
    // The first start wrote the dump.
    fake::Get().outcomes = {fake::ProcessOutcome(), c.end};
    fake::Get().commandLine = "KivLauncher.exe" + c.parameters;
    RunLauncher(fake::Get().commandLine);
    EXPECT_EQ(fake::Get().files.count(archive) > 0, c.kept) << c.parameters << c.end.exitCode;
    EXPECT_EQ(Logged("Klassenarchiv gel\xF6scht (Java ist abgest\xFCrzt): " + archive), !c.kept)
        << testing_log::Text();
  }
}

// Windows tells a file a running Java holds from one access rules protect.
TEST(ClassArchiveDamage, ARemovalThatFailsSaysWhy) {
  for (bool held : {true, false}) {
    Install("17.0.13");
    std::string archive = ArchiveAndDump().first;
    fake::AddFile(archive, archive_file::Java17(103936, 4096));
    (held ? fake::Get().openFiles : fake::Get().readOnlyFolders).insert(held ? archive : kFolder);
    Start();
    EXPECT_TRUE(Logged("Klassenarchiv " + archive +
                       " (unvollst\xE4ndig) konnte nicht gel\xF6scht " +
                       (held ? "werden: die Datei ist noch ge\xF6"
                               "ffnet, Windows-Fehler 32: "
                             : "werden: Zugriffsrechte verbieten es, Windows-Fehler 5: ") +
                       fake::ErrorText(held ? 32 : 5)));
  }
}

}  // namespace
