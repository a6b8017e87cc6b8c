#include "process/supervision.h"

#include "process/java_watch.h"

namespace {

std::string IgnoredInServiceMode(const std::string& key) {
  return "Ignoriere den Parameter " + key + ", da launcher.service=true gesetzt ist";
}

}  // namespace

Supervision DecideSupervision(const Settings& settings, bool serviceMode) {
  Supervision supervision;
  supervision.keep = settings.IsTrue("launcher.keep");
  supervision.keepAndKill = settings.IsTrue("launcher.keep_and_kill");
  supervision.writesPid = serviceMode;
  if (serviceMode) {
    if (supervision.keep) supervision.logLines.push_back(IgnoredInServiceMode("launcher.keep"));
    if (supervision.keepAndKill) {
      supervision.logLines.push_back(IgnoredInServiceMode("launcher.keep_and_kill"));
    }
    supervision.keep = supervision.keepAndKill = false;
  }
  supervision.recordsEnd = RecordsJavaEnd(settings);
  supervision.watchSeconds = JavaWatchSeconds(settings, &supervision.logLines);
  return supervision;
}
