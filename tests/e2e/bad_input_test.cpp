// What a user gets from bad installations and command lines: a clear
// message and exit code 1, or a normal start; never a crash or a hang
// (a run that hangs is killed by the harness and fails its exit code).

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <regex>

#include "tests/e2e/installation_fixture.h"

namespace e2e {
namespace {

using BadInput = StandardInstallation;

const char kComplete[] = "LAUNCH PROCESS FOR 64 BIT COMPLETE.\r\n";
const char kComplete32[] = "LAUNCH PROCESS FOR 32 BIT COMPLETE.\r\n";

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string RandomBytes(size_t count, unsigned seed) {
  std::mt19937 generator(seed);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(generator() & 0xFF);
  return bytes;
}

std::string Contains(const std::string& log, const std::string& text) {
  return log.find(text) != std::string::npos ? "yes" : "missing: " + text;
}

TEST_F(BadInput, PropertiesFileOfRandomBytesIsLoggedAndTheStartGoesOn) {
  app.Write("customlaunch.properties", RandomBytes(4096, 7));
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(EndsWith(app.NormalizedLog(), kComplete));
}

TEST_F(BadInput, NulBytesReachTheLogUnchanged) {
  const std::string line = std::string("note=a\0b", 8);
  app.Write("customlaunch.properties", std::string("# \0 comment\n", 12) + line + "\n");
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 0);
  std::string log = app.NormalizedLog();
  EXPECT_EQ(Contains(log, line + " // FOUND: \"note\"=\"" + line.substr(5) + "\"\r\n"), "yes");
  EXPECT_EQ(Contains(log, std::string("# \0 comment\r\n", 13)), "yes");
  EXPECT_TRUE(EndsWith(log, kComplete));
}

TEST_F(BadInput, HugeLinesAndFilesAreReadWhole) {
  const std::string value(1 << 20, 'v');
  std::string many;
  for (int i = 0; i < 100000; ++i)
    many += "key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
  app.Write("customlaunch.properties", "big=" + value + "\n" + many);
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 0);
  std::string log = app.NormalizedLog();
  EXPECT_EQ(Contains(log, "big = " + value + "\r\n"), "yes");
  EXPECT_EQ(Contains(log, "key99999=99999 // FOUND: \"key99999\"=\"99999\"\r\n"), "yes");
  EXPECT_EQ(Contains(log, "key99999 = 99999\r\n"), "yes");
  EXPECT_TRUE(EndsWith(log, kComplete));
}

// Old Mac line ends end lines as CR LF and LF do: the start finds its entry.
TEST_F(BadInput, OnlyCarriageReturnLineEnds) {
  app.Write("launch.properties", "java64=jre64\rQV=app.Main\r");
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 0);
  std::string log = app.NormalizedLog();
  EXPECT_EQ(Contains(log,
                     "java64=jre64 // FOUND: \"java64\"=\"jre64\"\r\nQV=app.Main // FOUND: "
                     "\"QV\"=\"app.Main\"\r\n\r\n"),
            "yes");
  EXPECT_TRUE(EndsWith(log, kComplete));
  EXPECT_EQ(app.JavaArguments("jre64").back(), "arg=app.Main");
}

TEST_F(BadInput, FoldersWhereFilesBelong) {
  struct Case {
    const char* name;
    int exitCode;
    std::string logEnd;
  };
  const Case cases[] = {
      {"launch.properties", 1,
       Crlf(Report("Die Datei launch.properties konnte nicht ge\xF6"
                   "ffnet werden.\nOrdner: <DIR>, Windows-Fehler " +
                   std::string(WindowsLauncher() ? "5" : "21") + ": <TEXT>\n"))},
      {"InWartung.txt", 0, kComplete},
  };
  for (const Case& c : cases) {
    Installation inst;
    inst.AddLauncher();
    inst.MakeDirectory("lib");
    inst.Write("launch.properties", kLaunchProperties);
    inst.Write("customlaunch.properties", kCustomLaunchProperties);
    inst.AddJava("jre64");
    std::remove(inst.Path(c.name).c_str());
    inst.MakeDirectory(c.name);
    RunResult result = inst.Run({});
    EXPECT_EQ(result.exitCode, c.exitCode) << c.name;
    EXPECT_TRUE(EndsWith(inst.NormalizedLog(), c.logEnd)) << c.name;
  }
}

