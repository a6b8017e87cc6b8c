// Stands in for javaw.exe in the end-to-end tests. Writes what it received
// to javaw.received beside itself: its working directory, on Windows the raw
// command line, then every argument. An argument fake.sleep=N makes it sleep
// N seconds and then append "finished"; fake.exit=N sets its exit code;
// fake.child=N starts a copy of itself that records to child.received and
// sleeps N seconds, as an application opens a program for the user.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#ifdef _WIN32
#include <direct.h>
#include <windows.h>
#define getcwd _getcwd
#else
#include <unistd.h>
#endif

#include <cstring>

namespace {

std::string OwnPath() {
  char path[4096] = {};
#ifdef _WIN32
  GetModuleFileNameA(nullptr, path, sizeof path);
  return path;
#else
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return std::string(path, length > 0 ? static_cast<size_t>(length) : 0);
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
  if (fork() == 0) {
    execl(self.c_str(), self.c_str(), "fake.child", sleep.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
#endif
}

int ValueOf(const std::string& argument, const std::string& name, int fallback) {
  return argument.compare(0, name.size(), name) == 0 ? std::atoi(argument.c_str() + name.size())
                                                     : fallback;
}

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

}  // namespace

int main(int argc, char** argv) {
  bool isChild = argc > 1 && std::strcmp(argv[1], "fake.child") == 0;
  std::string record = OwnFolder() + (isChild ? "/child.received" : "/javaw.received");
  char cwd[4096] = {};
  std::string content = std::string("cwd=") + (getcwd(cwd, sizeof cwd) ? cwd : "") + "\n";
#ifdef _WIN32
  content += std::string("cmdline=") + GetCommandLineA() + "\n";
#endif
  int sleepSeconds = 0;
  int exitCode = 0;
  int childSeconds = 0;
  for (int i = 1; i < argc; ++i) {
    content += std::string("arg=") + argv[i] + "\n";
    sleepSeconds = ValueOf(argv[i], "fake.sleep=", sleepSeconds);
    exitCode = ValueOf(argv[i], "fake.exit=", exitCode);
    childSeconds = ValueOf(argv[i], "fake.child=", childSeconds);
  }
  if (childSeconds > 0) StartChild(childSeconds);
  Publish(record, content);
  if (sleepSeconds > 0) {
    std::this_thread::sleep_for(std::chrono::seconds(sleepSeconds));
    Publish(record, content + "finished\n");
  }
  return exitCode;
}
