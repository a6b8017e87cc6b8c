// Installations laid out as administrators deploy them. CreateProcessA
// without a program name looks for a relative path in the folder of the
// running exe first, then in the working directory: tests that always start
// the launcher from its own folder hide that.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tests/e2e/installation_fixture.h"

namespace e2e {
namespace {

// Each shape plain and in service mode, %TEMP% with an umlaut: Java of the
// installation, or of its ready copy, starts there with its command line.
TEST(Deployment, EveryShapeStartsItsJava) {
  Installation temporary;
  temporary.MakeDirectory("M\xFCller");
  const char* const names[] = {"TEMP", "TMP", "TMPDIR"};
  std::string saved[3];
  for (int i = 0; i < 3; ++i) {
    saved[i] = std::getenv(names[i]) ? std::getenv(names[i]) : "";
    SetEnvironment(names[i], temporary.Path("M\xFCller"));
  }
  // Where the installations go now: on Windows in that folder.
  const std::string longName = "Filiale " + std::string(200 - Installation().Root().size(), 'x');
  struct Shape {
    std::string launcherIn, startedIn, installation;  // empty: the installation
    bool distributed;
  };
  const Shape shapes[] = {{"", "", "Kasse 1", false},
                          {"Zentrale Ablage", "", "Kasse 1", true},
                          {"", "Desktop", "Kasse 1", false},
                          {"", "", "M\xFCller", true},
                          {"Zentrale Ablage", "", "M\xFCller", false},
                          {"", "Desktop", "M\xFCller", true},
                          {"", "", longName, false},
                          {"Zentrale Ablage", "", longName, true},
                          {"", "Desktop", longName, true}};
  for (const Shape& shape : shapes) {
    // Wine started from Linux keeps names in UTF-8: the Windows program runs these.
    if (DrivenFromLinux() && WindowsLauncher() && shape.installation == "M\xFCller") continue;
    for (bool service : {false, true}) {
      Installation root;
      std::string java = shape.installation + (shape.distributed ? "/3.2.0.15/Anwendung" : "");
      root.AddLauncher(shape.launcherIn.empty() ? shape.installation : shape.launcherIn);
      if (shape.distributed) root.AddLauncher(java);
      root.Write(shape.installation + "/3.2.0.15/Bereit.txt", "");
      root.MakeDirectory(java + "/lib");
      root.Write(java + "/launch.properties", kLaunchProperties);
      root.Write(java + "/customlaunch.properties", kCustomLaunchProperties);
      root.AddJava(java + "/jre64");
      root.MakeDirectory(shape.startedIn);
      std::vector<std::string> arguments = {service ? "-launcher.service=true"
                                                    : "-launcher.keep=false"};
      if (!shape.startedIn.empty()) arguments.push_back("-launcher.cwd=true");
      RunResult result =
          root.Run(arguments, shape.launcherIn.empty() ? shape.installation : shape.launcherIn,
                   shape.startedIn.empty() ? shape.installation : shape.startedIn);
      std::string where = shape.installation.substr(0, 9) + shape.launcherIn + shape.startedIn;
      EXPECT_EQ(result.exitCode, 0) << where << service;
      EXPECT_EQ(result.standardOutput.substr(0, 4), service ? "pid:" : "") << where << service;
      std::vector<std::string> received = root.JavaArguments(java + "/jre64");
      for (std::string& line : received) std::replace(line.begin(), line.end(), '/', '\\');
      std::replace(java.begin(), java.end(), '/', '\\');
      EXPECT_EQ(received,
                (std::vector<std::string>{
                    "cwd=<DIR>\\" + java, "arg=-Djava.util.Arrays.useLegacyMergeSort=true",
                    "arg=-Xms32M", "arg=-Xmx512M", "arg=-cp", "arg=lib\\app.jar;lib\\util.jar",
                    "arg=-Dapp=qv", "arg=app.Main"}))
          << where << service;
    }
  }
  for (int i = 0; i < 3; ++i) SetEnvironment(names[i], saved[i]);
}

}  // namespace
}  // namespace e2e
