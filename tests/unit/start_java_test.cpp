// Starting Java: keep, keep-and-kill, service mode and a failed start.

#include "process/start_java.h"

#include <gtest/gtest.h>

#include "report/error_report.h"
#include "tests/unit/test_log.h"

namespace {

using Events = std::vector<std::string>;

const char kKeep[] =
    "launcher.keep=true -> Der Launcher l\xE4uft weiter, solange der java-Prozess l\xE4uft.\n";
const char kKeepAndKill[] =
    "launcher.keep_and_kill=true -> Der Launcher l\xE4uft weiter, solange der java-Prozess "
    "l\xE4uft "
    "und der java-Prozess wird mitbeendet, falls der KivLauncher beendet wird.\n";
const char kIgnoreKeep[] =
    "Ignoriere den Parameter launcher.keep, da launcher.service=true gesetzt ist\n";
const char kIgnoreKeepAndKill[] =
    "Ignoriere den Parameter launcher.keep_and_kill, da launcher.service=true gesetzt ist\n";
const char kPid[] = "PID des Prozesses wird auf Konsole ausgegeben: 4242\n";
// Java, created suspended, runs only once it is in the job; after its own end
// the job no longer kills what it started. Java's handles close before the job.
const Events kJobEvents = {"create job",         "assign 4242", "resume 4242", "wait 4242",
                           "lift kill-on-close", "close 4242",  "close job"};
const Events kClosed = {"close 4242"};

struct StartCase {
  bool serviceMode;
  std::string keep, keepAndKill;
  bool breakaway;
  std::string logged;
  Events events;
  std::string standardOutput;
};

TEST(StartJava, SupervisionAsTheSwitchesSay) {
  const StartCase cases[] = {
      {false, "false", "false", false, "", kClosed, ""},
      {false, "true", "false", false, kKeep, {"wait 4242", "close 4242"}, ""},
      {false, "True", "1", false, "", kClosed, ""},
      {false, "true", "true", true, kKeepAndKill, kJobEvents, ""},
      {false, "false", "true", true, kKeepAndKill, kJobEvents, ""},
      {true, "true", "true", false, std::string(kIgnoreKeep) + kIgnoreKeepAndKill + kPid, kClosed,
       "pid:4242"},
      {true, "false", "false", false, kPid, kClosed, "pid:4242"},
  };
  for (const StartCase& c : cases) {
    testing_log::Start();
    Settings settings = InitialSettings();
    settings.Set("launcher.keep", c.keep);
    settings.Set("launcher.keep_and_kill", c.keepAndKill);
    EXPECT_EQ(StartJava("java.exe -x", DecideSupervision(settings, c.serviceMode)).failure, "");
    ASSERT_EQ(fake::Get().started.size(), 1u);
    EXPECT_EQ(fake::Get().started[0].breakawayFromJob, c.breakaway);
    EXPECT_EQ(fake::Get().started[0].suspended, c.breakaway);
    EXPECT_EQ(testing_log::Text(), c.logged);
    EXPECT_EQ(fake::Get().events, c.events);
    EXPECT_EQ(fake::Get().standardOutput, c.standardOutput);
    EXPECT_EQ(fake::Get().broughtToFront, std::vector<unsigned long>{4242});
  }
}

TEST(StartJava, FailedAssignmentIsLoggedAndTheLauncherStillWaits) {
  testing_log::Start();
  fake::Get().assignError = 5;
  Settings settings = InitialSettings();
  settings.Set("launcher.keep_and_kill", "true");
  EXPECT_EQ(StartJava("java.exe", DecideSupervision(settings, false)).failure, "");
  EXPECT_EQ(testing_log::Text(),
            std::string(kKeepAndKill) +
                "Der java-Prozess konnte keinem Job zugeordnet werden und kann darum nicht "
                "zusammen mit dem KivLauncher beendet werden: 5\n");
  EXPECT_EQ(fake::Get().events, kJobEvents);
}

// Without a job Java still runs, only unbound; a Java that cannot be resumed
// never ran, and that is a failed start.
TEST(StartJava, JobThatCannotBeMadeOrJavaThatCannotBeResumed) {
  const std::string unbound =
      "Der java-Prozess konnte keinem Job zugeordnet werden und kann darum nicht zusammen mit "
      "dem KivLauncher beendet werden: 1450\n";
  const std::string failure =
      "Java konnte nicht aufgerufen werden:\njava.exe\nArbeitsverzeichnis: C:\\App\n\n"
      "Abhilfe: java64 und java nennen je einen Java-Ordner mit bin\\javaw.exe; bei Windows-Fehler "
      "5 "
      "oder 1260 die Zugriffsrechte und AppLocker pr\xFC"
      "fen.";
  const struct {
    unsigned long jobError, resumeError;
    std::string failure, logged;
    Events events;
  } cases[] = {
      {1450,
       0,
       "",
       kKeepAndKill + unbound,
       {"create job", "resume 4242", "wait 4242", "close 4242"}},
      {0,
       5,
       failure,
       kKeepAndKill + std::string("=== Startfehler Start ===\n") + failure +
           "\nWindows-Fehler 5: " + fake::ErrorText(5) + "\n=== Startfehler Ende ===\n",
       {"create job", "assign 4242", "resume 4242", "close 4242", "close job"}},
  };
  for (const auto& c : cases) {
    testing_log::Start();
    fake::Get().jobError = c.jobError;
    fake::Get().resumeError = c.resumeError;
    Settings settings = InitialSettings();
    settings.Set("launcher.keep_and_kill", "true");
    EXPECT_EQ(StartJava("java.exe", DecideSupervision(settings, false)).failure, c.failure);
    EXPECT_EQ(testing_log::Text(), c.logged);
    EXPECT_EQ(fake::Get().events, c.events);
  }
}

// A job that forbids breakaway refuses the flag with "access denied" only;
// any other refusal, or "access denied" outside a job, is a failed start.
TEST(StartJava, BreakawayRefusedByTheJobStartsJavaInsideIt) {
  struct Case {
    unsigned long error;
    bool inJob;
    std::string keepAndKill;
    size_t starts;
    std::string logged;
  };
  const std::string refused =
      "Der java-Prozess darf den Job des KivLaunchers nicht verlassen (Fehler 5) -> Er wird "
      "innerhalb dieses Jobs gestartet.\n";
  const Case cases[] = {
      {5, true, "true", 1, refused + kKeepAndKill},
      {2, true, "true", 0, ""},
      {5, false, "true", 0, ""},
      {5, true, "false", 1, ""},
  };
  for (const Case& c : cases) {
    testing_log::Start();
    fake::Get().breakawayError = c.error;
    fake::Get().inJob = c.inJob;
    Settings settings = InitialSettings();
    settings.Set("launcher.keep_and_kill", c.keepAndKill);
    std::string failure = StartJava("java.exe", DecideSupervision(settings, false)).failure;
    EXPECT_EQ(failure.empty(), c.starts == 1) << c.error;
    ASSERT_EQ(fake::Get().started.size(), c.starts) << c.error;
    if (c.starts == 1) {
      EXPECT_FALSE(fake::Get().started[0].breakawayFromJob);
      EXPECT_EQ(fake::Get().started[0].suspended, c.keepAndKill == "true");
      EXPECT_EQ(testing_log::Text(), c.logged);
      EXPECT_EQ(fake::Get().events, c.keepAndKill == "true" ? kJobEvents : kClosed);
    } else {
      EXPECT_EQ(testing_log::Text(), "=== Startfehler Start ===\n" + failure + "\nWindows-Fehler " +
                                         std::to_string(c.error) + ": " + fake::ErrorText(c.error) +
                                         "\n=== Startfehler Ende ===\n");
    }
  }
}

// The text is masked where it leaves, in the log as in the report.
TEST(StartJava, FailedStartReturnsTheTextTheLogMasks) {
  testing_log::Start();
  fake::Get().failingPrograms = {"C:\\none"};
  const std::string failure =
      "Java konnte nicht aufgerufen werden:\n"
      "C:\\none\\bin\\javaw.exe -Dautologin.pwd=% -cp \"a\" app\n"
      "Arbeitsverzeichnis: C:\\App\n\n"
      "Abhilfe: java64 und java nennen je einen Java-Ordner mit bin\\javaw.exe; bei Windows-Fehler "
      "5 "
      "oder 1260 die Zugriffsrechte und AppLocker pr\xFC"
      "fen.";
  auto with = [&failure](const std::string& password) {
    std::string text = failure;
    return text.replace(text.find('%'), 1, password);
  };
  EXPECT_EQ(
      StartJava("C:\\none\\bin\\javaw.exe -Dautologin.pwd=geheim -cp \"a\" app", Supervision())
          .failure,
      with("geheim"));
  EXPECT_EQ(testing_log::Text(), "=== Startfehler Start ===\n" + with("xxxx") +
                                     "\nWindows-Fehler 2: Systemfehler 2.\n"
                                     "=== Startfehler Ende ===\n");
  EXPECT_TRUE(fake::Get().events.empty());
}

}  // namespace
