// Launchers started together in one folder, as on a terminal server: none
// writes into another's log.

#include <gtest/gtest.h>

#include "tests/e2e/installation_fixture.h"

namespace e2e {
namespace {

using Concurrency = StandardInstallation;

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// A log another launcher holds is left to it; its own goes beside it as
// KivLaunch-<process id>.log, and every log is one whole run. The runs
// differ in length, so that one written over another shows.
TEST_F(Concurrency, EveryLogHoldsOneWholeRun) {
  ASSERT_EQ(app.Run({"-Dkiv.run=zzz"}).exitCode, 0);
  ASSERT_EQ(LogFiles(app.Root()), std::vector<std::string>{"KivLaunch.log"});
  const std::string single = app.NormalizedLog();
  std::vector<int> launchers;
  for (int i = 1; i <= 20; ++i) {
    launchers.push_back(app.Start({"-Dkiv.run=" + std::string(i, 'r')}));
  }
  for (int pid : launchers) EXPECT_EQ(WaitFor(pid), 0);
  std::vector<std::string> logs = LogFiles(app.Root());
  EXPECT_GE(logs.size(), 1u);
  for (const std::string& name : logs) {
    std::string log = app.NormalizedFile(name);
    size_t value = log.find("-Dkiv.run=") + 10;
    std::string run = log.substr(value, log.find_first_not_of('r', value) - value);
    EXPECT_EQ(log, Replaced(single, "zzz", run)) << name;
  }
}

}  // namespace
}  // namespace e2e
