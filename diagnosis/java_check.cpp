#include <algorithm>

#include "diagnosis/pe_header.h"
#include "diagnosis/sections.h"
#include "platform/platform.h"
#include "report/launch_log.h"
#include "settings/keys.h"
#include "settings/text.h"

namespace {

std::string JavaKind(bool is64Bit) { return BitWidth(is64Bit) + "-Bit-Java"; }

std::string KeysConsidered(const std::string& plainKey, const JavaChoice& choice) {
  std::string keys = plainKey;
  for (const std::string& key : choice.hostKeys) {
    const std::vector<std::string>& matching = choice.matchingKeys;
    bool matches = std::find(matching.begin(), matching.end(), key) != matching.end();
    keys += ", " + key + (matches ? " (passt)" : "");
  }
  return keys;
}

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
  Warn(findings, key + " f\xFChrt zu einem " + JavaKind(program64Bit) + ", erwartet wird ein " +
                     JavaKind(is64Bit));
}

void ReviewJavaHome(const JavaAttempt& attempt, Findings& findings) {
  const JavaChoice& choice = attempt.choice;
  if (choice.home.empty()) {
    Log().WriteLine("Kein Java-Ordner angegeben");
    return;
  }
  Log().WriteLine("Gew\xE4hlt: " + choice.key + "=" + choice.home);
  if (!attempt.programProblem.empty()) {
    Warn(findings, attempt.programProblem);
    return;
  }
  const std::string& program = attempt.program;
  Log().WriteLine(program + " ist vorhanden");
  ReviewBitWidth(choice.key, program, attempt.is64Bit, findings);
  ReviewJavaRelease(attempt, findings);
}

void ReviewJavaFor(const JavaAttempt& attempt, Findings& findings) {
  LogSubsection("Java " + BitsText(attempt.is64Bit));
  Log().WriteLine(
      "Gepr\xFC"
      "ft f\xFCr Computer \"" +
      attempt.choice.computerName +
      "\": " + KeysConsidered(attempt.is64Bit ? keyname::kJava64 : keyname::kJava, attempt.choice));
  ReviewJavaHome(attempt, findings);
}

}  // namespace

std::vector<const JavaAttempt*> CheckedAttempts(const CheckRun& check) {
  if (!check.reached.empty()) return check.reached;
  std::vector<const JavaAttempt*> attempts;
  for (const JavaAttempt& attempt : check.plan->attempts) attempts.push_back(&attempt);
  return attempts;
}

void ReviewJava(const CheckRun& check, Findings& findings) {
  for (const JavaAttempt& attempt : check.plan->attempts) {
    ReviewJavaFor(attempt, findings);
  }
}
