// The native stand-in: the same launcher on Linux, for fast tests, the
// sanitizers and the demo. Paths handed in are read with every backslash as
// a separator.

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/c_runtime.h"
#include "platform/windows_arguments.h"

namespace platform {

namespace {

std::vector<std::string> arguments;

std::string NativePath(const std::string& path) {
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

// As Windows programs write an argument into a command line, so that the
// command line split again gives it back unchanged.
std::string QuotedArgument(const std::string& argument) {
  std::string escaped;
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '"') escaped.append(backslashes + 1, '\\');
    backslashes = c == '\\' ? backslashes + 1 : 0;
    escaped += c;
  }
  bool blank = argument.empty() || argument.find_first_of(" \t") != std::string::npos;
  return blank ? InQuotes(escaped) : escaped;
}

// A program named with ".exe" that does not exist is tried without it.
bool FindInFolder(const std::string& folder, const std::string& program, std::string* found) {
  std::string candidate = folder.empty() ? program : folder + "/" + program;
  size_t length = candidate.size();
  bool exe = length > 4 && candidate.compare(length - 4, 4, ".exe") == 0;
  for (const std::string& file : {candidate, candidate.substr(0, exe ? length - 4 : length)}) {
    if (!IsDirectory(file) && access(file.c_str(), X_OK) == 0) return *found = file, true;
  }
  return false;
}

// In the launcher's folder, the working directory, then along PATH.
bool FindProgram(const std::string& program, std::string* found) {
  if (!program.empty() && program[0] == '/') return FindInFolder("", program, found);
  std::string launcher = NativePath(ExecutablePath());
  size_t slash = launcher.rfind('/');
  if (FindInFolder(slash == std::string::npos ? "." : launcher.substr(0, slash), program, found) ||
      FindInFolder(".", program, found)) {
    return true;
  }
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "";
  for (size_t from = 0; from < folders.size();) {
    size_t colon = std::min(folders.find(':', from), folders.size());
    if (FindInFolder(folders.substr(from, colon - from), program, found)) return true;
    from = colon + 1;
  }
  return false;
}

// A child's standard stream: a descriptor, or one of these two.
constexpr int kLauncherStream = -1;  // the launcher's own
constexpr int kNullStream = -2;      // /dev/null, as for a handle not inherited
using ChildStreams = std::array<int, 3>;

SystemError ErrorOf(int number) {
  return SystemError{static_cast<unsigned long>(number), std::strerror(number)};
}

// Like CreateProcess: a named program file is taken as it is; without one an
// unquoted program path that holds blanks is tried up to each blank in turn,
// shortest first. The name is argv[0]; the arguments follow from nameEnd.
bool ResolveProgram(const std::string& commandLine, const std::string& named, std::string* program,
                    std::string* name, size_t* nameEnd) {
  std::vector<Argument> split = SplitArguments(commandLine, ArgumentReader::kCRuntime);
  if (split.empty()) return false;
  *name = split[0].text;
  *nameEnd = split[0].end;
  if (!named.empty()) return FindInFolder("", NativePath(named), program);
  if (FindProgram(NativePath(*name), program)) return true;
  size_t start = split[0].begin;
  if (commandLine[start] == '"') return false;
  for (size_t blank = commandLine.find(' ', start); blank != std::string::npos;
       blank = commandLine.find(' ', blank + 1)) {
    *name = commandLine.substr(start, blank - start);
    *nameEnd = blank;
    if (FindProgram(NativePath(*name), program)) return true;
  }
  return false;
}

// Each program splits its command line itself: javaw.exe with Java's own
// splitter, every other program with its C runtime.
std::vector<std::string> ChildArguments(const std::string& commandLine, const std::string& program,
                                        const std::string& name, size_t nameEnd) {
  std::string file = program.substr(program.rfind('/') + 1);
  bool java = file == "javaw" || file == "javaw.exe";
  std::vector<std::string> argv = {name};
  for (const Argument& argument : SplitArguments(
           commandLine, java ? ArgumentReader::kJavaLauncher : ArgumentReader::kCRuntime)) {
    if (argument.begin >= nameEnd) argv.push_back(argument.text);
  }
  return argv;
}

// Spawned, not forked: a fork's copied page tables and page faults would cost
// more than the launcher's own work. Returns 0 or the error number.
int Spawn(const std::string& commandLine, const std::string& named, const ChildStreams& streams,
          pid_t* pid) {
  std::string program, name;
  size_t nameEnd = 0;
  if (!ResolveProgram(commandLine, named, &program, &name, &nameEnd)) return ENOENT;
  std::vector<std::string> argv = ChildArguments(commandLine, program, name, nameEnd);
  std::vector<char*> pointers;
  for (std::string& argument : argv) pointers.push_back(&argument[0]);
  pointers.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  if (int error = posix_spawn_file_actions_init(&actions)) return error;
  int error = 0;
  for (int target = 0; target < 3 && !error; ++target) {
    if (streams[target] == kNullStream) {
      error = posix_spawn_file_actions_addopen(&actions, target, "/dev/null", O_RDWR, 0);
    } else if (streams[target] != kLauncherStream) {
      error = posix_spawn_file_actions_adddup2(&actions, streams[target], target);
    }
  }
  // As CreateProcess with inheritance restricted, the child gets no
  // descriptor of the launcher beyond its standard streams.
  if (!error) error = posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
  std::fflush(nullptr);
  if (!error)
    error = posix_spawn(pid, program.c_str(), &actions, nullptr, pointers.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return error;
}

// Not ended while the child runs (only with WNOHANG).
ProcessEnd Reap(pid_t pid, int options) {
  int status = 0;
  pid_t got;
  while ((got = waitpid(pid, &status, options)) < 0 && errno == EINTR) {
  }
  if (got < 0) return ProcessEnd{false, 0, false, ErrorOf(errno)};
  if (got == 0) return ProcessEnd();
  int signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  // Java's own fault handler ends it with abort().
  bool fault = signal == SIGSEGV || signal == SIGBUS || signal == SIGILL || signal == SIGFPE ||
               signal == SIGABRT;
  return ProcessEnd{true, static_cast<unsigned long>(signal ? 128 + signal : WEXITSTATUS(status)),
                    fault, std::nullopt};
}

}  // namespace

struct Job {
  pid_t watcher = 0;
};

// Nothing to hold: a child is known by its id.
struct ProcessHandles {};

// Only ever closed after the member has ended and been reaped.
void Closer::operator()(Job* job) const {
  LiftKillOnClose(*job);
  delete job;
}

void Closer::operator()(ProcessHandles* handles) const { delete handles; }

void Initialize(int argc, char** argv) { arguments.assign(argv, argv + argc); }

std::string FullCommandLine() {
  std::string line = arguments.empty() ? "KivLauncher" : arguments[0];
  if (line.find(' ') != std::string::npos) line = "\"" + line + "\"";
  line += ' ';
  for (size_t i = 1; i < arguments.size(); ++i) {
    line += (i > 1 ? " " : "") + QuotedArgument(arguments[i]);
  }
  return line;
}

std::string CurrentDirectory() {
  std::unique_ptr<char, decltype(&std::free)> path(getcwd(nullptr, 0), &std::free);
  return path ? path.get() : "";
}

Failure ChangeDirectory(const std::string& path) {
  return chdir(NativePath(path).c_str()) == 0 ? Failure() : ErrorOf(errno);
}

// In the Windows form, so that the launcher cuts it at its last backslash.
std::string ExecutablePath() {
  std::string path(4096, '\0');
  ssize_t length = readlink("/proc/self/exe", &path[0], path.size());
  path.resize(length > 0 ? static_cast<size_t>(length) : 0);
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// "e": no child holds the file open. Unlike Windows, fopen opens a folder.
std::FILE* OpenStream(const std::string& path, const std::string& mode, SystemError* failure) {
  std::string native = NativePath(path);
  errno = EISDIR;
  std::FILE* stream =
      IsDirectory(native) ? nullptr : std::fopen(native.c_str(), (mode + "e").c_str());
  if (!stream && failure) *failure = ErrorOf(errno);
  return stream;
}

bool ReadFilePart(const std::string& path, long long offset, size_t count, std::string* content) {
  Owned<InputFile> file = OpenInputFile(path);
  if (!file) return false;
  off_t size = std::fseek(file->stream, 0, SEEK_END) == 0 ? ftello(file->stream) : 0;
  off_t start = offset < 0 ? std::max<off_t>(size + offset, 0) : offset;
  content->assign(count, '\0');
  bool placed = fseeko(file->stream, start, SEEK_SET) == 0;
  content->resize(placed ? ReadInputFile(*file, &(*content)[0], count) : 0);
  return true;
}

bool IsDirectory(const std::string& path) {
  struct stat info;
  return stat(NativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ListDirectory(const std::string& path, std::vector<std::string>* names) {
  DIR* directory = opendir(NativePath(path).c_str());
  if (!directory) return false;
  names->clear();
  while (dirent* entry = readdir(directory)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names->push_back(name);
  }
  closedir(directory);
  std::sort(names->begin(), names->end());
  return true;
}

// As ExpandEnvironmentStrings: the closing % of an unknown reference may
// open the next one.
std::string ExpandEnvironmentReferences(const std::string& text) {
  std::string expanded;
  size_t from = 0;
  for (;;) {
    size_t open = text.find('%', from);
    size_t close = open == std::string::npos ? open : text.find('%', open + 1);
    if (close == std::string::npos) return expanded + text.substr(from);
    const char* value =
        close > open + 1 ? std::getenv(text.substr(open + 1, close - open - 1).c_str()) : nullptr;
    expanded += text.substr(from, (value ? open : close) - from);
    if (value) expanded += value;
    from = value ? close + 1 : close;
  }
}

bool CreateFolders(const std::string& path) {
  std::string native = NativePath(path);
  for (size_t slash = native.find('/', 1); slash != std::string::npos;
       slash = native.find('/', slash + 1)) {
    mkdir(native.substr(0, slash).c_str(), 0777);
  }
  mkdir(native.c_str(), 0777);
  return IsDirectory(path);
}

bool FolderIsWritable(const std::string& folder) {
  return IsDirectory(folder) && access(NativePath(folder).c_str(), W_OK | X_OK) == 0;
}

bool FileSize(const std::string& path, unsigned long long* size) {
  struct stat info;
  if (stat(NativePath(path).c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  *size = static_cast<unsigned long long>(info.st_size);
  return true;
}

// A hard link refuses an existing target, as MoveFileEx without replacing
// does. POSIX has no sharing modes: a file still being written is renamed.
bool RenameFileNoReplace(const std::string& from, const std::string& to) {
  std::string source = NativePath(from);
  if (link(source.c_str(), NativePath(to).c_str()) != 0) return false;
  unlink(source.c_str());
  return true;
}

Failure RemoveFile(const std::string& path) {
  return unlink(NativePath(path).c_str()) == 0 ? Failure() : ErrorOf(errno);
}

// A launcher's lock stands for a handle open on Windows.
bool RemoveClosedFile(const std::string& path) {
  int descriptor = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor == -1) return false;
  bool removed = flock(descriptor, LOCK_EX | LOCK_NB) == 0 && !RemoveFile(path);
  close(descriptor);
  return removed;
}

// In seconds; of a link its own, as Windows reads it.
bool LastWriteTime(const std::string& path, unsigned long long* time, bool used) {
  struct stat info;
  if (lstat(NativePath(path).c_str(), &info) != 0) return false;
  *time = static_cast<unsigned long long>(used ? info.st_atime : info.st_mtime);
  return true;
}

bool FileOlderThan(const std::string& path, unsigned long long seconds, bool used) {
  unsigned long long written = 0;
  if (!LastWriteTime(path, &written, used)) return false;
  auto now = static_cast<unsigned long long>(std::time(nullptr));
  return now > written && now - written > seconds;
}

bool MarkFileUsed(const std::string& path) {
  const timespec times[2] = {{0, UTIME_NOW}, {0, UTIME_OMIT}};
  return utimensat(AT_FDCWD, NativePath(path).c_str(), times, 0) == 0;
}

// An exclusive lock stands in for Windows' share mode: truncated only once
// the lock is ours, so that a held file is left as it was.
Owned<OutputFile> CreateUnsharedOutputFile(const std::string& path, SystemError* failure) {
  int descriptor = open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  bool ours = descriptor != -1 && flock(descriptor, LOCK_EX | LOCK_NB) == 0;
  std::FILE* stream = ours && ftruncate(descriptor, 0) == 0 ? fdopen(descriptor, "wb") : nullptr;
  if (!stream) {
    *failure = ErrorOf(errno);
    if (descriptor != -1) close(descriptor);
  }
  return Owned<OutputFile>(stream ? new OutputFile{{stream}} : nullptr);
}

std::string TemporaryFolder() {
  const char* folder = std::getenv("TMPDIR");
  std::string path = folder && *folder ? folder : "/tmp";
  return path.back() == '/' ? path : path + "/";
}

// The stand-in reads and writes its texts as the product's usual Windows does.
unsigned AnsiCodePage() { return 1252; }

unsigned long CurrentProcessId() { return static_cast<unsigned long>(getpid()); }

std::string ComputerName() {
  char name[256] = {};
  gethostname(name, sizeof name - 1);
  std::string host = name;
  return host.substr(0, host.find('.'));
}

std::string DnsHostName() { return ComputerName(); }

bool RunsUnderWow64() { return true; }

bool IsOlderThanWindows7() { return false; }

void ShowMessageBox(const std::string& text, const std::string& caption) {
  std::string line = caption + ": " + text + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

std::tm CurrentLocalTime() {
  std::time_t now = std::time(nullptr);
  std::tm local = {};
  localtime_r(&now, &local);
  return local;
}

unsigned long long MonotonicMilliseconds() {
  timespec now = {};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<unsigned long long>(now.tv_sec) * 1000 +
         static_cast<unsigned long long>(now.tv_nsec) / 1000000;
}

// As on Windows: the pipe takes the child's output beside the launcher's own
// input and error, Java's output file output and error, and a plain start
// has only its error stream. Breakaway and suspension have no counterpart:
// the stand-in's job is a watcher that only ever kills Java itself.
std::optional<StartFailure> StartProcess(const std::string& commandLine,
                                         const StartOptions& options, Process* process) {
  int ends[2] = {-1, -1};
  if (options.outputPipe && pipe2(ends, O_CLOEXEC) != 0) return StartFailure{ErrorOf(errno)};
  ChildStreams streams = {kNullStream, kNullStream, kLauncherStream};
  if (options.outputPipe) streams = {kLauncherStream, ends[1], kLauncherStream};
  int file = options.output ? fileno(options.output->stream) : -1;
  if (options.output) streams = {kNullStream, file, file};
  pid_t pid = 0;
  int error = Spawn(commandLine, options.program, streams, &pid);
  if (options.outputPipe) close(ends[1]);
  if (options.outputPipe && error != 0) close(ends[0]);
  if (error != 0) return StartFailure{ErrorOf(error)};
  if (options.outputPipe) process->output.reset(new Pipe{{fdopen(ends[0], "r")}});
  process->id = static_cast<unsigned long>(pid);
  process->handles.reset(new ProcessHandles);
  return std::nullopt;
}

Failure ResumeProcess(const Process&) { return std::nullopt; }

void AllowToComeToFront(const Process&) {}

ProcessEnd WaitForProcess(const Process& process) {
  return Reap(static_cast<pid_t>(process.id), 0);
}

ProcessEnd WaitForProcessEnd(const Process& process, unsigned long milliseconds) {
  unsigned long long deadline = MonotonicMilliseconds() + milliseconds;
  for (;;) {
    ProcessEnd end = Reap(static_cast<pid_t>(process.id), WNOHANG);
    if (end.ended || end.failure || MonotonicMilliseconds() >= deadline) return end;
    usleep(10000);
  }
}

void ShutDownAfterApplications() {}

// A watcher process stands in for the job object: it gets a signal when the
// launcher dies and then kills the job's member.
Failure CreateKillOnCloseJob(Owned<Job>* job) {
  job->reset(new Job);
  return std::nullopt;
}

Failure AssignProcessToJob(Job& job, const Process& process) {
  pid_t launcher = getpid();
  pid_t member = static_cast<pid_t>(process.id);
  pid_t watcher = fork();
  if (watcher < 0) return ErrorOf(errno);
  if (watcher == 0) {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGUSR1);
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    prctl(PR_SET_PDEATHSIG, SIGUSR1);
    if (getppid() == launcher) {
      int received;
      sigwait(&signals, &received);
    }
    kill(member, SIGKILL);
    _exit(0);
  }
  job.watcher = watcher;
  return std::nullopt;
}

Failure LiftKillOnClose(Job& job) {
  if (job.watcher > 0) {
    kill(job.watcher, SIGKILL);
    waitpid(job.watcher, nullptr, 0);
    job.watcher = 0;
  }
  return std::nullopt;
}

}  // namespace platform
