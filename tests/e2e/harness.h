#pragma once

// Runs the real launcher binary in a temporary installation folder: the
// native stand-in or, under Wine, KivLauncher.exe, both started from Linux;
// or KivLauncher.exe started by this program built for Windows itself.
// harness.cpp is the same for all; harness_posix.cpp and harness_win32.cpp
// start and wait for processes and make the folder.

#include <string>
#include <vector>

namespace e2e {

struct RunResult {
  int exitCode = -1;
  std::string standardOutput;
  std::string standardError;
};

class Installation {
 public:
  Installation();
  ~Installation();
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;

  const std::string& Root() const { return root_; }
  std::string Path(const std::string& relative) const;
  void Write(const std::string& relative, const std::string& content) const;
  void MakeDirectory(const std::string& relative) const;
  // The launcher under test, as folder\KivLauncher(.exe).
  void AddLauncher(const std::string& folder = "") const;
  // The fake javaw.exe as folder\bin\javaw.exe.
  void AddJava(const std::string& folder) const;
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;

  // The launcher in launcherFolder, started in workingFolder with the
  // arguments (each without blanks).
  RunResult Run(const std::vector<std::string>& arguments, const std::string& launcherFolder = "",
                const std::string& workingFolder = "") const;
  // Started, not waited for; returns the process id.
  int Start(const std::vector<std::string>& arguments) const;
  // The launcher given exactly this command line, as a Windows parent may
  // give it (CreateProcess with the program's path apart, the line without
  // its name); only the Windows program can.
  RunResult RunCommandLine(const std::string& commandLine) const;

  // The log with the build time, run times, Java's running time, computer
  // name, the system's text for an error and this folder's path replaced by
  // <BUILD>, <TIME>, <N>, <HOST>, <TEXT> and <DIR>; CR LF kept.
  std::string NormalizedLog(const std::string& folder = "") const;
  // Any text with the replacements of NormalizedLog.
  std::string Normalized(const std::string& text) const { return Normalize(text); }
  // Any file of the installation, normalized as the log.
  std::string NormalizedFile(const std::string& relative) const;
  // What the fake Java of that folder received, one line each: cwd=, arg=.
  std::vector<std::string> JavaArguments(const std::string& javaFolder) const;

 private:
  std::string Normalize(std::string text) const;
  // Waited for, its output read and removed.
  RunResult Finished(int pid) const;
  std::vector<std::string> LauncherCommand(const std::string& launcherFolder,
                                           const std::vector<std::string>& arguments) const;
  std::string root_;
};

// The launcher under test is KivLauncher.exe, under Wine or on Windows.
bool WindowsLauncher();
// It runs under Wine, whose relay trace shows the calls it makes (on the
// standard error of a run started from Linux).
bool UnderWine();
// This program itself runs on Linux, where a test can make what Windows
// cannot (a folder deeper than MAX_PATH).
bool DrivenFromLinux();
std::string LauncherName();
// Waits for the process started by Installation::Start.
int WaitFor(int pid);
// Ends it at once, as the task manager does.
void Kill(int pid);
// For this program and the processes it starts from now on.
void SetEnvironment(const std::string& name, const std::string& value);
// Polls until the file exists; false after the time-out.
bool WaitForFile(const std::string& path, int seconds);
std::string Crlf(const std::string& text);
// Seconds that Java ran, as the launcher reports them, read as <N>.
std::string NormalizeElapsed(const std::string& text);

// What each platform's part provides to harness.cpp.
namespace platform_part {

// A new empty folder, in the form the launcher reports its paths.
std::string MakeTemporaryFolder();
char PathSeparator();
// The forms in which the launcher may name a path of this program.
std::vector<std::string> FormsOf(const std::string& path);
// argv[0] is the program; standard input is empty.
int Spawn(const std::vector<std::string>& argv, const std::string& directory,
          const std::string& outputPath, const std::string& errorPath);
// The program given the command line as it is; only on Windows.
int SpawnCommandLine(const std::string& program, const std::string& commandLine,
                     const std::string& directory, const std::string& outputPath,
                     const std::string& errorPath);

}  // namespace platform_part

}  // namespace e2e
