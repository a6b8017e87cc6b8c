#include "tests/fake_platform.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <new>

#include "platform/platform.h"

namespace fake {

namespace {

bool IsAbsolute(const std::string& path) {
  return (path.size() >= 2 && path[1] == ':') || (!path.empty() && path[0] == '\\');
}

std::string Parent(const std::string& path) {
  size_t backslash = path.rfind('\\');
  return backslash == std::string::npos ? std::string() : path.substr(0, backslash);
}

}  // namespace

State& Get() {
  static State state;
  return state;
}

std::string Absolute(const std::string& path) {
  std::string full = IsAbsolute(path) ? path : Get().currentDirectory + "\\" + path;
  std::vector<std::string> parts;
  size_t from = 0;
  for (;;) {
    size_t backslash = full.find('\\', from);
    std::string part = full.substr(from, backslash - from);
    if (part == "..") {
      if (parts.size() > 1) parts.pop_back();
    } else if (part != "." && !(part.empty() && !parts.empty())) {
      parts.push_back(part);
    }
    if (backslash == std::string::npos) break;
    from = backslash + 1;
  }
  std::string normal;
  for (size_t i = 0; i < parts.size(); ++i) normal += (i ? "\\" : "") + parts[i];
  return normal;
}

void AddDirectory(const std::string& path) {
  for (std::string folder = Absolute(path); folder.find('\\') != std::string::npos;
       folder = Parent(folder)) {
    Get().directories.insert(folder);
  }
}

void AddFile(const std::string& path, const std::string& content) {
  std::string full = Absolute(path);
  Get().files[full] = content;
  AddDirectory(Parent(full));
}

std::tm LocalTime(int year, int month, int day, int weekday, int hour, int minute, int second) {
  std::tm time = {};
  time.tm_year = year - 1900;
  time.tm_mon = month - 1;
  time.tm_mday = day;
  time.tm_wday = weekday;
  time.tm_hour = hour;
  time.tm_min = minute;
  time.tm_sec = second;
  return time;
}

void Reset() {
  Get() = State();
  Get().currentDirectory = "C:\\App";
  Get().directories.insert("C:");
  Get().executablePath = "C:\\App\\KivLauncher.exe";
  AddFile(Get().executablePath, "MZ");
  AddDirectory("C:\\App\\lib");
  AddDirectory(Get().temporaryFolder);
}

std::string ReadLog(const std::string& folder) { return Get().files[folder + "\\KivLaunch.log"]; }

std::string ErrorText(unsigned long number) {
  return "Systemfehler " + std::to_string(number) + ".";
}

}  // namespace fake

