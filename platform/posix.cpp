// The native stand-in: the same launcher on Linux, for fast tests, the
// sanitizers and the demo. Paths handed in are read with every backslash as
// a separator.

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>

#include "platform/platform.h"

namespace platform {

namespace {

std::vector<std::string> arguments;

std::string NativePath(const std::string& path) {
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

// An argument with a blank is quoted again, as it stood in the Windows
// command line it was split from, so that a child launcher sees it as one.
std::string JoinArguments() {
  std::string joined;
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    bool quoted = argument.find_first_of(" \t") != std::string::npos;
    joined += (i > 1 ? " " : "") + (quoted ? "\"" + argument + "\"" : argument);
  }
  return joined;
}

bool IsRegularFile(const std::string& nativePath) {
  struct stat info;
  return stat(nativePath.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

// Backslashes before a double quote escape, the way CommandLineToArgvW reads
// a Windows command line.
void AppendBackslashes(std::string& argument, size_t count, bool beforeQuote) {
  argument.append(beforeQuote ? count / 2 : count, '\\');
}

std::vector<std::string> SplitWindowsCommandLine(const std::string& line) {
  std::vector<std::string> argv;
  size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    if (pos >= line.size()) break;
    std::string argument;
    bool inQuotes = false;
    while (pos < line.size() && (inQuotes || (line[pos] != ' ' && line[pos] != '\t'))) {
      size_t backslashes = 0;
      while (pos < line.size() && line[pos] == '\\') ++backslashes, ++pos;
      bool quote = pos < line.size() && line[pos] == '"';
      AppendBackslashes(argument, backslashes, quote);
      if (backslashes > 0 && !(quote && backslashes % 2 == 0)) {
        if (quote) argument += '"', ++pos;
        continue;
      }
      if (pos >= line.size()) break;
      if (quote) {
        if (inQuotes && pos + 1 < line.size() && line[pos + 1] == '"') {
          argument += '"';
          ++pos;
        } else {
          inQuotes = !inQuotes;
        }
      } else {
        argument += line[pos];
      }
      ++pos;
    }
    argv.push_back(argument);
  }
  return argv;
}

std::string Folder(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

bool IsExecutable(const std::string& path) {
  return IsRegularFile(path) && access(path.c_str(), X_OK) == 0;
}

// A program named with ".exe" that does not exist is tried without it.
bool FindInFolder(const std::string& folder, const std::string& program, std::string* found) {
  std::string candidate = folder.empty() ? program : folder + "/" + program;
  if (IsExecutable(candidate)) return *found = candidate, true;
  size_t length = candidate.size();
  if (length > 4 && candidate.compare(length - 4, 4, ".exe") == 0) {
    candidate.resize(length - 4);
    if (IsExecutable(candidate)) return *found = candidate, true;
  }
  return false;
}

std::vector<std::string> SearchFolders(bool executableFolderFirst) {
  std::vector<std::string> folders;
  if (executableFolderFirst) folders.push_back(Folder(NativePath(ExecutablePath())));
  folders.push_back(".");
  const char* path = std::getenv("PATH");
  std::stringstream entries(path ? path : "");
  for (std::string entry; std::getline(entries, entry, ':');) folders.push_back(entry);
  return folders;
}

bool FindProgram(const std::string& program, bool executableFolderFirst, std::string* found) {
  if (!program.empty() && program[0] == '/') return FindInFolder("", program, found);
  for (const std::string& folder : SearchFolders(executableFolderFirst)) {
    if (FindInFolder(folder, program, found)) return true;
  }
  return false;
}

[[noreturn]] void ExecChild(const std::string& program, const std::vector<std::string>& argv,
                            int errorPipe) {
  std::vector<char*> pointers;
  for (const std::string& argument : argv) pointers.push_back(const_cast<char*>(argument.c_str()));
  pointers.push_back(nullptr);
  execv(program.c_str(), pointers.data());
  int error = errno;
  ssize_t written = write(errorPipe, &error, sizeof error);
  (void)written;
  _exit(127);
}

void RedirectToNull(int fd) {
  int null = open("/dev/null", O_RDWR);
  dup2(null, fd);
  close(null);
}

// Like CreateProcess without an application name: an unquoted program path
// that holds blanks is tried up to each blank in turn, shortest first.
bool ResolveProgram(const std::string& commandLine, bool executableFolderFirst,
                    std::string* program, std::vector<std::string>* argv) {
  *argv = SplitWindowsCommandLine(commandLine);
  if (argv->empty()) return false;
  if (FindProgram(NativePath((*argv)[0]), executableFolderFirst, program)) return true;
  size_t start = commandLine.find_first_not_of(" \t");
  if (commandLine[start] == '"') return false;
  for (size_t blank = commandLine.find(' ', start); blank != std::string::npos;
       blank = commandLine.find(' ', blank + 1)) {
    std::string candidate = commandLine.substr(start, blank - start);
    if (FindProgram(NativePath(candidate), executableFolderFirst, program)) {
      *argv = SplitWindowsCommandLine(commandLine.substr(blank));
      argv->insert(argv->begin(), candidate);
      return true;
    }
  }
  return false;
}

// Forks and execs; the child's standard output goes to outputFd, or to
// /dev/null as a process that inherits no handles would have it.
pid_t Spawn(const std::string& commandLine, bool executableFolderFirst, int outputFd) {
  std::vector<std::string> argv;
  std::string program;
  if (!ResolveProgram(commandLine, executableFolderFirst, &program, &argv)) return -1;
  int errorPipe[2];
  if (pipe2(errorPipe, O_CLOEXEC) != 0) return -1;
  std::fflush(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    close(errorPipe[0]);
    RedirectToNull(STDIN_FILENO);
    if (outputFd >= 0) {
      dup2(outputFd, STDOUT_FILENO);
    } else {
      RedirectToNull(STDOUT_FILENO);
    }
    ExecChild(program, argv, errorPipe[1]);
  }
  close(errorPipe[1]);
  int error = 0;
  ssize_t got = pid > 0 ? read(errorPipe[0], &error, sizeof error) : 0;
  close(errorPipe[0]);
  if (pid > 0 && got > 0) {
    waitpid(pid, nullptr, 0);
    return -1;
  }
  return pid;
}

}  // namespace

struct InputFile {
  std::FILE* stream;
};

struct OutputFile {
  std::FILE* stream;
};

struct Job {
  pid_t watcher = 0;
};

struct Pipe {
  std::FILE* stream;
  pid_t child;
};

void Initialize(int argc, char** argv) { arguments.assign(argv, argv + argc); }

std::string FullCommandLine() {
  std::string program = arguments.empty() ? "KivLauncher" : arguments[0];
  if (program.find(' ') != std::string::npos) program = "\"" + program + "\"";
  return program + " " + JoinArguments();
}

std::string CurrentDirectory() {
  char* path = getcwd(nullptr, 0);
  if (!path) return std::string();
  std::string directory = path;
  std::free(path);
  return directory;
}

bool ChangeDirectory(const std::string& path) { return chdir(NativePath(path).c_str()) == 0; }

// In the Windows form, so that the launcher cuts it at its last backslash.
std::string ExecutablePath() {
  std::string path(4096, '\0');
  ssize_t length = readlink("/proc/self/exe", &path[0], path.size());
  path.resize(length > 0 ? static_cast<size_t>(length) : 0);
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

InputFile* OpenInputFile(const std::string& path) {
  std::string native = NativePath(path);
  std::FILE* stream = IsRegularFile(native) ? std::fopen(native.c_str(), "rb") : nullptr;
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
  std::string native = NativePath(path);
  std::FILE* file = IsRegularFile(native) ? std::fopen(native.c_str(), "r") : nullptr;
  if (file) std::fclose(file);
  return file != nullptr;
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

OutputFile* CreateOutputFile(const std::string& path) {
  std::string native = NativePath(path);
  if (IsDirectory(native)) return nullptr;
  std::FILE* stream = std::fopen(native.c_str(), "wb");
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
  char name[256] = {};
  gethostname(name, sizeof name - 1);
  std::string host = name;
  return host.substr(0, host.find('.'));
}

bool RunsUnderWow64() { return true; }

bool LacksK32GetModuleFileNameExA() { return false; }

void ShowMessageBox(const std::string& text, const std::string& caption) {
  std::cerr << caption << ": " << text << std::endl;
}

void WriteStandardOutput(const std::string& bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void WriteLastErrorLine(const std::string& text) { std::perror(text.c_str()); }

std::tm CurrentLocalTime() {
  std::time_t now = std::time(nullptr);
  std::tm local = {};
  localtime_r(&now, &local);
  return local;
}

bool StartProcess(const std::string& commandLine, const StartOptions&, Process* process) {
  pid_t pid = Spawn(commandLine, true, -1);
  if (pid <= 0) return false;
  process->id = static_cast<unsigned long>(pid);
  return true;
}

void WaitForProcess(const Process& process) {
  int status;
  while (waitpid(static_cast<pid_t>(process.id), &status, 0) < 0 && errno == EINTR) {
  }
}

void CloseProcess(const Process&) {}

// A watcher process stands in for the job object: it gets a signal when the
// launcher dies and then kills the job's member.
Job* CreateKillOnCloseJob() { return new Job; }

unsigned long AssignProcessToJob(Job* job, const Process& process) {
  pid_t launcher = getpid();
  pid_t member = static_cast<pid_t>(process.id);
  pid_t watcher = fork();
  if (watcher < 0) return static_cast<unsigned long>(errno);
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
  job->watcher = watcher;
  return 0;
}

void CloseJob(Job* job) {
  // Only ever closed after the member has ended and been reaped.
  if (job->watcher > 0) {
    kill(job->watcher, SIGKILL);
    waitpid(job->watcher, nullptr, 0);
  }
  delete job;
}

Pipe* OpenCommandPipe(const std::string& command) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return nullptr;
  pid_t child = Spawn(command, false, ends[1]);
  close(ends[1]);
  if (child <= 0) {
    close(ends[0]);
    return nullptr;
  }
  return new Pipe{fdopen(ends[0], "r"), child};
}

bool ReadPipeLine(Pipe* pipe, int maxBytes, std::string* line) {
  std::vector<char> buffer(static_cast<size_t>(maxBytes), '\0');
  if (!std::fgets(buffer.data(), maxBytes, pipe->stream)) return false;
  line->assign(buffer.data());
  return true;
}

void ClosePipe(Pipe* pipe) {
  std::fclose(pipe->stream);
  waitpid(pipe->child, nullptr, 0);
  delete pipe;
}

}  // namespace platform
