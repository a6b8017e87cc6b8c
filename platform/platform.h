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
bool FileCanBeOpened(const std::string& path);
bool IsDirectory(const std::string& path);
// Names without "." and "..", in the platform's listing order; false when
// the folder cannot be listed.
bool ListDirectory(const std::string& path, std::vector<std::string>* names);

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

struct Process {
  unsigned long id = 0;
  void* process = nullptr;
  void* thread = nullptr;
};
// How a process is started; every default is the plain start.
struct StartOptions {
  bool breakawayFromJob = false;
};
// The most characters CreateProcess takes in a command line.
constexpr size_t kMaxCommandLineLength = 32767;
// No handle inheritance, the launcher's environment and working directory.
bool StartProcess(const std::string& commandLine, const StartOptions& options, Process* process);
void WaitForProcess(const Process& process);
void CloseProcess(const Process& process);

struct Job;
// A job that ends its processes when its last handle is closed.
Job* CreateKillOnCloseJob();
// Returns 0 on success, else the system's error number.
unsigned long AssignProcessToJob(Job* job, const Process& process);
void CloseJob(Job* job);

// A command run through the command interpreter, its standard output read
// through a pipe (_popen with mode "r").
struct Pipe;
Pipe* OpenCommandPipe(const std::string& command);
// Up to and including the first line feed, at most maxBytes - 1 bytes;
// false when nothing could be read.
bool ReadPipeLine(Pipe* pipe, int maxBytes, std::string* line);
// Waits until the command has ended.
void ClosePipe(Pipe* pipe);

}  // namespace platform
