#include "process/supervision.h"

#include "process/java_watch.h"
#include "settings/keys.h"

namespace {

std::string IgnoredInServiceMode(const std::string& key) {
  return "Ignoriere den Parameter " + key + ", da launcher.service=true gesetzt ist";
}

}  // namespace

Supervision DecideSupervision(const Settings& settings, bool serviceMode) {
  Supervision supervision;
  supervision.keep = settings.IsTrue(keyname::kKeep);
  supervision.keepAndKill = settings.IsTrue(keyname::kKeepAndKill);
  supervision.writesPid = serviceMode;
  if (serviceMode) {
    if (supervision.keep) supervision.logLines.push_back(IgnoredInServiceMode(keyname::kKeep));
    if (supervision.keepAndKill) {
      supervision.logLines.push_back(IgnoredInServiceMode(keyname::kKeepAndKill));
    }
    supervision.keep = supervision.keepAndKill = false;
  }
  supervision.recordsEnd = RecordsJavaEnd(settings);
  supervision.watchSeconds = JavaWatchSeconds(settings, &supervision.invalidWatch);
  if (!supervision.invalidWatch.empty()) supervision.logLines.push_back(supervision.invalidWatch);
  return supervision;
}
