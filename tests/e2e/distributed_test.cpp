// Hand-over to the launcher of a ready copy: real child launchers in the
// copies' Anwendung folders.

#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <thread>

#include "tests/e2e/installation_fixture.h"

namespace e2e {
namespace {

void AddCopy(const Installation& copies, const std::string& name, bool ready = true) {
  std::string anwendung = name + "/Anwendung";
  if (ready) copies.Write(name + "/Bereit.txt", "");
  copies.AddLauncher(anwendung);
  copies.MakeDirectory(anwendung + "/lib");
  copies.Write(anwendung + "/launch.properties", kLaunchProperties);
  copies.Write(anwendung + "/customlaunch.properties", kCustomLaunchProperties);
  copies.AddJava(anwendung + "/jre64");
}

// The child's whole log, once it has ended its run.
std::string ChildLog(const Installation& copies, const std::string& name) {
  std::string log = name + "/Anwendung/KivLaunch.log";
  for (int i = 0; i < 600; ++i) {
    if (copies.Exists(log) && copies.Read(log).find("COMPLETE.\r\n") != std::string::npos) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return copies.NormalizedLog(name + "/Anwendung");
}

// The folder that holds the copies, with the launcher that finds them.
class Distributed : public testing::Test {
 protected:
  void SetUp() override { copies.AddLauncher(); }
  Installation copies;
};

std::string Searching(const std::string& tail) {
  return LogStart(tail) +
         "\n"
         "===== Verteilte Installation =====\n"
         "Der Ordner lib wurde nicht gefunden, darum wird eine verteilte Installation vermutet. "
         "Suche das neueste Verzeichnis mit Datei 'Bereit.txt'.\n";
}

std::string HandedOver(const std::string& name, const std::string& tail) {
  return Searching(tail) + "Arbeitsverzeichnis gewechselt zu verteilter Installation: <DIR>\\" +
         name + "\\Anwendung\n";
}

std::string ChildRun(const std::string& name, const std::string& tail,
                     const std::map<std::string, std::string>& changes = {}) {
  std::string log = StandardRunUntilStart(tail, changes) + Java64Start("QV", "-Dapp=qv app.Main") +
                    "LAUNCH PROCESS FOR 64 BIT COMPLETE.\n";
  const std::string at = "beim Start: <DIR>";
  log.insert(log.find(at) + at.size(), "\\" + name + "\\Anwendung");
  return log;
}

struct ChoiceCase {
  std::vector<std::string> ready, notReady;
  std::string chosen;
};

TEST(DistributedChoice, LastReadyCopyInListingOrderTakesOver) {
  const ChoiceCase cases[] = {
      {{"3.2.0.14", "3.2.0.15"}, {}, "3.2.0.15"},
      {{"3.2.0.14"}, {"3.2.0.15"}, "3.2.0.14"},
      {{"3.2.0.9", "3.2.0.10"}, {}, "3.2.0.9"},
  };
  for (const ChoiceCase& c : cases) {
    Installation copies;
    copies.AddLauncher();
    for (const std::string& name : c.ready) AddCopy(copies, name);
    for (const std::string& name : c.notReady) AddCopy(copies, name, false);
    RunResult result = copies.Run({"-launcher.keep=false"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.standardOutput, "");
    EXPECT_EQ(copies.NormalizedLog(),
              Crlf(HandedOver(c.chosen, "-launcher.keep=false") + "Starte Kindprozess " + c.chosen +
                   "\\Anwendung\\KivLauncher.exe -launcher.keep=false ohne auf Konsolenausgabe zu "
                   "warten\n"));
    EXPECT_EQ(ChildLog(copies, c.chosen), Crlf(ChildRun(c.chosen, "-launcher.keep=false")));
    for (const std::string& name : c.ready) {
      EXPECT_EQ(copies.Exists(name + "/Anwendung/KivLaunch.log"), name == c.chosen) << name;
    }
  }
}

// The child reads its own tail from the command line: its quoted path keeps
// the folder's blank out of the tail.
TEST_F(Distributed, CopyFolderWithBlank) {
  AddCopy(copies, "Version 2");
  RunResult result = copies.Run({"-launcher.keep=false"});
  EXPECT_EQ(result.exitCode, 0);
  // The stand-in's folders end in "/Anwendung", which the normalised log
  // turns into "\Anwendung" only up to the first blank.
  auto windowsForm = [](std::string log) {
    return std::regex_replace(log, std::regex("Version 2/"), "Version 2\\");
  };
  EXPECT_EQ(windowsForm(copies.NormalizedLog()),
            Crlf(HandedOver("Version 2", "-launcher.keep=false") +
                 "Starte Kindprozess \"Version 2\\Anwendung\\KivLauncher.exe\" "
                 "-launcher.keep=false ohne auf Konsolenausgabe zu warten\n"));
  EXPECT_EQ(windowsForm(ChildLog(copies, "Version 2")),
            Crlf(ChildRun("Version 2", "-launcher.keep=false")));
}

TEST(DistributedBroken, BrokenInstallationsEndWithTheirReport) {
  struct Case {
    const char* name;
    void (*setUp)(Installation&);
    std::string report;
  };
  const std::string none =
      "Es wurde eine verteilte Installation gefunden, aber keine Bereit.txt Datei in den "
      "Unterordnern! \nEine normale Installation braucht den Ordner lib in <DIR>.\n";
  const Case cases[] = {
      {"ready copy without Anwendung", [](Installation& i) { i.Write("3.2.0.15/Bereit.txt", ""); },
       "Es konnte nicht in das Unterverzeichnis '3.2.0.15\\Anwendung\\' gewechselt werden, da es "
       "nicht existiert! \n"},
      {"no ready copy", [](Installation& i) { i.MakeDirectory("3.2.0.15/Anwendung"); }, none},
      {"a file named lib", [](Installation& i) { i.Write("lib", "not a folder"); }, none},
  };
  for (const Case& c : cases) {
    Installation copies;
    copies.AddLauncher();
    c.setUp(copies);
    RunResult result = copies.Run({});
    EXPECT_EQ(result.exitCode, 1) << c.name;
    EXPECT_EQ(copies.NormalizedLog(), Crlf(Searching("") + Report(c.report))) << c.name;
  }
}

TEST_F(Distributed, ServiceModePassesTheChildsAnswerOn) {
  AddCopy(copies, "3.2.0.15");
  RunResult result = copies.Run({"-launcher.service=true"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(std::regex_match(result.standardOutput, std::regex("pid:[0-9]+")))
      << result.standardOutput;
  const std::string service =
      "launcher.service=true -> Launcher arbeitet im Service-Modus (gestartet von "
      "KivLaunchService)\n";
  std::string parent = HandedOver("3.2.0.15", "-launcher.service=true");
  parent.insert(parent.find("\n===== Verteilte"), service);
  EXPECT_EQ(copies.NormalizedLog(),
            Crlf(parent +
                 "Starte Kindprozess KivLauncher.exe -launcher.service=true und warte auf "
                 "Konsolenausgabe\n"
                 "Aus Kindprozess zur\xFC"
                 "ckgekehrt mit Konsolenausgabe: " +
                 result.standardOutput));
  std::string child =
      ChildRun("3.2.0.15", "-launcher.service=true", {{"launcher.service", "true"}});
  child.insert(child.find("\n===== Verteilte"), service);
  child.insert(child.find("LAUNCH PROCESS"), "PID des Prozesses wird auf Konsole ausgegeben: " +
                                                 result.standardOutput.substr(4) + "\n");
  EXPECT_EQ(ChildLog(copies, "3.2.0.15"), Crlf(child));
}

// The child gets the arguments unchanged, whatever the command interpreter
// between the two launchers would make of them.
TEST_F(Distributed, ServiceModeArgumentsReachTheChildUnchanged) {
  AddCopy(copies, "3.2.0.15");
  const std::string odd = "-Dkiv.note=a&b|c>d^e(f)";
  RunResult result = copies.Run({"-launcher.service=true", odd});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(std::regex_match(result.standardOutput, std::regex("pid:[0-9]+")))
      << result.standardOutput;
  EXPECT_NE(ChildLog(copies, "3.2.0.15").find(Crlf("=====\n-launcher.service=true " + odd + "\n")),
            std::string::npos);
  EXPECT_EQ(copies.JavaArguments("3.2.0.15/Anwendung/jre64").back(), "arg=app.Main");
  EXPECT_FALSE(copies.Exists("3.2.0.15/Anwendung/d^e(f)"));
}

TEST_F(Distributed, ServiceModeChildThatCannotStartJava) {
  AddCopy(copies, "3.2.0.15");
  copies.Write("3.2.0.15/Anwendung/InWartung.txt", "");
  RunResult result = copies.Run({"-launcher.service=true"});
  EXPECT_EQ(result.exitCode, 0);
  // The child's whole answer, as a direct start gives it; on Windows the
  // text-mode output ends its first line with CR LF.
  EXPECT_EQ(result.standardOutput,
            "err:Das Programm ist im Wartungsmodus und kann daher nicht gestartet werden." +
                std::string(WindowsLauncher() ? "\r\n" : "\n") +
                "Bitte versuchen Sie es sp\xE4ter noch einmal.");
}

TEST_F(Distributed, MaintenanceMarkerBesideTheCopiesDoesNotCount) {
  AddCopy(copies, "3.2.0.15");
  copies.Write("InWartung.txt", "");
  EXPECT_EQ(copies.Run({}).exitCode, 0);
  EXPECT_EQ(ChildLog(copies, "3.2.0.15"), Crlf(ChildRun("3.2.0.15", "")));
}

// No command interpreter between the two launchers: %NAME% is not expanded,
// and & " ^ are no operators.
TEST_F(Distributed, ServiceModeHandOverLeavesEveryCharacterAlone) {
  AddCopy(copies, "3.2.0.15");
  RunResult result = copies.Run({"-launcher.service=true", "-Dkiv.note=%PATH%&\"^\"x"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(std::regex_match(result.standardOutput, std::regex("pid:[0-9]+")))
      << result.standardOutput;
  const std::string banner = Crlf("===== Kommandozeilenparameter =====\n");
  std::string parent = copies.NormalizedLog();
  std::string tail = parent.substr(parent.find(banner) + banner.size());
  tail.resize(tail.find('\r'));
  EXPECT_NE(tail.find("-Dkiv.note=%PATH%&"), std::string::npos) << tail;
  EXPECT_NE(ChildLog(copies, "3.2.0.15").find(banner + tail + "\r\n"), std::string::npos);
  std::vector<std::string> java = copies.JavaArguments("3.2.0.15/Anwendung/jre64");
  EXPECT_NE(std::find(java.begin(), java.end(), "arg=-Dkiv.note=%PATH%&\"^\"x"), java.end());
}

}  // namespace
}  // namespace e2e
