// Stands in for javaw.exe in the end-to-end tests. Writes what it received
// to javaw.received beside itself: its working directory, on Windows the raw
// command line, then every argument as Java sees it (on Windows Java's own
// launcher splits the raw line, not the C runtime; natively the stand-in
// split it the same way). An argument fake.sleep=N (seconds) or
// fake.sleep_ms=N makes it sleep and then append "finished"; fake.exit=N
// sets its exit code, fake.exit.FOLDER=N only when it lies in FOLDER\bin.
// fake.stdout=TEXT and fake.stderr=TEXT print a line to that stream;
// fake.handles=true writes javaw.handles beside itself: the files and pipes
// it holds open (on Windows), its open descriptors (natively), one line each.
// fake.child=N starts a copy of itself that records to child.received and
// sleeps N seconds, as an application opens a program for the user.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/windows_arguments.h"

#ifdef _WIN32
#include <direct.h>
#include <windows.h>
#else
#include <filesystem>
#endif

namespace {

std::string OwnPath() {
#ifdef _WIN32
  char path[4096] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  return path;
#else
  std::error_code error;
  return std::filesystem::read_symlink("/proc/self/exe", error).string();
#endif
}

std::string CurrentDirectory() {
#ifdef _WIN32
  char cwd[4096] = {};
  return _getcwd(cwd, sizeof cwd) ? cwd : "";
#else
  std::error_code error;
  return std::filesystem::current_path(error).string();
#endif
}

std::string OwnFolder() {
  std::string own = OwnPath();
  return own.substr(0, own.find_last_of("\\/"));
}

// Not waited for; on Windows it inherits Java's job as any child does.
void StartChild(int seconds) {
  std::string self = OwnPath();
  std::string sleep = "fake.sleep=" + std::to_string(seconds);
#ifdef _WIN32
  std::string commandLine = "\"" + self + "\" fake.child " + sleep;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION information = {};
  if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &information)) {
    CloseHandle(information.hProcess);
    CloseHandle(information.hThread);
  }
#else
  // The shell leaves it running in the background and returns.
  int started = std::system(("'" + self + "' fake.child " + sleep + " &").c_str());
  (void)started;
#endif
}

// The name of the folder that holds bin\javaw.exe.
std::string FolderName() {
  std::string bin = OwnFolder();
  std::string folder = bin.substr(0, bin.find_last_of("\\/"));
  return folder.substr(folder.find_last_of("\\/") + 1);
}

bool HasName(const std::string& argument, const std::string& name) {
  return argument.compare(0, name.size(), name) == 0;
}

int ValueOf(const std::string& argument, const std::string& name, int fallback) {
  return HasName(argument, name) ? std::atoi(argument.c_str() + name.size()) : fallback;
}

void PrintLine(std::FILE* stream, const std::string& argument, const std::string& name) {
  if (!HasName(argument, name)) return;
  std::fputs((argument.substr(name.size()) + "\n").c_str(), stream);
  std::fflush(stream);
}

#ifdef _WIN32
// A file's path or a pipe; empty for handles of other kinds, for folders
// and devices, which the system itself gives every process.
std::string Describe(HANDLE handle) {
  switch (GetFileType(handle)) {
    case FILE_TYPE_PIPE:
      return "pipe";
    case FILE_TYPE_DISK: {
      BY_HANDLE_FILE_INFORMATION information;
      if (GetFileInformationByHandle(handle, &information) &&
          (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return "";
      }
      char path[4096] = {};
      GetFinalPathNameByHandleA(handle, path, sizeof path, FILE_NAME_NORMALIZED);
      std::string name = path;
      return name.compare(0, 4, "\\\\?\\") == 0 ? name.substr(4) : name;
    }
    default:
      return "";
  }
}

std::string OpenHandles() {
  std::string lines = "stdin=" + Describe(GetStdHandle(STD_INPUT_HANDLE)) + "\n";
  for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
    HANDLE handle = reinterpret_cast<HANDLE>(value);
    DWORD flags;
    if (!GetHandleInformation(handle, &flags)) continue;
    std::string description = Describe(handle);
    if (description.empty()) continue;
    bool standard =
        handle == GetStdHandle(STD_OUTPUT_HANDLE) || handle == GetStdHandle(STD_ERROR_HANDLE);
    lines += (standard ? "standard=" : "other=") + description + "\n";
  }
  return lines;
}
#else
// Without the listing's own descriptor, which points at the folder listed.
std::string OpenHandles() {
  namespace fs = std::filesystem;
  std::error_code error;
  const std::string listing = "/proc/" + fs::read_symlink("/proc/self", error).string() + "/fd";
  std::string lines;
  for (const fs::directory_entry& entry : fs::directory_iterator("/proc/self/fd", error)) {
    std::string target = fs::read_symlink(entry.path(), error).string();
    if (target != listing) lines += "fd" + entry.path().filename().string() + "=" + target + "\n";
  }
  return lines;
}
#endif

// Written whole and then renamed, so a reader never sees half a record.
void Publish(const std::string& path, const std::string& content) {
  std::string temporary = path + ".tmp";
  std::FILE* out = std::fopen(temporary.c_str(), "wb");
  if (!out) return;
  std::fwrite(content.data(), 1, content.size(), out);
  std::fclose(out);
  std::remove(path.c_str());
  std::rename(temporary.c_str(), path.c_str());
}

std::vector<std::string> JavaArguments(int argc, char** argv) {
#ifdef _WIN32
  (void)argc, (void)argv;
  std::vector<std::string> arguments;
  for (const platform::Argument& argument :
       platform::SplitArguments(GetCommandLineA(), platform::ArgumentReader::kJavaLauncher)) {
    arguments.push_back(argument.text);
  }
  if (!arguments.empty()) arguments.erase(arguments.begin());
  return arguments;
#else
  return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments = JavaArguments(argc, argv);
  bool isChild = !arguments.empty() && arguments[0] == "fake.child";
  std::string record = OwnFolder() + (isChild ? "/child.received" : "/javaw.received");
  std::string content = "cwd=" + CurrentDirectory() + "\n";
#ifdef _WIN32
  content += std::string("cmdline=") + GetCommandLineA() + "\n";
#endif
  int sleepMilliseconds = 0;
  int exitCode = 0;
  int childSeconds = 0;
  bool handles = false;
  for (const std::string& argument : arguments) {
    content += "arg=" + argument + "\n";
    if (HasName(argument, "fake.sleep="))
      sleepMilliseconds = ValueOf(argument, "fake.sleep=", 0) * 1000;
    sleepMilliseconds = ValueOf(argument, "fake.sleep_ms=", sleepMilliseconds);
    exitCode = ValueOf(argument, "fake.exit=", exitCode);
    childSeconds = ValueOf(argument, "fake.child=", childSeconds);
    exitCode = ValueOf(argument, "fake.exit." + FolderName() + "=", exitCode);
    handles = handles || argument == "fake.handles=true";
    PrintLine(stdout, argument, "fake.stdout=");
    PrintLine(stderr, argument, "fake.stderr=");
  }
  if (handles) Publish(OwnFolder() + "/javaw.handles", OpenHandles());
  if (childSeconds > 0) StartChild(childSeconds);
  Publish(record, content);
  if (sleepMilliseconds > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(sleepMilliseconds));
    Publish(record, content + "finished\n");
  }
  return exitCode;
}
