// The product's platform: Win32 and msvcrt.

#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <vector>

#include "platform/c_runtime.h"

namespace platform {

namespace {

// Looked up at run time, so that the launcher still loads on the Windows
// versions that lack the function.
template <typename Function>
Function* Kernel32Function(const char* name) {
  HMODULE kernel32 = GetModuleHandleA("kernel32");
  FARPROC function = kernel32 ? GetProcAddress(kernel32, name) : nullptr;
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(function));
}

// Console handles of Windows 7 and older are no kernel handles and make the
// handle list fail, as does a handle listed twice; the child reaches a
// console through the console itself.
bool Listable(HANDLE handle) {
  return (reinterpret_cast<ULONG_PTR>(handle) & 3) != 3 || GetFileType(handle) != FILE_TYPE_CHAR;
}

// The handles, each once, must be inheritable. From Vista on the child
// inherits exactly them; before, every inheritable handle, which are only
// these: the launcher opens everything else non-inheritable.
BOOL CreateProcessInheriting(const char* program, std::string commandLine, DWORD flags,
                             STARTUPINFOA* startup, const std::vector<HANDLE>& inherited,
                             PROCESS_INFORMATION* information) {
  auto initialize = Kernel32Function<decltype(InitializeProcThreadAttributeList)>(
      "InitializeProcThreadAttributeList");
  auto update = Kernel32Function<decltype(UpdateProcThreadAttribute)>("UpdateProcThreadAttribute");
  auto remove =
      Kernel32Function<decltype(DeleteProcThreadAttributeList)>("DeleteProcThreadAttributeList");
  std::vector<HANDLE> handles;
  std::copy_if(inherited.begin(), inherited.end(), std::back_inserter(handles), Listable);
  BOOL inherit = inherited.empty() ? FALSE : TRUE;
  if (handles.empty() || !initialize || !update || !remove) {
    return CreateProcessA(program, &commandLine[0], nullptr, nullptr, inherit, flags, nullptr,
                          nullptr, startup, information);
  }
  SIZE_T size = 0;
  initialize(nullptr, 1, 0, &size);
  std::vector<char> storage(size);
  STARTUPINFOEXA extended = {};
  extended.StartupInfo = *startup;
  extended.StartupInfo.cb = sizeof extended;
  extended.lpAttributeList = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage.data());
  if (!initialize(extended.lpAttributeList, 1, 0, &size)) return FALSE;
  BOOL created = update(extended.lpAttributeList, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST,
                        handles.data(), handles.size() * sizeof(HANDLE), nullptr, nullptr) &&
                 CreateProcessA(program, &commandLine[0], nullptr, nullptr, TRUE,
                                flags | EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr,
                                &extended.StartupInfo, information);
  DWORD error = GetLastError();
  remove(extended.lpAttributeList);
  SetLastError(error);
  return created;
}

// nullptr when the launcher has no such handle or it cannot be copied.
HANDLE InheritableCopy(HANDLE handle) {
  HANDLE copy = nullptr;
  if (handle && handle != INVALID_HANDLE_VALUE) {
    DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &copy, 0, TRUE,
                    DUPLICATE_SAME_ACCESS);
  }
  return copy;
}

// The stream owns the handle from now on; on failure the handle is closed.
std::FILE* StreamOf(HANDLE handle, int flags, const char* mode) {
  int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), flags);
  std::FILE* stream = descriptor == -1 ? nullptr : _fdopen(descriptor, mode);
  if (!stream && descriptor == -1) CloseHandle(handle);
  if (!stream && descriptor != -1) _close(descriptor);
  return stream;
}

