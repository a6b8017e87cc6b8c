#pragma once

// Every operating-system call the launcher makes. One implementation per
// platform: win32.cpp (the product), posix.cpp (native stand-in) and the
// in-process fake of the tests.

#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

namespace platform {

// Hands the platform what the entry received; only the POSIX stand-in needs it.
void Initialize(int argc, char** argv);

// The process's full command line, program name included (GetCommandLineA).
std::string FullCommandLine();

// Empty when the platform cannot report it.
std::string CurrentDirectory();
bool ChangeDirectory(const std::string& path);
std::string ExecutablePath();

// A file read as raw bytes, piece by piece, so that a big file never needs
// to fit in memory at once.
struct InputFile;
// nullptr when the file cannot be opened for reading (a folder counts as
// such a file).
InputFile* OpenInputFile(const std::string& path);
// Up to maxBytes of the next bytes; 0 at the end of the file or on a read
// error.
size_t ReadInputFile(InputFile* file, char* buffer, size_t maxBytes);
void CloseInputFile(InputFile* file);
// At most the first count bytes; false when the file cannot be opened.
bool ReadFileStart(const std::string& path, size_t count, std::string* content);
// The last maxBytes bytes of the file, or all of a shorter one.
bool ReadFileTail(const std::string& path, size_t maxBytes, std::string* content);
bool FileCanBeOpened(const std::string& path);
bool IsDirectory(const std::string& path);
// Names without "." and "..", in the platform's listing order; false when
// the folder cannot be listed.
bool ListDirectory(const std::string& path, std::vector<std::string>* names);

// Every %NAME% replaced by the environment variable's value; a reference to
// a variable that is not set stays as it is.
std::string ExpandEnvironmentReferences(const std::string& text);
unsigned long ProcessId();
// Creates the folder and every missing folder above it; true when the folder
// exists afterwards.
bool CreateFolders(const std::string& path);
// Whether a new file can be created in the folder; the trial file is gone
// again afterwards.
bool FolderIsWritable(const std::string& folder);
// The size of a file, not of a folder; false when it cannot be examined.
bool FileSize(const std::string& path, unsigned long long* size);
// Renames a file within its folder. Fails when the target exists, and on
// Windows while another process holds the file open without sharing its
// deletion, as Java holds a file it writes.
bool RenameFileNoReplace(const std::string& from, const std::string& to);

struct OutputFile;
// Truncates or creates; nullptr on failure.
OutputFile* CreateOutputFile(const std::string& path);
// Writes and flushes.
void WriteOutputFile(OutputFile* file, const std::string& bytes);
void CloseOutputFile(OutputFile* file);

std::string ComputerName();
bool RunsUnderWow64();
bool LacksK32GetModuleFileNameExA();

void ShowMessageBox(const std::string& text, const std::string& caption);
void WriteStandardOutput(const std::string& bytes);
// The text, a colon, a blank, the system's text for the last error.
void WriteLastErrorLine(const std::string& text);

std::tm CurrentLocalTime();
// A clock that only moves forward; only differences between readings count.
unsigned long long MonotonicMilliseconds();

struct Pipe;
struct Process {
  unsigned long id = 0;
  void* process = nullptr;
  void* thread = nullptr;
  // With StartOptions::outputPipe: where the child's standard output is read.
  Pipe* output = nullptr;
  // After a failed start: the system's error number.
  unsigned long error = 0;
};
// The system's answer when a start may not leave the launcher's job.
constexpr unsigned long kErrorAccessDenied = 5;
// How a process is started; every default is the plain start.
struct StartOptions {
  bool breakawayFromJob = false;
  // Held before its first instruction until ResumeProcess.
  bool suspended = false;
  // The program file, used as it is; empty: the command line's first word,
  // found by the system's search.
  std::string program;
  // The child's standard output goes to a pipe; its standard input and error
  // are the launcher's own. No other handle is inherited.
  bool outputPipe = false;
  // Receives the process's standard output and standard error and is, with
  // nothing on standard input, all it inherits.
  OutputFile* output = nullptr;
};
// The most characters CreateProcess takes in a command line.
constexpr size_t kMaxCommandLineLength = 32767;
// Without outputPipe or output no handle is inherited; the launcher's
// environment and working directory.
bool StartProcess(const std::string& commandLine, const StartOptions& options, Process* process);
void ResumeProcess(const Process& process);
// Waits until the process has ended; returns its exit code.
unsigned long WaitForProcess(const Process& process);
// True, with the exit code, when the process ended within the milliseconds.
bool WaitForProcessEnd(const Process& process, unsigned long milliseconds, unsigned long* exitCode);
void CloseProcess(const Process& process);

struct Job;
// A job that ends its processes when its last handle is closed.
Job* CreateKillOnCloseJob();
// Returns 0 on success, else the system's error number.
unsigned long AssignProcessToJob(Job* job, const Process& process);
// From now on closing the job leaves its processes running.
void LiftKillOnClose(Job* job);
void CloseJob(Job* job);

// Up to and including the first line feed, at most maxBytes - 1 bytes, read
// as text; false when nothing could be read.
bool ReadPipeLine(Pipe* pipe, int maxBytes, std::string* line);
// The child's further writes fail; it is not waited for.
void ClosePipe(Pipe* pipe);

}  // namespace platform