namespace platform {

using fake::Absolute;
using fake::Get;

struct InputFile {
  std::string content;
  size_t offset;
};

struct OutputFile {
  std::string path;
};

struct Job {};

struct Pipe {
  std::string answer;
};

struct ProcessHandles {
  unsigned long id;
};

void Closer::operator()(InputFile* file) const { delete file; }

void Closer::operator()(OutputFile* file) const { delete file; }

void Closer::operator()(Job* job) const {
  Get().events.push_back("close job");
  delete job;
}

void Closer::operator()(Pipe* pipe) const {
  Get().events.push_back("close pipe");
  delete pipe;
}

void Closer::operator()(ProcessHandles* handles) const {
  Get().events.push_back("close " + std::to_string(handles->id));
  delete handles;
}

void Initialize(int, char**) {}

std::string FullCommandLine() { return Get().commandLine; }

std::string CurrentDirectory() { return Get().currentDirectory; }

namespace {

SystemError Error(unsigned long number) {
  SystemError error;
  error.number = number;
  error.text = fake::ErrorText(number);
  return error;
}

}  // namespace

Failure ChangeDirectory(const std::string& path) {
  std::string full = Absolute(path);
  if (!Get().directories.count(full) || full == Get().lockedDirectory) {
    return Error(Get().enterError);
  }
  Get().currentDirectory = full;
  return std::nullopt;
}

std::string ExecutablePath() { return Get().executablePath; }

namespace {

// Null for a file that does not exist.
const std::string* Content(const std::string& path) {
  auto it = Get().files.find(Absolute(path));
  return it == Get().files.end() ? nullptr : &it->second;
}

}  // namespace

Owned<InputFile> OpenInputFile(const std::string& path, SystemError* failure) {
  const std::string* content = Content(path);
  if (!content && failure) *failure = Error(2);
  return Owned<InputFile>(content ? new InputFile{*content, 0} : nullptr);
}

size_t ReadInputFile(InputFile& file, char* buffer, size_t maxBytes) {
  if (Get().readFailsWithBadAlloc) std::get_new_handler()();
  size_t count = std::min({maxBytes, Get().readPieceBytes, file.content.size() - file.offset});
  file.content.copy(buffer, count, file.offset);
  file.offset += count;
  return count;
}

bool ReadFileStart(const std::string& path, size_t count, std::string* content) {
  const std::string* whole = Content(path);
  if (whole) *content = whole->substr(0, count);
  return whole != nullptr;
}

bool ReadFilePart(const std::string& path, long long offset, size_t count, std::string* content) {
  const std::string* whole = Content(path);
  long long size = whole ? static_cast<long long>(whole->size()) : 0;
  long long start = offset < 0 ? std::max(size + offset, 0LL) : std::min(offset, size);
  if (whole) *content = whole->substr(static_cast<size_t>(start), count);
  return whole != nullptr;
}

bool FileCanBeOpened(const std::string& path) { return Get().files.count(Absolute(path)) > 0; }

bool IsDirectory(const std::string& path) { return Get().directories.count(Absolute(path)) > 0; }

bool ListDirectory(const std::string& path, std::vector<std::string>* names) {
  std::string folder = Absolute(path);
  if (!Get().directories.count(folder)) return false;
  names->clear();
  auto addChild = [&](const std::string& entry) {
    if (entry.size() > folder.size() + 1 &&
        entry.compare(0, folder.size() + 1, folder + "\\") == 0 &&
        entry.find('\\', folder.size() + 1) == std::string::npos) {
      names->push_back(entry.substr(folder.size() + 1));
    }
  };
  for (const auto& file : Get().files) addChild(file.first);
  for (const auto& directory : Get().directories) addChild(directory);
  std::sort(names->begin(), names->end());
  return true;
}

// Enough for the tests: every reference to a variable that is set.
std::string ExpandEnvironmentReferences(const std::string& text) {
  std::string expanded = text;
  for (const auto& [name, value] : Get().environment) {
    std::string reference = "%" + name + "%";
    for (size_t at = expanded.find(reference); at != std::string::npos;
         at = expanded.find(reference, at + value.size())) {
      expanded.replace(at, reference.size(), value);
    }
  }
  return expanded;
}

namespace {

bool IsReadOnly(const std::string& path) {
  for (const std::string& folder : Get().readOnlyFolders) {
    std::string full = Absolute(folder);
    if (path == full || path.compare(0, full.size() + 1, full + "\\") == 0) return true;
  }
  return false;
}

}  // namespace

bool CreateFolders(const std::string& path) {
  std::string full = Absolute(path);
  if (!Get().directories.count(full) && !IsReadOnly(full)) fake::AddDirectory(full);
  return Get().directories.count(full) > 0;
}

bool FolderIsWritable(const std::string& folder) {
  std::string full = Absolute(folder);
  return Get().directories.count(full) > 0 && !IsReadOnly(full);
}

bool FileSize(const std::string& path, unsigned long long* size) {
  const std::string* content = Content(path);
  if (content) *size = content->size();
  return content != nullptr;
}

bool RenameFileNoReplace(const std::string& from, const std::string& to) {
  std::string source = Absolute(from), target = Absolute(to);
  if (!Get().files.count(source) || Get().files.count(target) || Get().openFiles.count(source) ||
      IsReadOnly(source)) {
    return false;
  }
  Get().files[target] = Get().files[source];
  Get().files.erase(source);
  return true;
}

Failure RemoveFile(const std::string& path) {
  std::string full = Absolute(path);
  if (Get().openFiles.count(full)) return Error(32);
  if (IsReadOnly(full)) return Error(5);
  if (!Get().files.erase(full)) return Error(2);
  return std::nullopt;
}

bool RemoveClosedFile(const std::string& path) {
  return !Get().heldFiles.count(Absolute(path)) && !RemoveFile(path);
}

bool FileOlderThan(const std::string& path, unsigned long long seconds, bool used) {
  auto& ages = used ? Get().fileUseAges : Get().fileAges;
  auto age = ages.find(Absolute(path));
  return age != ages.end() && age->second > seconds;
}

bool LastWriteTime(const std::string& path, unsigned long long* time, bool) {
  *time = ~0ull - (Get().fileAges.count(Absolute(path)) ? Get().fileAges[Absolute(path)] : 0);
  return Get().files.count(Absolute(path)) > 0;
}

bool MarkFileUsed(const std::string& path) {
  Get().fileUseAges[Absolute(path)] = 0;
  return Get().files.count(Absolute(path)) > 0;
}

Owned<OutputFile> CreateOutputFile(const std::string& path, bool append, SystemError* failure) {
  std::string full = Absolute(path);
  if (Get().directories.count(full) || IsReadOnly(full)) {
    if (failure) *failure = Error(5);
    return nullptr;
  }
  if (!append) Get().files[full].clear();
  return Owned<OutputFile>(new OutputFile{full});
}

bool WriteOutputFile(OutputFile& file, const std::string& bytes) {
  if (Get().fullDiskFiles.count(file.path)) return false;
  Get().files[file.path] += bytes;
  return true;
}

// Windows' numbers: a sharing violation, access denied.
Owned<OutputFile> CreateUnsharedOutputFile(const std::string& path, SystemError* failure) {
  bool held = Get().heldFiles.count(Absolute(path)) > 0;
  Owned<OutputFile> file = held ? nullptr : CreateOutputFile(path);
  if (!file) *failure = Error(held ? 32 : 5);
  return file;
}

std::string TemporaryFolder() { return Get().temporaryFolder; }

unsigned AnsiCodePage() { return Get().ansiCodePage; }

unsigned long CurrentProcessId() { return Get().processId; }

std::string ComputerName() { return Get().computerName; }

std::string DnsHostName() { return Get().dnsHostName; }

bool RunsUnderWow64() { return Get().runsUnderWow64; }

bool IsOlderThanWindows7() { return Get().olderThanWindows7; }

void ShowMessageBox(const std::string& text, const std::string& caption) {
  Get().messageBoxes.push_back(caption + ": " + text);
}

void WriteStandardOutput(const std::string& bytes) { Get().standardOutput += bytes; }

void WriteLastErrorLine(const std::string& text) {
  Get().standardError += text + ": No such file or directory\n";
}

std::tm CurrentLocalTime() { return Get().localTime; }

unsigned long long MonotonicMilliseconds() { return Get().clock; }

void ExitImmediately(int exitCode) { throw fake::Exit{exitCode}; }

namespace {

struct Run {
  unsigned long long startedAt;
  fake::ProcessOutcome outcome;
};
// By process id.
std::map<unsigned long, Run> runs;

// Empty for no error.
Failure Fails(unsigned long number) {
  if (number == 0) return std::nullopt;
  return Error(number);
}

}  // namespace

std::optional<StartFailure> StartProcess(const std::string& commandLine,
                                         const StartOptions& options, Process* process) {
  if (options.outputPipe) Get().pipeCommands.push_back(commandLine);
  for (const std::string& program : Get().failingPrograms) {
    if (commandLine.compare(0, program.size(), program) == 0) {
      return StartFailure{Error(Get().startError)};
    }
  }
  if (options.breakawayFromJob && Get().breakawayError) {
    return StartFailure{Error(Get().breakawayError), Get().breakawayError == 5 && Get().inJob};
  }
  if (options.outputPipe && !Get().pipeAnswer) return StartFailure{Error(Get().startError)};
  size_t index = Get().started.size();
  Get().started.push_back({commandLine, options.breakawayFromJob, options.suspended,
                           options.program, options.outputPipe,
                           options.output ? options.output->path : ""});
  process->id = 4242 + static_cast<unsigned long>(index);
  process->handles.reset(new ProcessHandles{process->id});
  if (options.outputPipe) process->output.reset(new Pipe{Get().pipeAnswer});
  fake::ProcessOutcome outcome;
  outcome.exitCode = Get().exitCode;
  if (index < Get().outcomes.size()) outcome = Get().outcomes[index];
  if (options.output) Get().files[options.output->path] += outcome.printed;
  runs[process->id] = {Get().clock, outcome};
  return std::nullopt;
}

Failure ResumeProcess(const Process& process) {
  Get().events.push_back("resume " + std::to_string(process.id));
  return Fails(Get().resumeError);
}

void AllowToComeToFront(const Process& process) { Get().broughtToFront.push_back(process.id); }

ProcessEnd WaitForProcess(const Process& process) {
  Get().events.push_back("wait " + std::to_string(process.id));
  ProcessEnd end;
  if ((end.failure = Fails(Get().waitError))) return end;
  const Run& run = runs[process.id];
  Get().clock = std::max(Get().clock, run.startedAt + run.outcome.runMilliseconds);
  end.ended = true;
  end.exitCode = run.outcome.exitCode;
  end.crashed = end.exitCode >= 0xC0000000;
  return end;
}

ProcessEnd WaitForProcessEnd(const Process& process, unsigned long milliseconds) {
  Get().events.push_back("wait " + std::to_string(process.id) + " up to " +
                         std::to_string(milliseconds) + " ms");
  ProcessEnd end;
  if ((end.failure = Fails(Get().waitError))) return end;
  const Run& run = runs[process.id];
  unsigned long long ends = run.startedAt + run.outcome.runMilliseconds;
  if (ends > Get().clock + milliseconds) {
    Get().clock += milliseconds;
    return end;
  }
  Get().clock = std::max(Get().clock, ends);
  end.ended = true;
  end.exitCode = run.outcome.exitCode;
  end.crashed = end.exitCode >= 0xC0000000;
  return end;
}

void ShutDownAfterApplications() { Get().shutsDownAfterApplications = true; }

Failure CreateKillOnCloseJob(Owned<Job>* job) {
  Get().events.push_back("create job");
  if (Get().jobError) return Error(Get().jobError);
  job->reset(new Job);
  return std::nullopt;
}

Failure AssignProcessToJob(Job&, const Process& process) {
  Get().events.push_back("assign " + std::to_string(process.id));
  return Fails(Get().assignError);
}

Failure LiftKillOnClose(Job&) {
  Get().events.push_back("lift kill-on-close");
  return std::nullopt;
}

bool ReadPipe(Pipe& pipe, int maxBytes, std::string* text) {
  *text = pipe.answer.substr(0, static_cast<size_t>(maxBytes - 1));
  return !text->empty();
}

}  // namespace platform
