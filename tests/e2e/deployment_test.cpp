// Installations laid out as administrators deploy them, each on this build,
// in a plain start and in service mode. Windows' CreateProcessA, given no
// program name, looks for a relative path in the folder of the running exe
// first, then in the working directory: tests that always start the
// launcher from its own folder hide that.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <regex>
#include <thread>

#include "tests/e2e/installation_fixture.h"

namespace e2e {
namespace {

// Where the launcher lies and where it is started.
enum class Launcher {
  kInInstallation,  // started in its own folder
  kOnShare,         // in a central folder, started in the installation
  kCwdSwitch,       // in the installation, started elsewhere with -launcher.cwd=true
};

struct Shape {
  Launcher launcher;
  std::string folder;  // the installation's, in Windows-1252
  bool distributed;    // ready copies instead of lib
  bool temporaryFolderWithUmlaut;
};

const char kCopy[] = "3.2.0.15\\Anwendung";

// An installation's files, in the folder itself or in its ready copy.
void AddInstallation(const Installation& root, const std::string& folder, bool withLauncher) {
  if (withLauncher) root.AddLauncher(folder);
  root.MakeDirectory(folder + "/lib");
  root.Write(folder + "/launch.properties", kLaunchProperties);
  root.Write(folder + "/customlaunch.properties", kCustomLaunchProperties);
  root.AddJava(folder + "/jre64");
}

// Natively the launcher names paths with slashes, which the normalised log
// turns into backslashes only up to the first blank.
std::string WindowsForm(std::string text) {
  for (size_t at = text.find("<DIR>"); at != std::string::npos; at = text.find("<DIR>", at + 1)) {
    for (size_t i = at; i < text.size() && text[i] != '\r' && text[i] != '\n'; ++i) {
      if (text[i] == '/') text[i] = '\\';
    }
  }
  return text;
}

// The whole log of the run that starts Java in <DIR>\folder.
std::string JavaRun(const std::string& folder, const std::string& startedIn,
                    const std::string& tail, bool service, const std::string& pid) {
  std::map<std::string, std::string> serviceSetting = {{"launcher.service", "true"}};
  std::string log =
      StandardRunUntilStart(tail, service ? serviceSetting : decltype(serviceSetting)()) +
      Java64Start("QV", "-Dapp=qv app.Main") + "LAUNCH PROCESS FOR 64 BIT COMPLETE.\n";
  const std::string cwdLine =
      "launcher.cwd=false -> Das Arbeitsverzeichnis wurde nicht "
      "automatisch gewechselt.";
  if (tail.find("-launcher.cwd=true") != std::string::npos) {
    log.replace(
        log.find(cwdLine), cwdLine.size(),
        "launcher.cwd=true -> Arbeitsverzeichnis automatisch gewechselt zu: <DIR>\\" + folder);
  }
  log.replace(log.find("<DIR>"), 5, "<DIR>\\" + startedIn);
  if (!service) return log;
  log.insert(log.find("\n===== Verteilte"),
             "launcher.service=true -> Launcher arbeitet im Service-Modus (gestartet von "
             "KivLaunchService)\n");
  log.insert(log.find("LAUNCH PROCESS"),
             "PID des Prozesses wird auf Konsole ausgegeben: " + pid + "\n");
  return log;
}

// The parent's whole log up to the hand-over, in the service's answer.
std::string HandOver(const std::string& folder, const std::string& startedIn,
                     const std::string& tail, bool service, const std::string& answer) {
  std::string log = JavaRun(folder, startedIn, tail, service, "");
  log.erase(log.find("Der Ordner lib wurde gefunden"));
  return log +
         "Der Ordner lib wurde nicht gefunden, darum wird eine verteilte Installation vermutet. "
         "Suche das neueste Verzeichnis mit Datei 'Bereit.txt'.\n"
         "Arbeitsverzeichnis gewechselt zu verteilter Installation: <DIR>\\" +
         folder + "\\" + kCopy + "\nStarte Kindprozess " +
         (service ? "KivLauncher.exe " + tail +
                        " und warte auf Konsolenausgabe\nAus Kindprozess zur\xFC"
                        "ckgekehrt mit Konsolenausgabe: " +
                        answer
                  : std::string(kCopy) + "\\KivLauncher.exe " + tail +
                        " ohne auf Konsolenausgabe zu warten\n");
}

// The log of a launcher that did not wait for its Java, once Java started.
std::string FinishedLog(const Installation& root, const std::string& folder) {
  for (int i = 0; i < 600; ++i) {
    if (root.Exists(folder + "/KivLaunch.log") &&
        root.Read(folder + "/KivLaunch.log").find("COMPLETE.\r\n") != std::string::npos) {
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return WindowsForm(root.NormalizedLog(folder));
}

TEST(Deployment, EveryShapeStartsItsJava) {
  Installation probe;
  // 210 characters in the launcher's form, the copy's javaw.received still
  // within MAX_PATH: Windows keeps an exe that is not long-path aware there.
  const std::string longFolder =
      "Langer Pfad " +
      std::string(197 - probe.Root().size() - (DrivenFromLinux() && WindowsLauncher() ? 2 : 0),
                  'x');
  const Shape shapes[] = {
      {Launcher::kInInstallation, "Kasse 1", false, false},
      {Launcher::kOnShare, "Kasse 1", true, false},
      {Launcher::kCwdSwitch, "Kasse 1", false, false},
      {Launcher::kInInstallation, "M\xFCller", true, false},
      {Launcher::kOnShare, "M\xFCller", false, true},
      {Launcher::kCwdSwitch, "M\xFCller", true, false},
      {Launcher::kInInstallation, longFolder, false, true},
      {Launcher::kOnShare, longFolder, true, false},
      {Launcher::kCwdSwitch, longFolder, true, false},
  };
  for (const Shape& shape : shapes) {
    for (bool service : {false, true}) {
      Installation root;
      std::string where = std::to_string(static_cast<int>(shape.launcher)) + " " +
                          shape.folder.substr(0, 12) + (service ? " service" : " plain");
      bool cwd = shape.launcher == Launcher::kCwdSwitch;
      std::string launcherFolder =
          shape.launcher == Launcher::kOnShare ? "Zentrale Ablage" : shape.folder;
      std::string startedIn = cwd ? "Desktop" : shape.folder;
      root.AddLauncher(launcherFolder);
      root.MakeDirectory(startedIn);
      std::string javaFolder = shape.folder;
      if (shape.distributed) {
        javaFolder += "/3.2.0.15/Anwendung";
        root.Write(shape.folder + "/3.2.0.15/Bereit.txt", "");
      }
      AddInstallation(root, javaFolder, shape.distributed);
      const char* const temporaryNames[] = {"TEMP", "TMP", "TMPDIR"};
      std::vector<std::string> temporaries;
      for (const char* name : temporaryNames) {
        temporaries.push_back(std::getenv(name) ? std::getenv(name) : "");
        if (shape.temporaryFolderWithUmlaut) SetEnvironment(name, root.Path("Temp M\xFCller"));
      }
      root.MakeDirectory("Temp M\xFCller");
      std::vector<std::string> arguments;
      if (cwd) arguments.push_back("-launcher.cwd=true");
      if (service) arguments.push_back("-launcher.service=true");
      std::string tail = arguments.empty() ? "" : arguments[0];
      if (arguments.size() == 2) tail += " " + arguments[1];
      RunResult result = root.Run(arguments, launcherFolder, startedIn);
      EXPECT_EQ(result.exitCode, 0) << where;
      std::string pid =
          result.standardOutput.substr(std::min<size_t>(4, result.standardOutput.size()));
      EXPECT_EQ(result.standardOutput, service ? "pid:" + pid : "") << where;
      std::string javaRunIn = javaFolder;
      for (char& c : javaRunIn) c = c == '/' ? '\\' : c;
      std::vector<std::string> received = root.JavaArguments(javaFolder + "/jre64");
      for (std::string& line : received) line = WindowsForm(line);
      EXPECT_EQ(received,
                (std::vector<std::string>{
                    "cwd=<DIR>\\" + javaRunIn, "arg=-Djava.util.Arrays.useLegacyMergeSort=true",
                    "arg=-Xms32M", "arg=-Xmx512M", "arg=-cp", "arg=lib\\app.jar;lib\\util.jar",
                    "arg=-Dapp=qv", "arg=app.Main"}))
          << where;
      std::string ownFolder = cwd ? shape.folder : startedIn;
      if (shape.distributed) {
        EXPECT_EQ(WindowsForm(root.NormalizedLog(ownFolder)),
                  Crlf(HandOver(shape.folder, startedIn, tail, service, result.standardOutput)))
            << where;
      }
      EXPECT_EQ(
          FinishedLog(root, javaFolder),
          Crlf(JavaRun(javaRunIn, shape.distributed ? javaRunIn : startedIn, tail, service, pid)))
          << where;
      for (int i = 0; i < 3; ++i) SetEnvironment(temporaryNames[i], temporaries[i]);
    }
  }
}

}  // namespace
}  // namespace e2e
