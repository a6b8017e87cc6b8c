#include "report/launch_log.h"

#include "platform/platform.h"
#include "report/redactor.h"

namespace {

std::string BesideWithProcessId(const std::string& path) {
  size_t dot = path.rfind('.');
  std::string id = "-" + std::to_string(platform::CurrentProcessId());
  return dot == std::string::npos ? path + id : path.substr(0, dot) + id + path.substr(dot);
}

std::string WorkingDirectoryPath(const std::string& name) {
  std::string folder = platform::CurrentDirectory();
  bool separated = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
  return folder + (separated ? "" : "\\") + name;
}

std::string TwoDigits(int number) {
  return {static_cast<char>('0' + number / 10), static_cast<char>('0' + number % 10)};
}

}  // namespace

// The working directory is the place an administrator looks first; the
// temporary folder keeps a log for locked-down folders, such as an
// installation under C:\Program Files on a terminal server.
void LaunchLog::Open(const std::string& name) {
  Close();
  writeFailed_ = false;
  refusal_.reset();
  if (OpenIn("", name)) return;
  std::string temporary = platform::TemporaryFolder();
  if (!temporary.empty() && OpenIn(temporary, name)) return;
  name_ = name;
  path_ = WorkingDirectoryPath(name);
}

bool LaunchLog::OpenIn(const std::string& folder, const std::string& name) {
  for (const std::string& file : {name, BesideWithProcessId(name)}) {
    platform::SystemError failure;
    file_ = platform::CreateUnsharedOutputFile(folder + file, &failure);
    if (file_) {
      name_ = folder + file;
      path_ = folder.empty() ? WorkingDirectoryPath(file) : name_;
      return true;
    }
    if (!refusal_) refusal_ = failure;
  }
  return false;
}

// A long line reaches the file in pieces, so that the log never holds a
// second copy of it.
void LaunchLog::Write(const std::string& text, const std::vector<std::string>* secrets) {
  const size_t kMostPendingBytes = 65536;
  if (!file_) return;
  for (char c : Redacted(text, secrets_, secrets)) {
    if (c == '\n') pending_ += '\r';
    pending_ += c;
    if (pending_.size() >= kMostPendingBytes) Flush();
  }
}

void LaunchLog::EndLine() {
  Write("\n");
  Flush();
}

void LaunchLog::WriteLine(const std::string& text, const std::vector<std::string>* secrets) {
  Write(text, secrets);
  EndLine();
}

void LaunchLog::Flush() {
  if (!file_ || pending_.empty()) return;
  if (!platform::WriteOutputFile(*file_, pending_)) writeFailed_ = true;
  pending_.clear();
}

void LaunchLog::Banner(const std::string& title) {
  EndLine();
  WriteLine("===== " + title + " =====");
}

void LaunchLog::Close() {
  Flush();
  file_.reset();
}

LaunchLog& Log() {
  static LaunchLog log;
  return log;
}

// Each run held from the usual log leaves one; a folder shared by many
// (a terminal server's installation, a temporary folder) would gather them
// without end.
std::vector<std::string> StaleFallbackLogs() {
  const unsigned long long kWeekSeconds = 7ull * 24 * 60 * 60;
  std::string own = BesideWithProcessId(kLogName);
  std::string stem = own.substr(0, own.rfind('-') + 1), extension = own.substr(own.rfind('.'));
  const std::string& path = Log().Path();
  size_t folderEnd = path.size() - own.size();
  std::vector<std::string> names, stale;
  if (path.size() <= own.size() || path.compare(folderEnd, own.size(), own) != 0 ||
      !platform::ListDirectory(path.substr(0, folderEnd - 1), &names)) {
    return stale;
  }
  for (const std::string& name : names) {
    size_t digitsEnd = name.size() - extension.size();
    bool fallBack = name.size() > stem.size() + extension.size() &&
                    name.compare(0, stem.size(), stem) == 0 &&
                    name.find_first_not_of("0123456789", stem.size()) == digitsEnd &&
                    name.compare(digitsEnd, extension.size(), extension) == 0;
    std::string file = path.substr(0, folderEnd) + name, start;
    // Only a log: another program's file under such a name stays, as does a
    // link to one, which Wine, unlike Windows, removes only with its target.
    if (fallBack && platform::FileOlderThan(file, kWeekSeconds) &&
        platform::ReadFileStart(file, sizeof kLogStart - 1, &start) && start == kLogStart) {
      stale.push_back(file);
    }
  }
  return stale;
}

// By hand: printf would pull a whole formatting library into the exe.
std::string CurrentTimeText() {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::tm time = platform::CurrentLocalTime();
  return std::string(kDays[time.tm_wday % 7]) + " " + kMonths[time.tm_mon % 12] +
         (time.tm_mday < 10 ? "  " : " ") + std::to_string(time.tm_mday) + " " +
         TwoDigits(time.tm_hour) + ":" + TwoDigits(time.tm_min) + ":" + TwoDigits(time.tm_sec) +
         " " + std::to_string(1900 + time.tm_year);
}
