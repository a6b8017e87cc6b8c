// Handing the run to the launcher of a ready copy.

#include "installation/distributed_installation.h"

#include <gtest/gtest.h>

#include "process/executor.h"
#include "report/error_report.h"
#include "tests/unit/test_log.h"

namespace {

// Decided, then carried out, and the report shown as the entry shows it;
// nothing when the installation is no distributed one. The decision stays
// where it is: moving into the copy is the start's.
std::optional<int> ResolveDistributedInstallation(const std::string& arguments,
                                                  bool serviceMode = false,
                                                  bool waitForChild = false) {
  std::optional<HandOver> handOver;
  std::string before = fake::Get().currentDirectory;
  RunEnd end = DecideDistributedInstallation(arguments, serviceMode, waitForChild, &handOver);
  EXPECT_EQ(fake::Get().currentDirectory, before);
  if (!end && !handOver) return std::nullopt;
  Stop stop = end ? *end : kStart.handOver(*handOver, Secrets());
  if (!stop.report.empty()) {
    ReportError(stop.report,
                serviceMode ? ReportChannel::kServiceOutput : ReportChannel::kMessageBox,
                Secrets());
  }
  return stop.exitCode;
}

const char kSearching[] =
    "\n===== Verteilte Installation =====\n"
    "Der Ordner lib wurde nicht gefunden, darum wird eine verteilte Installation vermutet. Suche "
    "das neueste Verzeichnis mit Datei 'Bereit.txt'.\n";

void Copies(const std::vector<std::string>& ready, const std::vector<std::string>& notReady) {
  testing_log::Start();
  fake::Get().directories.erase("C:\\App\\lib");
  for (const std::string& name : ready) {
    fake::AddFile("C:\\App\\" + name + "\\Bereit.txt", "");
    fake::AddFile("C:\\App\\" + name + "\\Anwendung\\KivLauncher.exe", "MZ");
  }
  for (const std::string& name : notReady) {
    fake::AddFile("C:\\App\\" + name + "\\Anwendung\\KivLauncher.exe", "MZ");
  }
}

TEST(DecideDistributedInstallation, LastReadyCopyInListingOrder) {
  struct Case {
    std::vector<std::string> ready, notReady;
    std::string chosen;
  };
  const Case cases[] = {
      {{"3.2.0.14", "3.2.0.15"}, {}, "3.2.0.15\\Anwendung\\"},
      {{"3.2.0.14"}, {"3.2.0.15"}, "3.2.0.14\\Anwendung\\"},
      {{"3.2.0.9", "3.2.0.10"}, {}, "3.2.0.9\\Anwendung\\"},
      {{}, {"3.2.0.15"}, ""},
  };
  for (const Case& c : cases) {
    Copies(c.ready, c.notReady);
    fake::AddFile("C:\\App\\Bereit.txt", "");
    std::optional<HandOver> handOver;
    DecideDistributedInstallation("", false, false, &handOver);
    EXPECT_EQ(handOver ? handOver->folder : "", c.chosen);
  }
}

TEST(ResolveDistributedInstallation, LibFolderMeansNormalInstallation) {
  testing_log::Start();
  EXPECT_EQ(ResolveDistributedInstallation("-a=b"), std::nullopt);
  EXPECT_EQ(testing_log::Text(),
            "\n===== Verteilte Installation =====\n"
            "Der Ordner lib wurde gefunden. -> Keine verteilte Installation!\n");
  testing_log::Start();
  fake::Get().directories.erase("C:\\App\\lib");
  fake::AddFile("C:\\App\\lib", "a file, not a folder");
  EXPECT_EQ(ResolveDistributedInstallation(""), 1);
}

TEST(ResolveDistributedInstallation, HandsOverWithoutWaiting) {
  Copies({"3.2.0.14", "3.2.0.15"}, {});
  EXPECT_EQ(ResolveDistributedInstallation("-start=abc -launcher.keep=true"), 0);
  EXPECT_EQ(fake::Get().currentDirectory, "C:\\App\\3.2.0.15\\Anwendung");
  ASSERT_EQ(fake::Get().started.size(), 1u);
  EXPECT_EQ(fake::Get().started[0].commandLine,
            "3.2.0.15\\Anwendung\\KivLauncher.exe -start=abc -launcher.keep=true");
  EXPECT_EQ(testing_log::Text(),
            std::string(kSearching) +
                "Arbeitsverzeichnis gewechselt zu verteilter Installation: "
                "C:\\App\\3.2.0.15\\Anwendung\n"
                "Starte Kindprozess 3.2.0.15\\Anwendung\\KivLauncher.exe -start=abc "
                "-launcher.keep=true ohne auf Konsolenausgabe zu warten\n");
}

// The child launcher reads its own tail from the command line: a program
// path cut at a blank would hand it a wrong one. Windows finds the program
// by its full path alone, wherever the parent's exe lies.
TEST(ResolveDistributedInstallation, CopyFolderWithBlankIsQuoted) {
  Copies({"Version 2"}, {});
  EXPECT_EQ(ResolveDistributedInstallation("-start=abc"), 0);
  ASSERT_EQ(fake::Get().started.size(), 1u);
  EXPECT_EQ(fake::Get().started[0].commandLine,
            "\"Version 2\\Anwendung\\KivLauncher.exe\" -start=abc");
  EXPECT_EQ(fake::Get().started[0].program, "C:\\App\\Version 2\\Anwendung\\KivLauncher.exe");
}

// Past Windows' limit the child cannot start: the report says why, and the
// run ends as a failed hand-over ends, with nothing started.
TEST(ResolveDistributedInstallation, ChildCommandLineTooLong) {
  const std::string arguments = "-read=" + std::string(32760, 'x');
  for (bool service : {false, true}) {
    const std::string report =
        "Der KivLauncher der verteilten Installation kann nicht gestartet werden: Die "
        "Kommandozeile ist " +
        std::string(service ? "32782" : "32801") +
        " Zeichen lang, Windows erlaubt h\xF6"
        "chstens 32767 Zeichen (einschlie\xDF"
        "lich des Endezeichens).";
    Copies({"3.2.0.15"}, {});
    EXPECT_EQ(ResolveDistributedInstallation(arguments, service), service ? 0 : 1);
    EXPECT_TRUE(fake::Get().started.empty());
    EXPECT_TRUE(fake::Get().pipeCommands.empty());
    EXPECT_EQ(fake::Get().standardOutput, service ? "err:" + report : "");
    EXPECT_EQ(fake::Get().messageBoxes, service
                                            ? std::vector<std::string>{}
                                            : std::vector<std::string>{"Fehler: " + report + "\n"});
  }
}

TEST(ResolveDistributedInstallation, WaitsForTheChildWhenAsked) {
  for (unsigned long code : {0ul, 1ul, 3ul}) {
    Copies({"3.2.0.15"}, {});
    fake::Get().exitCode = code;
    EXPECT_EQ(ResolveDistributedInstallation("-launcher.check=true", false, true),
              code == 0 ? 0 : 1);
    EXPECT_EQ(fake::Get().events, (std::vector<std::string>{"wait 4242", "close 4242"}));
    std::string log = testing_log::Text();
    EXPECT_EQ(log.substr(log.rfind("zu warten\n")),
              "zu warten\nKindprozess beendet mit Exitcode " + std::to_string(code) + "\n");
  }
}

// The child receives the password; the log of either hand-over does not.
TEST(ResolveDistributedInstallation, PasswordIsMaskedInTheHandOverLine) {
  const std::string arguments = "-Dautologin.pwd=\"Geheim Wort\" -Dautologin.pwd=g2 -start=abc";
  const std::string masked = "-Dautologin.pwd=xxxx -Dautologin.pwd=xxxx -start=abc";
  for (bool serviceMode : {false, true}) {
    Copies({"3.2.0.15"}, {});
    fake::Get().pipeAnswer = "pid:1";
    EXPECT_EQ(ResolveDistributedInstallation(arguments, serviceMode), 0);
    std::string log = testing_log::Text();
    std::string started =
        serviceMode ? fake::Get().pipeCommands.at(0) : fake::Get().started.at(0).commandLine;
    EXPECT_NE(started.find(arguments), std::string::npos);
    EXPECT_NE(log.find("KivLauncher.exe " + masked + (serviceMode ? " und" : " ohne")),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("Geheim"), std::string::npos);
    EXPECT_EQ(log.find("g2"), std::string::npos);
  }
}

TEST(ResolveDistributedInstallation, FailedChildStart) {
  Copies({"3.2.0.15"}, {});
  fake::Get().failingPrograms = {"3.2.0.15"};
  EXPECT_EQ(ResolveDistributedInstallation(""), 1);
  EXPECT_EQ(fake::Get().messageBoxes,
            std::vector<std::string>{"Fehler: Der KivLauncher konnte nicht gestartet werden. Dies "
                                     "deutet auf eine defekte verteilte Installation hin.\n"
                                     "C:\\App\\3.2.0.15\\Anwendung\\KivLauncher.exe: "
                                     "Windows-Fehler 2: Systemfehler 2.\n"});
  std::string log = testing_log::Text();
  EXPECT_EQ(log.substr(log.find("zu warten\n")),
            "zu warten\nWindows-Fehler 2: Systemfehler 2.\n=== Messagebox Start ===\n"
            "Der KivLauncher konnte nicht gestartet werden. Dies deutet auf eine defekte verteilte "
            "Installation hin.\nC:\\App\\3.2.0.15\\Anwendung\\KivLauncher.exe: Windows-Fehler 2: "
            "Systemfehler 2.\n\n=== Messagebox Ende ===\n");
}

TEST(ResolveDistributedInstallation, ReadyCopyWithoutAnwendung) {
  testing_log::Start();
  fake::Get().directories.erase("C:\\App\\lib");
  fake::AddFile("C:\\App\\3.2.0.15\\Bereit.txt", "");
  EXPECT_EQ(ResolveDistributedInstallation(""), 1);
  EXPECT_EQ(fake::Get().messageBoxes,
            std::vector<std::string>{"Fehler: Es konnte nicht in das Unterverzeichnis "
                                     "'3.2.0.15\\Anwendung\\' gewechselt werden, da es nicht "
                                     "existiert! \n"});
  EXPECT_EQ(fake::Get().currentDirectory, "C:\\App");
}

TEST(ResolveDistributedInstallation, CopyFolderThatCannotBeEnteredSaysWhy) {
  Copies({"3.2.0.15"}, {});
  fake::Get().lockedDirectory = "C:\\App\\3.2.0.15\\Anwendung";
  fake::Get().enterError = 5;
  EXPECT_EQ(ResolveDistributedInstallation(""), 1);
  EXPECT_EQ(fake::Get().messageBoxes,
            std::vector<std::string>{"Fehler: Es konnte nicht in das Unterverzeichnis "
                                     "'3.2.0.15\\Anwendung\\' gewechselt werden: Windows-Fehler "
                                     "5: Systemfehler 5.\n"});
}

struct ServiceCase {
  const char* answer;
  std::string standardOutput;
  std::string logTail;
};

// Whatever happens, the service sees exit code 0 and the child's whole
// answer, or the report, on standard output.
TEST(ResolveDistributedInstallation, ServiceModePassesTheChildsWholeAnswerOn) {
  const std::string longLine(3000, 'x');
  const std::string noAnswer =
      "Der aufgerufene KivLauncher lieferte keine Antwort zur\xFC"
      "ck!\n";
  const std::string broken =
      "Der KivLauncher konnte nicht gestartet werden. Dies deutet auf eine defekte verteilte "
      "Installation hin.\nC:\\App\\3.2.0.15\\Anwendung\\KivLauncher.exe: Windows-Fehler 2: "
      "Systemfehler 2.\n";
  const std::string returned =
      "Aus Kindprozess zur\xFC"
      "ckgekehrt mit Konsolenausgabe: ";
  const ServiceCase cases[] = {
      {"pid:4711", "pid:4711", returned + "pid:4711"},
      {"first\nsecond\n", "first\nsecond\n", returned + "first\nsecond\n"},
      {longLine.c_str(), longLine.substr(0, 2047), returned + longLine.substr(0, 2047)},
      {"", "err:" + noAnswer.substr(0, noAnswer.size() - 1),
       "=== Messagebox Start ===\n" + noAnswer + "\n=== Messagebox Ende ===\n"},
      {nullptr, "err:" + broken.substr(0, broken.size() - 1),
       "Windows-Fehler 2: Systemfehler 2.\n=== Messagebox Start ===\n" + broken +
           "\n=== Messagebox Ende ===\n"},
  };
  for (const ServiceCase& c : cases) {
    Copies({"3.2.0.15"}, {});
    fake::Get().pipeAnswer = c.answer;
    EXPECT_EQ(ResolveDistributedInstallation("-launcher.service=true", true), 0);
    EXPECT_EQ(fake::Get().pipeCommands,
              std::vector<std::string>{"KivLauncher.exe -launcher.service=true"});
    EXPECT_EQ(fake::Get().standardOutput, c.standardOutput);
    EXPECT_TRUE(fake::Get().messageBoxes.empty());
    std::string log = testing_log::Text();
    std::string expected = std::string(kSearching) +
                           "Arbeitsverzeichnis gewechselt zu verteilter Installation: "
                           "C:\\App\\3.2.0.15\\Anwendung\n"
                           "Starte Kindprozess KivLauncher.exe -launcher.service=true und warte "
                           "auf Konsolenausgabe\n" +
                           c.logTail;
    EXPECT_EQ(log, expected);
  }
}

// No command interpreter between the launchers: the copy's own launcher by its
// full path, the command line as logged, and the pipe closed before the wait
// so that a child still writing cannot block it.
TEST(ResolveDistributedInstallation, ServiceModeStartsTheChildDirectly) {
  Copies({"3.2.0.15"}, {});
  fake::Get().pipeAnswer = "pid:4711";
  EXPECT_EQ(ResolveDistributedInstallation("-launcher.service=true -pwd=a%OS%b&c", true), 0);
  ASSERT_EQ(fake::Get().started.size(), 1u);
  const fake::StartedProcess& child = fake::Get().started[0];
  EXPECT_EQ(child.program, "C:\\App\\3.2.0.15\\Anwendung\\KivLauncher.exe");
  EXPECT_EQ(child.commandLine, "KivLauncher.exe -launcher.service=true -pwd=a%OS%b&c");
  EXPECT_TRUE(child.outputPipe);
  EXPECT_FALSE(child.breakawayFromJob || child.suspended);
  EXPECT_EQ(fake::Get().events,
            (std::vector<std::string>{"close pipe", "wait 4242", "close 4242"}));
}

}  // namespace
