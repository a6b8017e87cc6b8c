#include "process/java_watch.h"

#include "report/error_report.h"
#include "report/launch_log.h"
#include "settings/keys.h"

namespace {

constexpr int kMaxWatchSeconds = 60;

bool IsWatchValue(const std::string& value) {
  if (value.empty() || value.size() > 2) return false;
  for (char c : value) {
    if (c < '0' || c > '9') return false;
  }
  return std::stoi(value) <= kMaxWatchSeconds;
}

JavaEnd Seen(const platform::ProcessEnd& process, unsigned long long startedAt) {
  JavaEnd end;
  end.ended = process.ended;
  end.exitCode = process.exitCode;
  end.crashed = process.crashed;
  end.waitFailure = process.failure;
  end.seconds = (platform::MonotonicMilliseconds() - startedAt) / 1000;
  return end;
}

}  // namespace

int JavaWatchSeconds(const Settings& settings, std::string* invalid) {
  std::string value = settings.GetForStartKey(keyname::kJavaWatch);
  if (value.empty()) return 0;
  if (!IsWatchValue(value)) {
    *invalid = "launcher.java_watch=" + value +
               " -> Ung\xFCltiger Wert, erlaubt sind 0 bis 60 Sekunden. Java wird nicht "
               "\xFC"
               "berwacht.";
    return 0;
  }
  return std::stoi(value);
}

bool RecordsJavaEnd(const Settings& settings) {
  return !settings.GetForStartKey(keyname::kJavaOutput).empty() ||
         !settings.GetForStartKey(keyname::kJavaWatch).empty();
}

JavaEnd WatchJava(const platform::Process& java, int seconds, unsigned long long startedAt) {
  platform::ProcessEnd end =
      platform::WaitForProcessEnd(java, static_cast<unsigned long>(seconds) * 1000);
  return end.ended || end.failure ? Seen(end, startedAt) : JavaEnd();
}

JavaEnd AwaitJava(const platform::Process& java, unsigned long long startedAt) {
  return Seen(platform::WaitForProcess(java), startedAt);
}

std::string JavaEndLine(const JavaEnd& end) {
  std::string after = " nach " + std::to_string(end.seconds) + " s";
  if (end.waitFailure) {
    return "Warten auf Java fehlgeschlagen am " + CurrentTimeInLine() + after + ": " +
           SystemErrorLine(*end.waitFailure);
  }
  return "Java beendet am " + CurrentTimeInLine() + after + " mit Exit-Code " +
         std::to_string(end.exitCode);
}

std::string WatchFailureText(const JavaEnd& end, const JavaOutput& output) {
  return "Java wurde nach " + std::to_string(end.seconds) + " s mit Exit-Code " +
         std::to_string(end.exitCode) + " beendet." + JavaOutputTail(output);
}