// As _popen with mode "r" did: the launcher reads the pipe in text mode; the
// child's standard input and error are the launcher's own. The handles to
// hand on are added to inherited.
std::FILE* RedirectOutputToPipe(STARTUPINFOA* startup, std::vector<HANDLE>* inherited) {
  HANDLE read, write;
  if (!CreatePipe(&read, &write, nullptr, 0)) return nullptr;
  std::FILE* stream = StreamOf(read, _O_RDONLY | _O_TEXT, "rt");
  if (!stream || !SetHandleInformation(write, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT)) {
    if (stream) std::fclose(stream);
    CloseHandle(write);
    return nullptr;
  }
  startup->dwFlags |= STARTF_USESTDHANDLES;
  startup->hStdInput = InheritableCopy(GetStdHandle(STD_INPUT_HANDLE));
  startup->hStdOutput = write;
  startup->hStdError = InheritableCopy(GetStdHandle(STD_ERROR_HANDLE));
  for (HANDLE handle : {startup->hStdInput, write, startup->hStdError}) {
    if (handle) inherited->push_back(handle);
  }
  return stream;
}

// The text ends with CR LF, and a long one has more inside.
std::string OneLine(const std::string& text) {
  std::string line;
  for (char c : text) {
    if (c != '\r' && c != '\n') {
      line += c;
    } else if (!line.empty() && line.back() != ' ') {
      line += ' ';
    }
  }
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

// Read before any further call can overwrite it. The text in the system's
// language where Windows holds it, else in the one Windows picks for the
// user; in the ANSI code page, as the log.
SystemError LastError() {
  DWORD number = GetLastError();
  char text[1024];
  const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  DWORD length =
      FormatMessageA(flags, nullptr, number, LANG_SYSTEM_DEFAULT, text, sizeof text, nullptr);
  if (length == 0) length = FormatMessageA(flags, nullptr, number, 0, text, sizeof text, nullptr);
  return SystemError{number, OneLine(std::string(text, length))};
}

// "Access denied" also stands for a missing permission on the program or
// its folder; it means the job's refusal only where there is a job.
StartFailure FailedStart(const StartOptions& options, const SystemError& error) {
  auto isProcessInJob = Kernel32Function<decltype(IsProcessInJob)>("IsProcessInJob");
  BOOL inJob = FALSE;
  bool refused = options.breakawayFromJob && error.number == ERROR_ACCESS_DENIED &&
                 isProcessInJob && isProcessInJob(GetCurrentProcess(), nullptr, &inJob) && inJob;
  return StartFailure{error, refused};
}

// Breakaway stays allowed whatever else the limits say: a browser or PDF
// viewer that Java opens with CREATE_BREAKAWAY_FROM_JOB could not start
// at all in a job that forbids it.
Failure SetJobLimits(HANDLE job, DWORD limitFlags) {
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = limitFlags | JOB_OBJECT_LIMIT_BREAKAWAY_OK;
  bool set =
      SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  return set ? Failure() : LastError();
}

// Java's standard output and error go to the file; its standard input stays
// unconnected.
bool RedirectOutputToFile(std::FILE* stream, STARTUPINFOA* startup,
                          std::vector<HANDLE>* inherited) {
  HANDLE output = InheritableCopy(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))));
  if (!output) return false;
  startup->dwFlags |= STARTF_USESTDHANDLES;
  startup->hStdOutput = startup->hStdError = output;
  inherited->push_back(output);
  return true;
}

