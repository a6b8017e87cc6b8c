// The product's platform: Win32 and msvcrt.

#include <direct.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

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

// The functions of PROC_THREAD_ATTRIBUTE_LIST, null where Windows lacks them.
struct AttributeListFunctions {
  BOOL(WINAPI* initialize)(LPPROC_THREAD_ATTRIBUTE_LIST, DWORD, DWORD, PSIZE_T);
  BOOL(WINAPI* update)
  (LPPROC_THREAD_ATTRIBUTE_LIST, DWORD, DWORD_PTR, PVOID, SIZE_T, PVOID, PSIZE_T);
  VOID(WINAPI* remove)(LPPROC_THREAD_ATTRIBUTE_LIST);
};

template <typename Function>
void LookUp(const char* name, Function* function) {
  *function = reinterpret_cast<Function>(reinterpret_cast<void*>(Kernel32Export(name)));
}

AttributeListFunctions AttributeLists() {
  AttributeListFunctions functions;
  LookUp("InitializeProcThreadAttributeList", &functions.initialize);
  LookUp("UpdateProcThreadAttribute", &functions.update);
  LookUp("DeleteProcThreadAttributeList", &functions.remove);
  return functions;
}

// Windows rejects a handle that stands twice in the list.
BOOL CreateProcessWithHandleList(const AttributeListFunctions& lists, const char* program,
                                 std::string& commandLine, DWORD flags, STARTUPINFOA* startup,
                                 std::vector<HANDLE> handles, PROCESS_INFORMATION* information) {
  SIZE_T size = 0;
  lists.initialize(nullptr, 1, 0, &size);
  std::vector<char> storage(size);
  auto list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage.data());
  if (!lists.initialize(list, 1, 0, &size)) return FALSE;
  std::sort(handles.begin(), handles.end());
  handles.erase(std::unique(handles.begin(), handles.end()), handles.end());
  BOOL created = FALSE;
  if (lists.update(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles.data(),
                   handles.size() * sizeof(HANDLE), nullptr, nullptr)) {
    STARTUPINFOEXA extended;
    ZeroMemory(&extended, sizeof extended);
    extended.StartupInfo = *startup;
    extended.StartupInfo.cb = sizeof extended;
    extended.lpAttributeList = list;
    created = CreateProcessA(program, &commandLine[0], nullptr, nullptr, TRUE,
                             flags | EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr,
                             &extended.StartupInfo, information);
  }
  lists.remove(list);
  return created;
}

// Only the handles named are inherited (PROC_THREAD_ATTRIBUTE_HANDLE_LIST;
// each must be inheritable), never the log or a pipe of the launcher. The
// list exists from Vista on; its functions are looked up at run time so that
// the launcher still loads on XP and Server 2003, where the child then
// inherits every inheritable handle, as every child did there.
BOOL CreateProcessInheriting(const char* program, std::string commandLine, DWORD flags,
                             STARTUPINFOA* startup, const std::vector<HANDLE>& inherited,
                             PROCESS_INFORMATION* information) {
  AttributeListFunctions lists = AttributeLists();
  if (inherited.empty() || !lists.initialize || !lists.update || !lists.remove) {
    return CreateProcessA(program, &commandLine[0], nullptr, nullptr, !inherited.empty(), flags,
                          nullptr, nullptr, startup, information);
  }
  return CreateProcessWithHandleList(lists, program, commandLine, flags, startup, inherited,
                                     information);
}

// An inheritable duplicate, whatever the original's inheritance: msvcrt's
// own handles are not to be passed on.
HANDLE InheritableCopy(HANDLE handle) {
  HANDLE copy = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &copy, 0, TRUE,
                       DUPLICATE_SAME_ACCESS)) {
    return nullptr;
  }
  return copy;
}

}  // namespace

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

bool ReadFile(const std::string& path, std::string* content) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  content->clear();
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) content->append(buffer, got);
  std::fclose(file);
  return true;
}

// Through the Win32 file calls: msvcrt's 32-bit offsets would fail past
// 2 GiB, and Java may still hold the file open for writing.
bool ReadFileTail(const std::string& path, size_t maxBytes, std::string* content) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  bool read = GetFileSizeEx(file, &size) != FALSE;
  LONGLONG length = read ? std::min<LONGLONG>(size.QuadPart, static_cast<LONGLONG>(maxBytes)) : 0;
  LARGE_INTEGER start;
  start.QuadPart = read ? size.QuadPart - length : 0;
  content->assign(static_cast<size_t>(length), '\0');
  DWORD got = 0;
  read =
      read && SetFilePointerEx(file, start, nullptr, FILE_BEGIN) &&
      (length == 0 || ::ReadFile(file, &(*content)[0], static_cast<DWORD>(length), &got, nullptr));
  content->resize(got);
  CloseHandle(file);
  return read;
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

unsigned long long MonotonicMilliseconds() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  unsigned long long ticks = static_cast<unsigned long long>(counter.QuadPart);
  unsigned long long perSecond = static_cast<unsigned long long>(frequency.QuadPart);
  return ticks / perSecond * 1000 + ticks % perSecond * 1000 / perSecond;
}

// With an output file, standard input is a null handle: Java reads nothing.
bool StartProcess(const std::string& commandLine, const StartOptions& options, Process* process) {
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  std::vector<HANDLE> inherited;
  if (options.output) {
    HANDLE output =
        InheritableCopy(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(options.output->stream))));
    if (!output) return false;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
    inherited.push_back(output);
  }
  PROCESS_INFORMATION information;
  ZeroMemory(&information, sizeof information);
  DWORD flags = options.breakawayFromJob ? CREATE_BREAKAWAY_FROM_JOB : 0;
  BOOL created =
      CreateProcessInheriting(nullptr, commandLine, flags, &startup, inherited, &information);
  for (HANDLE handle : inherited) CloseHandle(handle);
  if (!created) return false;
  process->id = information.dwProcessId;
  process->process = information.hProcess;
  process->thread = information.hThread;
  return true;
}

unsigned long WaitForProcess(const Process& process) {
  unsigned long exitCode = 0;
  WaitForProcessEnd(process, INFINITE, &exitCode);
  return exitCode;
}

bool WaitForProcessEnd(const Process& process, unsigned long milliseconds,
                       unsigned long* exitCode) {
  if (WaitForSingleObject(process.process, milliseconds) != WAIT_OBJECT_0) return false;
  DWORD code = 0;
  GetExitCodeProcess(process.process, &code);
  *exitCode = code;
  return true;
}

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
