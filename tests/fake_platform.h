#pragma once

// The platform of the in-process tests: an in-memory file system with
// Windows paths, chosen probe answers, and a record of what the launcher did.

#include <cstddef>
#include <ctime>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fake {

struct StartedProcess {
  std::string commandLine;
  bool breakawayFromJob;
  bool suspended = false;
  std::string program;
  bool outputPipe = false;
  // The file that received its standard output and error, empty for none.
  std::string outputPath;
};

// How a started process ends: after so long on the clock, with this code,
// having printed this into its output file.
struct ProcessOutcome {
  unsigned long long runMilliseconds = 0;
  unsigned long exitCode = 0;
  std::string printed;
};

// A local time; weekday 0 is Sunday.
std::tm LocalTime(int year, int month, int day, int weekday, int hour, int minute, int second);

// What ExitImmediately throws, so that a test sees the exit code.
struct Exit {
  int code;
};

struct State {
  std::map<std::string, std::string> files;
  std::set<std::string> directories;
  std::string currentDirectory;
  std::string executablePath;
  std::string commandLine;
  std::string computerName = "PC-07";
  std::string dnsHostName = "PC-07";
  unsigned long processId = 4242;
  std::string temporaryFolder = "C:\\Users\\anna\\AppData\\Local\\Temp\\";
  unsigned ansiCodePage = 1252;
  // Held open by another process that lets nobody else write them.
  std::set<std::string> heldFiles;
  // Writes to these files fail, as on a full disk.
  std::set<std::string> fullDiskFiles;
  // Sun Dec  6 12:57:17 2026
  std::tm localTime = LocalTime(2026, 12, 6, 0, 12, 57, 17);
  bool runsUnderWow64 = true;
  bool olderThanWindows7 = false;
  // A start fails when its command line begins with one of these, with
  // startError.
  std::vector<std::string> failingPrograms;
  unsigned long startError = 2;
  // Why a folder that is not there, or this one, cannot be entered.
  unsigned long enterError = 3;
  std::string lockedDirectory;
  unsigned long assignError = 0;
  unsigned long jobError = 0;
  unsigned long resumeError = 0;
  // A wait fails with this error number, when not 0.
  unsigned long waitError = 0;
  // A start with breakaway fails with this error number, when not 0.
  unsigned long breakawayError = 0;
  // The launcher runs in a job, so that a refused breakaway is the job's.
  bool inJob = true;
  // What every waited-for process beyond the outcomes ends with.
  unsigned long exitCode = 0;
  // In start order; a process beyond the list ends at once with exitCode.
  std::vector<ProcessOutcome> outcomes;
  // Moved on only by the waits for a process.
  unsigned long long clock = 0;
  // The most bytes one read of a file returns: small, so that lines and
  // line ends cross the pieces.
  size_t readPieceBytes = 3;
  // Stands for a line too long for the memory: a read calls the new-handler.
  bool readFailsWithBadAlloc = false;
  // Null: the pipe cannot be opened; empty: the child answers nothing.
  const char* pipeAnswer = "";

  std::map<std::string, std::string> environment;
  // Folders in which nothing can be created, and the folders below them.
  std::set<std::string> readOnlyFolders;
  // Files another process holds open for writing: they cannot be renamed
  // or removed.
  std::set<std::string> openFiles;
  // Seconds since each file was last written; absent: just now.
  std::map<std::string, unsigned long long> fileAges;
  // Seconds since each file was last used; absent: just now.
  std::map<std::string, unsigned long long> fileUseAges;

  std::vector<std::string> messageBoxes;
  std::string standardOutput;
  std::string standardError;
  std::vector<StartedProcess> started;
  std::vector<std::string> pipeCommands;
  // The ids of the processes allowed to come to the front.
  std::vector<unsigned long> broughtToFront;
  bool shutsDownAfterApplications = false;
  // Resumes, waits, job assignments, lifts and closes, in order.
  std::vector<std::string> events;
};

State& Get();
// A fresh state: C:\App holds KivLauncher.exe and a lib folder and is the
// working directory.
void Reset();
std::string Absolute(const std::string& path);
void AddFile(const std::string& path, const std::string& content);
void AddDirectory(const std::string& path);
std::string ReadLog(const std::string& folder = "C:\\App");
// The system's text for an error number, as the fake gives it.
std::string ErrorText(unsigned long number);

}  // namespace fake