unsigned long long Ticks(const FILETIME& time) {
  return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

struct Job {
  HANDLE handle;
};

struct ProcessHandles {
  HANDLE process;
  HANDLE thread;
};

void Closer::operator()(Job* job) const {
  CloseHandle(job->handle);
  delete job;
}

void Closer::operator()(ProcessHandles* handles) const {
  CloseHandle(handles->process);
  CloseHandle(handles->thread);
  delete handles;
}

// A path on an empty card reader or optical drive would raise a "no disk in
// drive" box that waits for a click, also where nobody sees it; without it
// the path is missing, with Windows' reason. The thread's mode, unlike the
// process's, is not inherited by Java. Vista and older keep the box.
// The launcher runs from shares where others may drop a DLL beside it, so
// DLLs come from the system folder only; before Windows 8 (7 with
// KB2533623) at least the working directory leaves the search.
void Initialize(int, char**) {
  auto setThreadErrorMode = Kernel32Function<decltype(SetThreadErrorMode)>("SetThreadErrorMode");
  if (setThreadErrorMode) setThreadErrorMode(SEM_FAILCRITICALERRORS, nullptr);
  auto setDefaultDllDirectories =
      Kernel32Function<decltype(SetDefaultDllDirectories)>("SetDefaultDllDirectories");
  if (setDefaultDllDirectories && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  auto setDllDirectory = Kernel32Function<decltype(SetDllDirectoryA)>("SetDllDirectoryA");
  if (setDllDirectory) setDllDirectory("");
}

std::string FullCommandLine() { return GetCommandLineA(); }

std::string CurrentDirectory() {
  std::unique_ptr<char, decltype(&std::free)> path(_getcwd(nullptr, 0), &std::free);
  return path ? path.get() : "";
}

Failure ChangeDirectory(const std::string& path) {
  return SetCurrentDirectoryA(path.c_str()) ? Failure() : LastError();
}

// Grows the buffer until the whole path fits: a deep installation folder
// must not be cut off at MAX_PATH.
std::string ExecutablePath() {
  for (std::string path(MAX_PATH + 1, '\0');; path.resize(path.size() * 2)) {
    DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length < path.size()) return path.substr(0, length);
  }
}

// "N": not inherited. msvcrt opens with CreateFileA and leaves its error as
// the last one.
std::FILE* OpenStream(const std::string& path, const std::string& mode, SystemError* failure) {
  std::FILE* stream = std::fopen(path.c_str(), (mode + "N").c_str());
  if (!stream && failure) *failure = LastError();
  return stream;
}

// Through the Win32 file calls: msvcrt's 32-bit offsets would fail past
// 2 GiB, and Java may still hold the file open for writing.
bool ReadFilePart(const std::string& path, long long offset, size_t count, std::string* content) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size, start;
  bool read = GetFileSizeEx(file, &size) != FALSE;
  start.QuadPart = read && offset < 0 ? std::max(size.QuadPart + offset, 0LL) : offset;
  content->assign(count, '\0');
  DWORD got = 0;
  read = read && SetFilePointerEx(file, start, nullptr, FILE_BEGIN) &&
         (count == 0 || ::ReadFile(file, &(*content)[0], static_cast<DWORD>(count), &got, nullptr));
  content->resize(got);
  CloseHandle(file);
  return read;
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

std::string ExpandEnvironmentReferences(const std::string& text) {
  for (std::string expanded(text.size() + 1, '\0');;) {
    DWORD size =
        ExpandEnvironmentStringsA(text.c_str(), &expanded[0], static_cast<DWORD>(expanded.size()));
    if (size == 0) return text;
    if (size <= expanded.size()) return expanded.substr(0, size - 1);
    expanded.resize(size);
  }
}

// Each folder on the way is tried; the drive or the share itself refuses
// harmlessly, and a folder that exists already is no failure.
bool CreateFolders(const std::string& path) {
  for (size_t separator = path.find_first_of("\\/", 1); separator != std::string::npos;
       separator = path.find_first_of("\\/", separator + 1)) {
    CreateDirectoryA(path.substr(0, separator).c_str(), nullptr);
  }
  CreateDirectoryA(path.c_str(), nullptr);
  return IsDirectory(path);
}

// The file system (and a share's server, with the share's own permissions)
// checks the right to add a file as it would for a new file.
bool FolderIsWritable(const std::string& folder) {
  if (!IsDirectory(folder)) return false;
  HANDLE handle = CreateFileA(folder.c_str(), FILE_ADD_FILE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  return handle != INVALID_HANDLE_VALUE && CloseHandle(handle);
}

bool FileSize(const std::string& path, unsigned long long* size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return false;
  }
  *size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

// Without MOVEFILE_REPLACE_EXISTING an existing target makes the call fail;
// a source opened without FILE_SHARE_DELETE (as the C runtime's open, which
// Java writes with, opens it) gives a sharing violation until it is closed.
bool RenameFileNoReplace(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), 0) != FALSE;
}

