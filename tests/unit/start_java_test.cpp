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
      {false, "false", "false", false, "", {}, ""},
      {false, "true", "false", false, kKeep, {"wait 4242", "close 4242"}, ""},
      {false, "True", "1", false, "", {}, ""},
      {false,
       "true",
       "true",
       true,
       kKeepAndKill,
       {"create job", "assign 4242", "wait 4242", "close 4242", "close job"},
       ""},
      {false,
       "false",
       "true",
       true,
       kKeepAndKill,
       {"create job", "assign 4242", "wait 4242", "close 4242", "close job"},
       ""},
      {true,
       "true",
       "true",
       false,
       std::string(kIgnoreKeep) + kIgnoreKeepAndKill + kPid,
       {},
       "pid:4242"},
      {true, "false", "false", false, kPid, {}, "pid:4242"},
  };
  for (const StartCase& c : cases) {
    testing_log::Start();
    SetServiceMode(c.serviceMode);
    Settings settings = InitialSettings();
    settings.Set("launcher.keep", c.keep);
    settings.Set("launcher.keep_and_kill", c.keepAndKill);
    EXPECT_EQ(StartJava("java.exe -x", settings), "");
    SetServiceMode(false);
    ASSERT_EQ(fake::Get().started.size(), 1u);
    EXPECT_EQ(fake::Get().started[0].breakawayFromJob, c.breakaway);
    EXPECT_EQ(testing_log::Text(), c.logged);
    EXPECT_EQ(fake::Get().events, c.events);
    EXPECT_EQ(fake::Get().standardOutput, c.standardOutput);
  }
}

TEST(StartJava, FailedAssignmentIsLoggedAndTheLauncherStillWaits) {
  testing_log::Start();
  fake::Get().assignError = 5;
  Settings settings = InitialSettings();
  settings.Set("launcher.keep_and_kill", "true");
  EXPECT_EQ(StartJava("java.exe", settings), "");
  EXPECT_EQ(testing_log::Text(),
            std::string(kKeepAndKill) +
                "Der java-Prozess konnte keinem Job zugeordnet werden und kann darum nicht "
                "zusammen mit dem KivLauncher beendet werden: 5\n");
  EXPECT_EQ(fake::Get().events,
            (Events{"create job", "assign 4242", "wait 4242", "close 4242", "close job"}));
}

TEST(StartJava, FailedStartReturnsTheTextWithThePasswordMasked) {
  testing_log::Start();
  fake::Get().failingPrograms = {"C:\\none"};
  const std::string failure =
      "Java konnte nicht aufgerufen werden:\n"
      "C:\\none\\bin\\javaw.exe -Dautologin.pwd=xxxx -cp \"a\" app\n"
      "Arbeitsverzeichnis: C:\\App\n\nBitte kontaktieren Sie den Support.";
  EXPECT_EQ(
      StartJava("C:\\none\\bin\\javaw.exe -Dautologin.pwd=geheim -cp \"a\" app", InitialSettings()),
      failure);
  EXPECT_EQ(testing_log::Text(),
            "=== Startfehler Start ===\n" + failure + "\n=== Startfehler Ende ===\n");
  EXPECT_TRUE(fake::Get().events.empty());
}

}  // namespace
