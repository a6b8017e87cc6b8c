#include "tests/e2e/harness.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <thread>

namespace e2e {

namespace fs = std::filesystem;

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string Native(const std::string& path) {
  std::string native = path;
  for (char& c : native) {
    if (c == '\\' || c == '/') c = platform_part::PathSeparator();
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
  std::error_code error;
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
  if (error) throw std::runtime_error("cannot copy " + from + ": " + error.message());
  fs::permissions(to, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                          fs::perms::others_read | fs::perms::others_exec);
}

void MakeDirectories(const std::string& path) {
  std::error_code ignored;
  fs::create_directories(path, ignored);
}

std::string InFolder(const std::string& folder, const std::string& name) {
  return folder.empty() ? name : folder + "/" + name;
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

std::string LauncherName() { return WindowsLauncher() ? "KivLauncher.exe" : "KivLauncher"; }

std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

Installation::Installation() : root_(platform_part::MakeTemporaryFolder()) {}

// Windows deletes no file of a running program: a Java that is still ending
// keeps its javaw.exe for a moment.
namespace {

// One pass over the tree. libstdc++'s remove_all spins for ever under Wine
// when an entry cannot be removed yet (a fake Java still holding it).
bool RemoveTree(const fs::path& path) {
  std::error_code ignored;
  bool removed = true;
  if (fs::is_directory(fs::symlink_status(path, ignored))) {
    std::vector<fs::path> children;
    for (fs::directory_iterator it(path, ignored), end; it != end; it.increment(ignored)) {
      children.push_back(it->path());
    }
    for (const fs::path& child : children) removed = RemoveTree(child) && removed;
  }
  return fs::remove(path, ignored) && removed;
}

}  // namespace

Installation::~Installation() {
  if (!Environment("KIV_KEEP_TEMP").empty()) return;
  for (int attempt = 0; attempt < 100 && !RemoveTree(root_); ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

std::string Installation::Path(const std::string& relative) const {
  return relative.empty() ? root_ : root_ + platform_part::PathSeparator() + Native(relative);
}

void Installation::Write(const std::string& relative, const std::string& content) const {
  std::string path = Path(relative);
  MakeDirectories(path.substr(0, path.rfind(platform_part::PathSeparator())));
  std::ofstream(path, std::ios::binary) << content;
}

void Installation::MakeDirectory(const std::string& relative) const {
  MakeDirectories(Path(relative));
}

void Installation::AddLauncher(const std::string& folder) const {
  MakeDirectory(folder);
  Copy(Environment("KIV_LAUNCHER"), Path(InFolder(folder, LauncherName())));
}

void Installation::AddJava(const std::string& folder) const {
  MakeDirectory(folder + "/bin");
  Copy(Environment("KIV_FAKE_JAVA"), Path(folder + "/bin/javaw.exe"));
}

std::string Installation::Read(const std::string& relative) const {
  return ReadWhole(Path(relative));
}

bool Installation::Exists(const std::string& relative) const {
  std::error_code ignored;
  return fs::exists(Path(relative), ignored);
}

std::vector<std::string> Installation::LauncherCommand(
    const std::string& launcherFolder, const std::vector<std::string>& arguments) const {
  std::vector<std::string> argv;
  if (Environment("KIV_RUNNER") == "wine") argv.push_back("wine");
  argv.push_back(Path(InFolder(launcherFolder, LauncherName())));
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return argv;
}

int Installation::Start(const std::vector<std::string>& arguments) const {
  return platform_part::Spawn(LauncherCommand("", arguments), root_, Path(".stdout"),
                              Path(".stderr"));
}

RunResult Installation::Run(const std::vector<std::string>& arguments,
                            const std::string& launcherFolder,
                            const std::string& workingFolder) const {
  return Finished(platform_part::Spawn(LauncherCommand(launcherFolder, arguments),
                                       Path(workingFolder), Path(".stdout"), Path(".stderr")));
}

RunResult Installation::RunCommandLine(const std::string& commandLine) const {
  return Finished(platform_part::SpawnCommandLine(Path(LauncherName()), commandLine, root_,
                                                  Path(".stdout"), Path(".stderr")));
}

RunResult Installation::Finished(int pid) const {
  std::string out = Path(".stdout");
  std::string err = Path(".stderr");
  RunResult result;
  result.exitCode = WaitFor(pid);
  result.standardOutput = ReadWhole(out);
  result.standardError = ReadWhole(err);
  std::remove(out.c_str());
  std::remove(err.c_str());
  return result;
}

bool WaitForFile(const std::string& path, int seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  std::error_code ignored;
  while (!fs::exists(path, ignored)) {
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
  for (const std::string& form : platform_part::FormsOf(root_)) ReplaceFolder(text, form);
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
  // The fake Java creates its record before it writes it.
  std::string content;
  for (int i = 0; i < 600 && (content = Read(javaFolder + "/bin/javaw.received")).empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::istringstream received(content);
  for (std::string line; std::getline(received, line);) {
    if (line.compare(0, 8, "cmdline=") != 0) lines.push_back(Normalize(line));
  }
  return lines;
}

}  // namespace e2e
