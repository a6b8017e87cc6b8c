#pragma once

// Every operating-system call the launcher makes: win32.cpp (the product),
// posix.cpp (native stand-in) and the in-process fake of the tests.

#include <cstddef>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Each platform defines and closes what it opens.
struct InputFile;
struct OutputFile;
struct Job;
struct Pipe;
struct ProcessHandles;
struct Closer {
  void operator()(InputFile* file) const;
  void operator()(OutputFile* file) const;
  void operator()(Job* job) const;
  void operator()(Pipe* pipe) const;
  void operator()(ProcessHandles* handles) const;
};
template <typename Resource>
using Owned = std::unique_ptr<Resource, Closer>;

// The system's error number and its own text for it, on one line.
struct SystemError {
  unsigned long number = 0;
  std::string text;
};
// Empty when the call succeeded.
using Failure = std::optional<SystemError>;

void Initialize(int argc, char** argv);
// Program name included (GetCommandLineA).
std::string FullCommandLine();
// Empty when the platform cannot report it.
std::string CurrentDirectory();
Failure ChangeDirectory(const std::string& path);
std::string ExecutablePath();

// Read piece by piece, so that a big file never needs to fit in memory.
// Empty for a folder too.
Owned<InputFile> OpenInputFile(const std::string& path, SystemError* failure = nullptr);
// 0 at the end of the file or on a read error.
size_t ReadInputFile(InputFile& file, char* buffer, size_t maxBytes);
// False when the file cannot be opened.
bool ReadFileStart(const std::string& path, size_t count, std::string* content);
// Up to count bytes from offset, fewer at the end; a negative offset counts
// back from the end, at most to the start. Shares the file with writers.
bool ReadFilePart(const std::string& path, long long offset, size_t count, std::string* content);
bool FileCanBeOpened(const std::string& path);
bool IsDirectory(const std::string& path);
// Without "." and "..", in the platform's listing order.
bool ListDirectory(const std::string& path, std::vector<std::string>* names);

// Every %NAME% replaced by the variable's value; a reference to a variable
// that is not set stays as it is.
std::string ExpandEnvironmentReferences(const std::string& text);
// With every missing folder above it; true when the folder exists afterwards.
bool CreateFolders(const std::string& path);
// As the system judges the right to create a file there, creating none.
bool FolderIsWritable(const std::string& folder);
// Of a file, not of a folder.
bool FileSize(const std::string& path, unsigned long long* size);
// Both fail on Windows while another process holds the file open without
// sharing its deletion, as Java holds a file it maps or writes (error 32).
// Within its folder; fails when the target exists.
bool RenameFileNoReplace(const std::string& from, const std::string& to);
// Also a read-only file, as Java writes its archives; a file that stays
// keeps its attributes. A link is removed itself, never its target.
Failure RemoveFile(const std::string& path);
// Only while no process holds the file open, whatever the sharing it
// allows: on Windows a file opened with the right to share its deletion
// would otherwise be removed under its holder.
bool RemoveClosedFile(const std::string& path);
// used: since the file was last read, or marked used.
bool FileOlderThan(const std::string& path, unsigned long long seconds, bool used = false);
// The last use, not the last write, which tells a file older than another.
bool MarkFileUsed(const std::string& path);
// In a unit of the platform's own: only comparisons count. A link's own.
bool LastWriteTime(const std::string& path, unsigned long long* time, bool used = false);

// Truncates or creates, or with append keeps what the file holds.
Owned<OutputFile> CreateOutputFile(const std::string& path, bool append = false,
                                   SystemError* failure = nullptr);
// Writes and flushes; false when not all bytes reached the file (a full disk).
bool WriteOutputFile(OutputFile& file, const std::string& bytes);
// While it is open no other process can write the file; a file another
// process holds so is left as it was.
Owned<OutputFile> CreateUnsharedOutputFile(const std::string& path, SystemError* failure);
// %TEMP% with its separator at the end; empty when there is none.
std::string TemporaryFolder();
// The code page in which Windows reads the launcher's texts and paths.
unsigned AnsiCodePage();
unsigned long CurrentProcessId();
// The NetBIOS name, at most 15 characters.
std::string ComputerName();
// The full name, up to 63 characters; the NetBIOS name is its start.
std::string DnsHostName();
bool RunsUnderWow64();
// Windows 2000, XP and Vista, where a 64-bit Java is not tried.
bool IsOlderThanWindows7();

// Shown only where someone can see it: on a window station without a
// display (a service, a task run whether the user is logged on or not) it
// would wait for a click that never comes.
void ShowMessageBox(const std::string& text, const std::string& caption);
// Flushed at once: the process may end without running the runtime's exit.
void WriteStandardOutput(const std::string& bytes);
// The text, a colon, a blank, the system's text for the last error.
void WriteLastErrorLine(const std::string& text);

std::tm CurrentLocalTime();
// Only moves forward; only differences between readings count.
unsigned long long MonotonicMilliseconds();

// Running no handler, no report, no box.
[[noreturn]] void ExitImmediately(int exitCode);

struct Process {
  unsigned long id = 0;
  Owned<ProcessHandles> handles;
  // With StartOptions::outputPipe.
  Owned<Pipe> output;
};
struct StartFailure {
  SystemError error;
  // The start asked to leave the launcher's job, and the job forbids it.
  bool leavingJobRefused = false;
};
// Every default is the plain start: no handle inherited, the launcher's
// environment and working directory.
struct StartOptions {
  bool breakawayFromJob = false;
  // Held before its first instruction until ResumeProcess.
  bool suspended = false;
  // Used as it is; empty: the command line's first word, found by the
  // system's search.
  std::string program;
  // For the child's standard output; input and error are the launcher's own.
  bool outputPipe = false;
  // Receives the child's standard output and error and is, with nothing on
  // standard input, all it inherits.
  OutputFile* output = nullptr;
};
// The most characters CreateProcess takes in a command line.
constexpr size_t kMaxCommandLineLength = 32767;
std::optional<StartFailure> StartProcess(const std::string& commandLine,
                                         const StartOptions& options, Process* process);
// A suspended process that cannot be resumed is ended: it never ran.
Failure ResumeProcess(const Process& process);
// The process may bring its first window to the front, although the
// launcher, not it, was started by the user. A refusal does no harm.
void AllowToComeToFront(const Process& process);

struct ProcessEnd {
  // False while it still runs, and when the wait failed.
  bool ended = false;
  unsigned long exitCode = 0;
  // Ended by a fault: on Windows an exception code (such as 0xC0000005),
  // natively a signal of a fault.
  bool crashed = false;
  Failure failure;
};
ProcessEnd WaitForProcess(const Process& process);
ProcessEnd WaitForProcessEnd(const Process& process, unsigned long milliseconds);

// At log-off the launcher is shut down after the applications, so that
// whatever it ends on its way out has saved already.
void ShutDownAfterApplications();
// Ends its processes when its last handle is closed; processes in it may
// still start others outside it.
Failure CreateKillOnCloseJob(Owned<Job>* job);
Failure AssignProcessToJob(Job& job, const Process& process);
// From now on closing the job leaves its processes running.
Failure LiftKillOnClose(Job& job);

// Up to the end of the output, at most maxBytes - 1 bytes, read as text and
// up to a zero byte; false when nothing could be read. Closing the pipe
// makes the child's further writes fail; it is not waited for.
bool ReadPipe(Pipe& pipe, int maxBytes, std::string* text);

}  // namespace platform
