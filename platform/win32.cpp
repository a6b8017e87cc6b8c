// The product's platform: Win32 and msvcrt.

#include <direct.h>
#include <io.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/platform.h"

namespace platform {

namespace {

FARPROC Kernel32Export(const char* name) {
  HMODULE kernel32 = GetModuleHandleA("kernel32");
  return kernel32 ? GetProcAddress(kernel32, name) : nullptr;
}

// The command interpreter reads & | < > ^ ( ) outside double quotes as its
// own operators: a password holding "&" would be cut and its rest run as a
// command. Escaped, the child receives its arguments unchanged.
std::string EscapeForCommandInterpreter(const std::string& command) {
  std::string escaped;
  bool inQuotes = false;
  for (char c : command) {
    if (c == '"') {
      inQuotes = !inQuotes;
    } else if (!inQuotes && std::strchr("&|<>^()", c)) {
      escaped += '^';
    }
    escaped += c;
  }
  return escaped;
}

}  // namespace

struct InputFile {
  std::FILE* stream;
};

struct OutputFile {
  std::FILE* stream;
};

struct Job {
  HANDLE handle;
};

struct Pipe {
  std::FILE* stream;
};

void Initialize(int, char**) {}

std::string FullCommandLine() { return GetCommandLineA(); }

std::string CurrentDirectory() {
  char* path = _getcwd(nullptr, 0);
  if (!path) return std::string();
  std::string directory = path;
  std::free(path);
  return directory;
}

bool ChangeDirectory(const std::string& path) { return _chdir(path.c_str()) == 0; }

// Grows the buffer until the whole path fits: a deep installation folder
// must not be cut off at MAX_PATH.
std::string ExecutablePath() {
  std::string path(MAX_PATH + 1, '\0');
  for (;;) {
    DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

InputFile* OpenInputFile(const std::string& path) {
  std::FILE* stream = std::fopen(path.c_str(), "rb");
  return stream ? new InputFile{stream} : nullptr;
}

size_t ReadInputFile(InputFile* file, char* buffer, size_t maxBytes) {
  return std::fread(buffer, 1, maxBytes, file->stream);
}

void CloseInputFile(InputFile* file) {
  std::fclose(file->stream);
  delete file;
}

bool FileCanBeOpened(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (file) std::fclose(file);
  return file != nullptr;
}

bool IsDirectory(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ListDirectory(const std::string& path, std::vector<std::string>* names) {
  _finddata_t entry;
  intptr_t search = _findfirst((path + "\\*").c_str(), &entry);
  if (search == -1) return false;
  names->clear();
  do {
    std::string name = entry.name;
    if (name != "." && name != "..") names->push_back(name);
  } while (_findnext(search, &entry) == 0);
  _findclose(search);
  return true;
}

OutputFile* CreateOutputFile(const std::string& path) {
  std::FILE* stream = std::fopen(path.c_str(), "wb");
  return stream ? new OutputFile{stream} : nullptr;
}

void WriteOutputFile(OutputFile* file, const std::string& bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), file->stream);
  std::fflush(file->stream);
}

void CloseOutputFile(OutputFile* file) {
  std::fclose(file->stream);
  delete file;
}

std::string ComputerName() {
  std::string name(32767, '\0');
  DWORD size = 32767;
  if (!GetComputerNameA(&name[0], &size)) return std::string();
  name.resize(size);
  return name;
}

bool RunsUnderWow64() {
  using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
  auto isWow64Process = reinterpret_cast<IsWow64ProcessFunction>(
      reinterpret_cast<void*>(Kernel32Export("IsWow64Process")));
  BOOL wow64 = FALSE;
  if (!isWow64Process || !isWow64Process(GetCurrentProcess(), &wow64)) return false;
  return wow64 != FALSE;
}

bool LacksK32GetModuleFileNameExA() { return Kernel32Export("K32GetModuleFileNameExA") == nullptr; }

void ShowMessageBox(const std::string& text, const std::string& caption) {
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
}

void WriteStandardOutput(const std::string& bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void WriteLastErrorLine(const std::string& text) { std::perror(text.c_str()); }

std::tm CurrentLocalTime() {
  std::time_t now = std::time(nullptr);
  return *std::localtime(&now);
}

bool StartProcess(const std::string& commandLine, const StartOptions& options, Process* process) {
  std::string writable = commandLine;
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION information;
  ZeroMemory(&information, sizeof information);
  DWORD flags = options.breakawayFromJob ? CREATE_BREAKAWAY_FROM_JOB : 0;
  if (!CreateProcessA(nullptr, &writable[0], nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                      &startup, &information)) {
    return false;
  }
  process->id = information.dwProcessId;
  process->process = information.hProcess;
  process->thread = information.hThread;
  return true;
}

void WaitForProcess(const Process& process) { WaitForSingleObject(process.process, INFINITE); }

void CloseProcess(const Process& process) {
  CloseHandle(process.process);
  CloseHandle(process.thread);
}

Job* CreateKillOnCloseJob() {
  HANDLE handle = CreateJobObjectA(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits;
  ZeroMemory(&limits, sizeof limits);
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(handle, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  return new Job{handle};
}

unsigned long AssignProcessToJob(Job* job, const Process& process) {
  if (AssignProcessToJobObject(job->handle, process.process)) return 0;
  DWORD error = GetLastError();
  return error ? error : ERROR_INVALID_HANDLE;
}

void CloseJob(Job* job) {
  CloseHandle(job->handle);
  delete job;
}

Pipe* OpenCommandPipe(const std::string& command) {
  std::FILE* stream = _popen(EscapeForCommandInterpreter(command).c_str(), "r");
  return stream ? new Pipe{stream} : nullptr;
}

bool ReadPipeLine(Pipe* pipe, int maxBytes, std::string* line) {
  std::string buffer(static_cast<size_t>(maxBytes), '\0');
  if (!std::fgets(&buffer[0], maxBytes, pipe->stream)) return false;
  line->assign(buffer.c_str());
  return true;
}

void ClosePipe(Pipe* pipe) {
  _pclose(pipe->stream);
  delete pipe;
}

}  // namespace platform