// A folder in the log's place: the whole log goes beside it, and the report
// names that file. The check runs first: a Java started before may still
// hold the files the harness reads a run's output from.
TEST_F(BadInput, LogThatCannotBeOpened) {
  app.MakeDirectory("KivLaunch.log");
  std::string output =
      app.Normalized(app.Run({"-launcher.check=true", "-launcher.service=true"}).standardOutput);
  std::smatch named;
  ASSERT_TRUE(
      std::regex_search(output, named, std::regex(R"(Protokoll: <DIR>\\(KivLaunch-\d+\.log)$)")))
      << output;
  EXPECT_TRUE(app.Exists(named[1]));
  RunResult result = app.Run({"-start=abc"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(app.JavaArguments("jre64").back(), "arg=app.Main");
  std::string beside;
  for (const std::string& name : LogFiles(app.Root())) {
    std::string log = name == "KivLaunch.log" ? "" : app.NormalizedFile(name);
    if (EndsWith(log, kComplete)) beside = log;
  }
  std::filesystem::remove(app.Path("KivLaunch.log"));
  ASSERT_EQ(app.Run({"-start=abc"}).exitCode, 0);
  EXPECT_EQ(beside, app.NormalizedLog());
}

// A start that writes beside a held log removes the fall-back logs of
// earlier runs last written more than a week ago (logs, by their first line).
TEST_F(BadInput, StaleFallBackLogsAreRemoved) {
  app.MakeDirectory("KivLaunch.log");
  auto now = std::filesystem::file_time_type::clock::now();
  for (int days : {8, 6}) {
    std::string name = "KivLaunch-" + std::to_string(days) + "1.log";
    app.Write(name, "$Id: launcher, v5.1.0.35 built Dec  1 2026 12:00:00$\r\n");
    std::filesystem::last_write_time(app.Path(name), now - std::chrono::hours(24 * days));
  }
  ASSERT_EQ(app.Run({}).exitCode, 0);
  EXPECT_FALSE(app.Exists("KivLaunch-81.log"));
  EXPECT_TRUE(app.Exists("KivLaunch-61.log"));
}

// Windows takes command lines of up to 32767 characters.
TEST_F(BadInput, LongCommandLineAndManyEscapes) {
  std::string plusses;
  for (int i = 0; i < 2000; ++i) plusses += "+++";
  RunResult result = app.Run({"-filler=" + std::string(25900, 'f'), "-read_app=a" + plusses + "b"});
  EXPECT_EQ(result.exitCode, 0);
  std::string log = app.NormalizedLog();
  EXPECT_EQ(Contains(log, "ADDITIONAL PARAMETERS:a" + std::string(2000, ' ') + "b\r\n"), "yes");
  EXPECT_EQ(Contains(log, std::string(25900, 'f') + " -read_app"), "yes");
  EXPECT_TRUE(EndsWith(log, kComplete));
  std::vector<std::string> received = app.JavaArguments("jre64");
  ASSERT_GE(received.size(), 2u);
  EXPECT_EQ(received[received.size() - 2], "arg=a");
  EXPECT_EQ(received.back(), "arg=b");
}

TEST_F(BadInput, HostPatternOfFortyStars) {
  app.Write("customlaunch.properties",
            "java64=missing\njava64.host." + std::string(40, '*') + "=jre64\n");
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(EndsWith(app.NormalizedLog(), kComplete));
}

TEST_F(BadInput, HeapValuesOutOfRangeOrWithoutNumber) {
  app.Write("customlaunch.properties",
            "java64=missing\njava=jre64\nmemory.initial=M\n"
            "memory.maximum=99999999999M\n");
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 0);
  std::string log = app.NormalizedLog();
  EXPECT_EQ(Contains(log,
                     "Speicherparameter \"memory.initial\" betraegt 0 Bytes -> Wird reduziert "
                     "auf 768M, da von 32 Bit nicht mehr unterstuetzt\r\n"),
            "yes");
  EXPECT_EQ(Contains(log,
                     "Speicherparameter \"memory.maximum\" betraegt 2251799812636672 Bytes -> "
                     "Wird reduziert auf 768M, da von 32 Bit nicht mehr unterstuetzt\r\n"),
            "yes");
  EXPECT_TRUE(EndsWith(log, kComplete32));
  std::vector<std::string> received = app.JavaArguments("jre64");
  EXPECT_EQ(received[2], "arg=-Xms768M");
  EXPECT_EQ(received[3], "arg=-Xmx768M");
}

TEST_F(BadInput, StartValueHoldingClasspathOption) {
  RunResult result = app.Run({"-start=cp"});
  app.Write("customlaunch.properties", "CP=-cp x.jar app.Main\n");
  result = app.Run({"-start=cp"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(Contains(app.NormalizedLog(), "Anzahl von '-cp' eintr\xE4gen in Kommandozeile: 2"),
            "yes");
  EXPECT_FALSE(app.Exists("jre64/bin/javaw.received"));
}

// Quoted, or Java's own launcher would take the rest of the path for its
// main class (and CreateProcess would first try "Java.exe").
TEST_F(BadInput, JavaDirectoryHoldingBlanks) {
  app.AddJava("Java Home/jre 64");
  app.Write("customlaunch.properties", "java64=Java Home\\jre 64\n");
  RunResult result = app.Run({});
  EXPECT_EQ(result.exitCode, 0);
  std::string log = app.NormalizedLog();
  const std::string quoted = "\"Java Home\\jre 64\\bin\\javaw.exe\" -Djava";
  EXPECT_EQ(Contains(log, "\r\n" + quoted), "yes");
  EXPECT_TRUE(EndsWith(log, kComplete));
  EXPECT_EQ(app.JavaArguments("Java Home/jre 64").back(), "arg=app.Main");
  if (WindowsLauncher()) {
    EXPECT_EQ(Contains(app.Read("Java Home/jre 64/bin/javaw.received"), "\ncmdline=" + quoted),
              "yes");
  }
}

}  // namespace
}  // namespace e2e