// DeleteFileA refuses a read-only file with error 5, as it refuses one that
// access rules protect; a file that stays gets its attributes back. A link
// goes itself, not its target.
Failure RemoveFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (DeleteFileA(path.c_str())) return std::nullopt;
  SystemError error = LastError();
  SetFileAttributesA(path.c_str(), attributes);
  return error;
}

// Sharing nothing, the open fails with a sharing violation while any other
// handle to the file is open; the file goes when this handle closes. Without
// FILE_FLAG_OPEN_REPARSE_POINT Windows would delete a link's target instead.
bool RemoveClosedFile(const std::string& path) {
  HANDLE handle = CreateFileA(path.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  return handle != INVALID_HANDLE_VALUE && CloseHandle(handle) != FALSE;
}

// In the file system's 100-nanosecond ticks.
bool LastWriteTime(const std::string& path, unsigned long long* time, bool used) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  *time = Ticks(used ? data.ftLastAccessTime : data.ftLastWriteTime);
  return true;
}

bool FileOlderThan(const std::string& path, unsigned long long seconds, bool used) {
  unsigned long long written = 0;
  if (!LastWriteTime(path, &written, used)) return false;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return Ticks(now) > written && (Ticks(now) - written) / 10000000ull > seconds;
}

// Kept even where Windows updates no access times itself. Attributes may be
// written to a read-only file and to one Java maps, whatever its sharing.
bool MarkFileUsed(const std::string& path) {
  HANDLE handle = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  bool set = SetFileTime(handle, nullptr, &now, nullptr) != FALSE;
  return CloseHandle(handle) && set;
}

// While the file is open, every other open for writing fails with a sharing
// violation, and CREATE_ALWAYS truncates only after that check, so a held
// file is left as it was. Not inherited; binary: the log writes its CR LF.
Owned<OutputFile> CreateUnsharedOutputFile(const std::string& path, SystemError* failure) {
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  std::FILE* stream =
      handle == INVALID_HANDLE_VALUE ? nullptr : StreamOf(handle, _O_WRONLY | _O_BINARY, "wb");
  if (!stream) *failure = LastError();
  return Owned<OutputFile>(stream ? new OutputFile{{stream}} : nullptr);
}

std::string TemporaryFolder() {
  char folder[MAX_PATH + 2];
  DWORD length = GetTempPathA(sizeof folder, folder);
  return length == 0 || length >= sizeof folder ? std::string() : std::string(folder, length);
}

unsigned AnsiCodePage() { return GetACP(); }

unsigned long CurrentProcessId() { return GetCurrentProcessId(); }

std::string ComputerName() {
  std::string name(32767, '\0');
  DWORD size = 32767;
  return name.substr(0, GetComputerNameA(&name[0], &size) ? size : 0);
}

std::string DnsHostName() {
  char name[256];
  DWORD size = sizeof name;
  return GetComputerNameExA(ComputerNameDnsHostname, name, &size) ? std::string(name, size) : "";
}

