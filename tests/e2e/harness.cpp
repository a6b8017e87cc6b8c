#include "tests/e2e/harness.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace e2e {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string Native(const std::string& path) {
  std::string native = path;
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

std::string ReadWhole(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

void Copy(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + from);
  std::ofstream out(to, std::ios::binary);
  out << in.rdbuf();
  out.close();
  chmod(to.c_str(), 0755);
}

void MakeDirectories(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    mkdir(path.substr(0, slash).c_str(), 0755);
    if (slash == std::string::npos) break;
  }
}

pid_t Spawn(const std::vector<std::string>& argv, const std::string& directory,
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

std::string WineForm(const std::string& path) {
  std::string wine = "Z:" + path;
  for (char& c : wine) {
    if (c == '/') c = '\\';
  }
  return wine;
}

// Replaces every occurrence of a path prefix by <DIR>, with the path that
// follows it in backslash form.
void ReplaceFolder(std::string& text, const std::string& folder) {
  for (size_t hit = text.find(folder); hit != std::string::npos; hit = text.find(folder, hit)) {
    text.replace(hit, folder.size(), "<DIR>");
    for (size_t i = hit + 5; i < text.size() && !std::strchr(" \t\r\n\"'", text[i]); ++i) {
      if (text[i] == '/') text[i] = '\\';
    }
  }
}

}  // namespace

bool UnderWine() { return Environment("KIV_RUNNER") == "wine"; }

std::string LauncherName() { return UnderWine() ? "KivLauncher.exe" : "KivLauncher"; }

std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

Installation::Installation() {
  char pattern[] = "/tmp/kiv-e2e-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
}

Installation::~Installation() {
  if (Environment("KIV_KEEP_TEMP").empty()) {
    std::string command = "rm -rf '" + root_ + "'";
    if (std::system(command.c_str()) != 0) {
    }
  }
}

std::string Installation::Path(const std::string& relative) const {
  return relative.empty() ? root_ : root_ + "/" + Native(relative);
}

void Installation::Write(const std::string& relative, const std::string& content) const {
  std::string path = Path(relative);
  MakeDirectories(path.substr(0, path.rfind('/')));
  std::ofstream(path, std::ios::binary) << content;
}

void Installation::MakeDirectory(const std::string& relative) const {
  MakeDirectories(Path(relative));
}

void Installation::AddLauncher(const std::string& folder) const {
  MakeDirectory(folder);
  Copy(Environment("KIV_LAUNCHER"), Path(folder) + "/" + LauncherName());
}

void Installation::AddJava(const std::string& folder) const {
  MakeDirectory(folder + "/bin");
  Copy(Environment("KIV_FAKE_JAVA"), Path(folder) + "/bin/javaw.exe");
}

std::string Installation::Read(const std::string& relative) const {
  return ReadWhole(Path(relative));
}

bool Installation::Exists(const std::string& relative) const {
  struct stat info;
  return stat(Path(relative).c_str(), &info) == 0;
}

std::vector<std::string> Installation::LauncherCommand(
    const std::string& launcherFolder, const std::vector<std::string>& arguments) const {
  std::vector<std::string> argv;
  if (UnderWine()) argv.push_back("wine");
  argv.push_back(Path(launcherFolder) + "/" + LauncherName());
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return argv;
}

int Installation::Start(const std::vector<std::string>& arguments) const {
  return Spawn(LauncherCommand("", arguments), root_, root_ + "/.stdout", root_ + "/.stderr");
}

RunResult Installation::Run(const std::vector<std::string>& arguments,
                            const std::string& launcherFolder,
                            const std::string& workingFolder) const {
  std::string out = root_ + "/.stdout";
  std::string err = root_ + "/.stderr";
  RunResult result;
  result.exitCode =
      WaitFor(Spawn(LauncherCommand(launcherFolder, arguments), Path(workingFolder), out, err));
  result.standardOutput = ReadWhole(out);
  result.standardError = ReadWhole(err);
  unlink(out.c_str());
  unlink(err.c_str());
  return result;
}

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

bool WaitForFile(const std::string& path, int seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  struct stat info;
  while (stat(path.c_str(), &info) != 0) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

std::string Installation::Normalize(std::string text) const {
  text = std::regex_replace(
      text, std::regex(R"(built [A-Z][a-z]{2} [ 0-9]\d \d{4} \d\d:\d\d:\d\d\$)"), "built <BUILD>$");
  text = std::regex_replace(
      text, std::regex(R"(am [A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9]\d \d\d:\d\d:\d\d \d{4})"),
      "am <TIME>");
  text = std::regex_replace(text, std::regex(R"(Computer "[^"]*")"), "Computer \"<HOST>\"");
  text = NormalizeElapsed(text);
  text = std::regex_replace(text, std::regex(R"((Windows-Fehler \d+): [^\r\n]*)"), "$1: <TEXT>");
  ReplaceFolder(text, WineForm(root_));
  ReplaceFolder(text, root_);
  ReplaceFolder(text, WineForm(root_).substr(2));
  return text;
}

std::string Installation::NormalizedLog(const std::string& folder) const {
  return NormalizedFile(folder.empty() ? "KivLaunch.log" : folder + "/KivLaunch.log");
}

std::string Installation::NormalizedFile(const std::string& relative) const {
  return Normalize(Read(relative));
}

std::string NormalizeElapsed(const std::string& text) {
  return std::regex_replace(text, std::regex(R"(nach \d+ s mit Exit-Code)"),
                            "nach <N> s mit Exit-Code");
}

std::vector<std::string> Installation::JavaArguments(const std::string& javaFolder) const {
  std::vector<std::string> lines;
  WaitForFile(Path(javaFolder + "/bin/javaw.received"), 30);
  std::istringstream received(Read(javaFolder + "/bin/javaw.received"));
  for (std::string line; std::getline(received, line);) {
    if (line.compare(0, 8, "cmdline=") != 0) lines.push_back(Normalize(line));
  }
  return lines;
}

}  // namespace e2e
