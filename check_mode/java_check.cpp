#include "check_mode/java_check.h"

#include <algorithm>

#include "platform/platform.h"
#include "report/launch_log.h"
#include "settings/keys.h"
#include "settings/text.h"

namespace {

// Far more than any linker puts before the PE header.
const size_t kHeaderBytes = 4096;
const size_t kNewHeaderOffset = 0x3C;

std::string JavaKind(bool is64Bit) { return BitWidth(is64Bit) + "-Bit-Java"; }

// Silent for a file that is no Windows program, like the POSIX stand-in's Java.
void ReviewBitWidth(const std::string& key, const std::string& program, bool is64Bit,
                    Findings& findings) {
  unsigned machine = ReadPeMachine(program);
  if (machine == 0) return;
  if (machine != kMachineI386 && machine != kMachineAmd64) {
    Log().WriteLine("Bitbreite laut PE-Kopf: unbekannt (Maschine 0x" + HexDigits(machine, 1) + ")");
    return;
  }
  bool program64Bit = machine == kMachineAmd64;
  Log().WriteLine("Bitbreite laut PE-Kopf: " + BitsText(program64Bit));
  if (program64Bit == is64Bit) return;
  Warn(findings, key + " f\374hrt zu einem " + JavaKind(program64Bit) + ", erwartet wird ein " +
                     JavaKind(is64Bit));
}

std::string StepText(const ArchiveStep& step, const ClassArchive& archive) {
  if (step.kind == ArchiveStep::Kind::kCreateFolder)
    return "Der Start w\374rde den Ordner " + step.path + " anlegen";
  if (step.kind == ArchiveStep::Kind::kAdopt)
    return "Der Start w\374rde " + step.path + " als " + archive.file +
           " \374bernehmen, sofern Java die Datei nicht mehr schreibt";
  return "Der Start w\374rde " + step.path + " l\366schen (" + step.reason + ")";
}

// As the plan decided it for the attempt.
void ReviewClassArchive(const ClassArchive& archive, Findings& findings) {
  for (const std::string& line : archive.logLines) Log().WriteLine(line);
  for (const ArchiveStep& step : archive.steps) Log().WriteLine(StepText(step, archive));
  if (!archive.state.empty()) Log().WriteLine("Art: " + archive.kind + ", " + archive.state);
  if (archive.options.empty()) {
    return Warn(findings, "launcher.class_archive wirkt f\374r dieses Java nicht" +
                              (archive.unusable.empty() ? "" : ": " + archive.unusable));
  }
  Log().WriteLine("Klassenarchiv: " + archive.file +
                  (archive.exists ? " ist vorhanden, " + std::to_string(archive.size) + " Bytes"
                                  : " ist noch nicht vorhanden"));
}

void ReviewJavaHome(const JavaAttempt& attempt, Findings& findings) {
  const JavaChoice& choice = attempt.choice;
  if (choice.home.empty()) return Log().WriteLine("Kein Java-Ordner angegeben");
  Log().WriteLine("Gew\344hlt: " + choice.key + "=" + choice.home);
  if (!attempt.programProblem.empty()) return Warn(findings, attempt.programProblem);
  Log().WriteLine(attempt.program + " ist vorhanden");
  ReviewBitWidth(choice.key, attempt.program, attempt.is64Bit, findings);
  const JavaRelease& release = attempt.release;
  Log().WriteLine(!release.found
                      ? "Keine release-Datei: " + release.path + " fehlt"
                      : "Version laut " + release.path + ": " +
                            (release.version.empty() ? "keine JAVA_VERSION" : release.version));
  // Without launcher.class_archive the decision has nothing to say.
  if (!attempt.classArchive.logLines.empty()) ReviewClassArchive(attempt.classArchive, findings);
}

}  // namespace

void ReviewJava(const CheckRun& check, Findings& findings) {
  for (const JavaAttempt& attempt : check.plan->attempts) {
    LogSubsection("Java " + BitsText(attempt.is64Bit));
    const JavaChoice& choice = attempt.choice;
    std::string keys = attempt.is64Bit ? keyname::kJava64 : keyname::kJava;
    for (const std::string& key : choice.hostKeys) {
      bool matches = std::count(choice.matchingKeys.begin(), choice.matchingKeys.end(), key) > 0;
      keys += ", " + key + (matches ? " (passt)" : "");
    }
    Log().WriteLine("Gepr\374ft f\374r Computer \"" + choice.computerName + "\": " + keys);
    ReviewJavaHome(attempt, findings);
  }
}

unsigned PeMachine(const std::string& bytes) {
  if (bytes.size() < kNewHeaderOffset + 4 || bytes.compare(0, 2, "MZ") != 0) return 0;
  unsigned long long header = LittleEndian(bytes, kNewHeaderOffset, 4);
  if (header > bytes.size() || bytes.size() - header < 6) return 0;
  if (bytes.compare(header, 4, std::string("PE\0\0", 4)) != 0) return 0;
  return static_cast<unsigned>(LittleEndian(bytes, header + 4, 2));
}

unsigned ReadPeMachine(const std::string& path) {
  std::string bytes;
  if (!platform::ReadFileStart(path, kHeaderBytes, &bytes)) return 0;
  return PeMachine(bytes);
}
