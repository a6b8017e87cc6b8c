// Stands in for javaw.exe in the end-to-end tests. Writes what it received
// to javaw.received beside itself: its working directory, on Windows the raw
// command line, then every argument. An argument fake.sleep=N makes it sleep
// N seconds and then append "finished"; fake.exit=N sets its exit code.

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

namespace {

std::string OwnFolder() {
  char path[4096] = {};
#ifdef _WIN32
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string own = path;
  return own.substr(0, own.find_last_of("\\/"));
#else
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  std::string own(path, length > 0 ? static_cast<size_t>(length) : 0);
  return own.substr(0, own.rfind('/'));
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
  std::string record = OwnFolder() + "/javaw.received";
  char cwd[4096] = {};
  std::string content = std::string("cwd=") + (getcwd(cwd, sizeof cwd) ? cwd : "") + "\n";
#ifdef _WIN32
  content += std::string("cmdline=") + GetCommandLineA() + "\n";
#endif
  int sleepSeconds = 0;
  int exitCode = 0;
  for (int i = 1; i < argc; ++i) {
    content += std::string("arg=") + argv[i] + "\n";
    sleepSeconds = ValueOf(argv[i], "fake.sleep=", sleepSeconds);
    exitCode = ValueOf(argv[i], "fake.exit=", exitCode);
  }
  Publish(record, content);
  if (sleepSeconds > 0) {
    std::this_thread::sleep_for(std::chrono::seconds(sleepSeconds));
    Publish(record, content + "finished\n");
  }
  return exitCode;
}
