// The harness as a Windows program: it starts KivLauncher.exe itself with
// CreateProcessA, on Windows or under Wine.

#include <windows.h>

#include <map>
#include <stdexcept>

#include "tests/e2e/harness.h"

namespace e2e {

namespace {

// Processes started and not yet waited for, by id.
std::map<int, HANDLE>& Processes() {
  static std::map<int, HANDLE> processes;
  return processes;
}

// Quoted as `wine PROGRAM ARGUMENTS` quotes the arguments it is given, so
// that the launcher receives the same command line as when started from
// Linux: blanks and tabs need quotes, a double quote always gets a backslash.
std::string Quoted(const std::string& argument, bool always) {
  bool quote = always || argument.empty() || argument.find_first_of(" \t") != std::string::npos;
  std::string quoted = quote ? "\"" : "";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
    } else if (c == '"') {
      quoted.append(backslashes + 1, '\\');
      backslashes = 0;
    } else {
      backslashes = 0;
    }
    quoted += c;
  }
  if (quote) quoted.append(backslashes, '\\') += '"';
  return quoted;
}

std::string CommandLine(const std::vector<std::string>& argv) {
  std::string line;
  for (size_t i = 0; i < argv.size(); ++i) line += (i ? " " : "") + Quoted(argv[i], i == 0);
  return line;
}

// A failed run shows a message box, which on a desktop would wait for a
// click that never comes. A window station of one's own is never visible,
// so there the launcher shows no box and ends, as under Task Scheduler with
// nobody logged on. Its handles stay open while this program runs: the
// station lives only as long as someone holds one. Wine without a display
// returns from a box at once, but one on such a station waits for ever.
const char* InvisibleDesktop() {
  if (UnderWine()) return nullptr;
  static const std::string name = [] {
    HWINSTA own = GetProcessWindowStation();
    HWINSTA station = CreateWindowStationA("kiv-e2e", 0, WINSTA_ALL_ACCESS, nullptr);
    if (!station || !SetProcessWindowStation(station)) return std::string();
    HDESK desktop = CreateDesktopA("Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    SetProcessWindowStation(own);
    return desktop ? std::string("kiv-e2e\\Default") : std::string();
  }();
  return name.empty() ? nullptr : name.c_str();
}

HANDLE Inheritable(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     &inherit, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

bool WindowsLauncher() { return true; }

bool UnderWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

bool DrivenFromLinux() { return false; }

int WaitFor(int pid) {
  auto process = Processes().find(pid);
  if (process == Processes().end()) return -1;
  HANDLE handle = process->second;
  Processes().erase(process);
  int exitCode = -2;
  if (WaitForSingleObject(handle, 120 * 1000) == WAIT_OBJECT_0) {
    DWORD code = 0;
    exitCode = GetExitCodeProcess(handle, &code) ? static_cast<int>(code) : -1;
  } else {
    TerminateProcess(handle, 1);
    WaitForSingleObject(handle, INFINITE);
  }
  CloseHandle(handle);
  return exitCode;
}

void Kill(int pid) {
  auto process = Processes().find(pid);
  if (process != Processes().end()) TerminateProcess(process->second, 1);
}

void SetEnvironment(const std::string& name, const std::string& value) {
  SetEnvironmentVariableA(name.c_str(), value.c_str());
}

namespace platform_part {

// Made long (GetLongPathNameA): the temporary folder may be given in 8.3
// form (C:\Users\RUNNER~1\...), while Java's record of its handles reads the
// long one.
std::string MakeTemporaryFolder() {
  char temporary[MAX_PATH + 1] = {};
  DWORD length = GetTempPathA(sizeof temporary, temporary);
  if (length == 0 || length > MAX_PATH) throw std::runtime_error("GetTempPathA failed");
  static unsigned count = 0;
  std::string folder;
  do {
    folder = std::string(temporary) + "kiv-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(++count);
  } while (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
  char longForm[MAX_PATH + 1] = {};
  length = GetLongPathNameA(folder.c_str(), longForm, sizeof longForm);
  if (length == 0 || length > MAX_PATH) throw std::runtime_error("cannot make " + folder);
  return longForm;
}

char PathSeparator() { return '\\'; }

std::vector<std::string> FormsOf(const std::string& path) { return {path}; }

int Spawn(const std::vector<std::string>& argv, const std::string& directory,
          const std::string& outputPath, const std::string& errorPath) {
  return SpawnCommandLine(argv[0], CommandLine(argv), directory, outputPath, errorPath);
}

int SpawnCommandLine(const std::string& program, const std::string& commandLine,
                     const std::string& directory, const std::string& outputPath,
                     const std::string& errorPath) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.lpDesktop = const_cast<char*>(InvisibleDesktop());
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = Inheritable("NUL", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = Inheritable(outputPath, GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = Inheritable(errorPath, GENERIC_WRITE, CREATE_ALWAYS);
  std::string line = commandLine;
  PROCESS_INFORMATION information = {};
  bool started = CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr,
                                directory.c_str(), &startup, &information);
  for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  if (!started) return -1;
  CloseHandle(information.hThread);
  int pid = static_cast<int>(information.dwProcessId);
  Processes()[pid] = information.hProcess;
  return pid;
}

}  // namespace platform_part

}  // namespace e2e
