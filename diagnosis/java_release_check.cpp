#include "diagnosis/sections.h"
#include "jvm/class_archive.h"
#include "jvm/java_release.h"
#include "report/launch_log.h"

namespace {

void LogVersion(const JavaRelease& release) {
  if (!release.found) return Log().WriteLine("Keine release-Datei: " + release.path + " fehlt");
  Log().WriteLine("Version laut " + release.path + ": " +
                  (release.version.empty() ? "keine JAVA_VERSION" : release.version));
}

std::string StepText(const ArchiveStep& step, const ClassArchive& archive) {
  switch (step.kind) {
    case ArchiveStep::Kind::kCreateFolder:
      return "Der Start w\xFCrde den Ordner " + step.path + " anlegen";
    case ArchiveStep::Kind::kAdopt:
      return "Der Start w\xFCrde " + step.path + " als " + archive.file +
             " \xFC"
             "bernehmen, sofern Java die Datei nicht mehr schreibt";
    case ArchiveStep::Kind::kDeleteCutShort:
      return "Der Start w\xFCrde das unvollst\xE4ndige Klassenarchiv " + step.path + " l\xF6schen";
    case ArchiveStep::Kind::kDeleteOutdated:
      return "Der Start w\xFCrde den AOT-Cache " + step.path +
             " l\xF6schen, er ist \xE4lter als der Klassenpfad";
    case ArchiveStep::Kind::kRemoveStale:
      break;
  }
  return "Der Start w\xFCrde den veralteten Abzug " + step.path + " l\xF6schen";
}

// As the plan decided it for the attempt.
void ReviewClassArchive(const ClassArchive& archive, Findings& findings) {
  for (const std::string& line : archive.logLines) Log().WriteLine(line);
  for (const ArchiveStep& step : archive.steps) Log().WriteLine(StepText(step, archive));
  if (!archive.state.empty()) Log().WriteLine("Art: " + archive.kind + ", " + archive.state);
  if (archive.options.empty()) {
    Warn(findings, "launcher.class_archive wirkt f\xFCr dieses Java nicht" +
                       (archive.unusable.empty() ? "" : ": " + archive.unusable));
    return;
  }
  Log().WriteLine("Klassenarchiv: " + archive.file +
                  (archive.exists ? " ist vorhanden, " + std::to_string(archive.size) + " Bytes"
                                  : " ist noch nicht vorhanden"));
}

}  // namespace

void ReviewJavaRelease(const JavaAttempt& attempt, Findings& findings) {
  LogVersion(attempt.release);
  // Without launcher.class_archive the decision has nothing to say.
  if (!attempt.classArchive.logLines.empty()) ReviewClassArchive(attempt.classArchive, findings);
}
