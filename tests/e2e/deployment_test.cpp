// Installations laid out as administrators deploy them. CreateProcessA
// without a program name looks for a relative path in the running exe's
// folder, then in the working directory: tests that always start the
// launcher from its own folder hide that.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tests/e2e/installation_fixture.h"

namespace e2e {
namespace {

// Each shape plain and in service mode, %TEMP% in a folder with an umlaut:
// the Java of the installation, or of its ready copy, gets its command line.
TEST(Deployment, EveryShapeStartsItsJava) {
  Installation temporary;
  temporary.MakeDirectory("M\xFCller");
  const char* const names[] = {"TEMP", "TMP", "TMPDIR"};
  std::string saved[3];
  for (int i = 0; i < 3; ++i) {
    saved[i] = std::getenv(names[i]) ? std::getenv(names[i]) : "";
    SetEnvironment(names[i], temporary.Path("M\xFCller"));
  }
  const std::string longName = "Filiale " + std::string(200 - Installation().Root().size(), 'x');
  // The launcher's folder (a central share) and where it starts (elsewhere,
  // with -launcher.cwd=true); empty: the installation.
  const std::pair<std::string, std::string> places[] = {
      {"", ""}, {"Zentrale Ablage", ""}, {"", "Desktop"}};
  bool distributed = true;
  for (const std::string& installation :
       {std::string("Kasse 1"), std::string("M\xFCller"), longName}) {
    for (const auto& [launcherIn, startedIn] : places) {
      distributed = !distributed;
      // Wine started from Linux keeps names in UTF-8; the Windows program runs these.
      if (DrivenFromLinux() && WindowsLauncher() && installation == "M\xFCller") continue;
      for (bool service : {false, true}) {
        Installation root;
        std::string java = installation + (distributed ? "/3.2.0.15/Anwendung" : "");
        root.AddLauncher(launcherIn.empty() ? installation : launcherIn);
        if (distributed) root.AddLauncher(java);
        root.Write(installation + "/3.2.0.15/Bereit.txt", "");
        root.MakeDirectory(java + "/lib");
        root.Write(java + "/launch.properties", kLaunchProperties);
        root.Write(java + "/customlaunch.properties", kCustomLaunchProperties);
        root.AddJava(java + "/jre64");
        root.MakeDirectory(startedIn);
        std::string mode = service ? "-launcher.service=true" : "-launcher.keep=false";
        RunResult result =
            root.Run({mode, "-launcher.cwd=" + std::string(startedIn.empty() ? "false" : "true")},
                     launcherIn.empty() ? installation : launcherIn,
                     startedIn.empty() ? installation : startedIn);
        std::string where = installation.substr(0, 9) + launcherIn + startedIn + mode;
        EXPECT_EQ(result.exitCode, 0) << where;
        EXPECT_EQ(result.standardOutput.substr(0, 4), service ? "pid:" : "") << where;
        std::vector<std::string> received = root.JavaArguments(java + "/jre64");
        for (std::string& line : received) std::replace(line.begin(), line.end(), '/', '\\');
        std::replace(java.begin(), java.end(), '/', '\\');
        EXPECT_EQ(received,
                  (std::vector<std::string>{
                      "cwd=<DIR>\\" + java, "arg=-Djava.util.Arrays.useLegacyMergeSort=true",
                      "arg=-Xms32M", "arg=-Xmx512M", "arg=-cp", "arg=lib\\app.jar;lib\\util.jar",
                      "arg=-Dapp=qv", "arg=app.Main"}))
            << where;
      }
    }
  }
  for (int i = 0; i < 3; ++i) SetEnvironment(names[i], saved[i]);
}

}  // namespace
}  // namespace e2e