bool RunsUnderWow64() {
  auto isWow64Process = Kernel32Function<decltype(IsWow64Process)>("IsWow64Process");
  BOOL wow64 = FALSE;
  return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// Kernel32 exports the K32 process functions from Windows 7 on.
bool IsOlderThanWindows7() { return !Kernel32Function<void()>("K32GetModuleFileNameExA"); }

// A window station without WSF_VISIBLE has no display; where the question
// cannot be answered, the box is shown as it always was. Never
// MB_SERVICE_NOTIFICATION: on a terminal server it shows the box in another
// user's session.
void ShowMessageBox(const std::string& text, const std::string& caption) {
  USEROBJECTFLAGS flags = {};
  HWINSTA station = GetProcessWindowStation();
  if (!station || !GetUserObjectInformationA(station, UOI_FLAGS, &flags, sizeof flags, nullptr) ||
      (flags.dwFlags & WSF_VISIBLE) != 0) {
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
  }
}

// msvcrt's localtime works on 32-bit seconds and returns null from
// 2038-01-19 on; GetLocalTime has no such end.
std::tm CurrentLocalTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  std::tm time = {};
  time.tm_year = now.wYear - 1900;
  time.tm_mon = now.wMonth - 1;
  time.tm_mday = now.wDay;
  time.tm_wday = now.wDayOfWeek;
  time.tm_hour = now.wHour;
  time.tm_min = now.wMinute;
  time.tm_sec = now.wSecond;
  return time;
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
std::optional<StartFailure> StartProcess(const std::string& commandLine,
                                         const StartOptions& options, Process* process) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::vector<HANDLE> inherited;
  std::FILE* output = nullptr;
  if ((options.outputPipe && !(output = RedirectOutputToPipe(&startup, &inherited))) ||
      (options.output && !RedirectOutputToFile(options.output->stream, &startup, &inherited))) {
    return FailedStart(options, LastError());
  }
  DWORD flags = (options.breakawayFromJob ? CREATE_BREAKAWAY_FROM_JOB : 0) |
                (options.suspended ? CREATE_SUSPENDED : 0);
  PROCESS_INFORMATION information = {};
  BOOL created =
      CreateProcessInheriting(options.program.empty() ? nullptr : options.program.c_str(),
                              commandLine, flags, &startup, inherited, &information);
  SystemError error = created ? SystemError() : LastError();
  // The child holds its own copies; a pipe must end when the child ends.
  for (HANDLE handle : inherited) CloseHandle(handle);
  Owned<Pipe> pipe(output ? new Pipe{{output}} : nullptr);
  if (!created) return FailedStart(options, error);
  process->id = information.dwProcessId;
  process->handles.reset(new ProcessHandles{information.hProcess, information.hThread});
  process->output = std::move(pipe);
  return std::nullopt;
}

Failure ResumeProcess(const Process& process) {
  if (ResumeThread(process.handles->thread) != static_cast<DWORD>(-1)) return std::nullopt;
  SystemError error = LastError();
  TerminateProcess(process.handles->process, 1);
  return error;
}

void AllowToComeToFront(const Process& process) { AllowSetForegroundWindow(process.id); }

ProcessEnd WaitForProcess(const Process& process) { return WaitForProcessEnd(process, INFINITE); }

ProcessEnd WaitForProcessEnd(const Process& process, unsigned long milliseconds) {
  DWORD waited = WaitForSingleObject(process.handles->process, milliseconds);
  if (waited == WAIT_TIMEOUT) return ProcessEnd();
  DWORD code = 0;
  if (waited != WAIT_OBJECT_0 || !GetExitCodeProcess(process.handles->process, &code)) {
    return ProcessEnd{false, 0, false, LastError()};
  }
  // NTSTATUS codes of severity "error": what Windows ends a process with
  // when an exception (0xC0000005, 0xC00000FD) is not handled.
  return ProcessEnd{true, code, code >= 0xC0000000, std::nullopt};
}

// At log-off processes go from the highest level to the lowest, 0x280 by
// default. Were the launcher shut down first, its job would kill Java in
// the middle of saving; at the lowest application level it goes after Java.
void ShutDownAfterApplications() { SetProcessShutdownParameters(0x100, 0); }

Failure CreateKillOnCloseJob(Owned<Job>* job) {
  HANDLE handle = CreateJobObjectA(nullptr, nullptr);
  if (!handle) return LastError();
  Owned<Job> created(new Job{handle});
  if (Failure failure = SetJobLimits(handle, JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE)) return failure;
  *job = std::move(created);
  return std::nullopt;
}

Failure AssignProcessToJob(Job& job, const Process& process) {
  return AssignProcessToJobObject(job.handle, process.handles->process) ? Failure() : LastError();
}

Failure LiftKillOnClose(Job& job) { return SetJobLimits(job.handle, 0); }

}  // namespace platform
