// The harness on Linux: the launcher runs natively or under `wine`, started
// with fork and exec.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "tests/e2e/harness.h"

namespace e2e {

namespace {

bool WineRunner() {
  const char* runner = std::getenv("KIV_RUNNER");
  return runner && std::string(runner) == "wine";
}

std::string WineForm(const std::string& path) {
  std::string wine = "Z:" + path;
  for (char& c : wine) {
    if (c == '/') c = '\\';
  }
  return wine;
}

}  // namespace

bool WindowsLauncher() { return WineRunner(); }

bool UnderWine() { return WineRunner(); }

bool DrivenFromLinux() { return true; }

int WaitFor(int pid) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(-pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -2;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void Kill(int pid) { kill(pid, SIGKILL); }

void SetEnvironment(const std::string& name, const std::string& value) {
  setenv(name.c_str(), value.c_str(), 1);
}

namespace platform_part {

std::string MakeTemporaryFolder() {
  char pattern[] = "/tmp/kiv-e2e-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

char PathSeparator() { return '/'; }

// Under Wine the launcher sees this program's paths on drive Z:, and names
// some without the drive.
std::vector<std::string> FormsOf(const std::string& path) {
  return {WineForm(path), path, WineForm(path).substr(2)};
}

int Spawn(const std::vector<std::string>& argv, const std::string& directory,
          const std::string& outputPath, const std::string& errorPath) {
  pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    if (chdir(directory.c_str()) != 0) _exit(126);
    int in = open("/dev/null", O_RDONLY);
    int out = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err = open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    std::vector<char*> pointers;
    for (const std::string& argument : argv)
      pointers.push_back(const_cast<char*>(argument.c_str()));
    pointers.push_back(nullptr);
    execvp(pointers[0], pointers.data());
    _exit(127);
  }
  return pid;
}

int SpawnCommandLine(const std::string&, const std::string&, const std::string&, const std::string&,
                     const std::string&) {
  throw std::logic_error("Linux hands a program a list of arguments, not a command line");
}

}  // namespace platform_part

}  // namespace e2e
