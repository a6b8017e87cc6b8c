#include "jvm/java_attempt.h"

#include "platform/platform.h"
#include "report/launch_log.h"
#include "settings/text.h"

namespace {

bool NamesProgram(const std::string& home) {
  return (home.size() > 4 && EndsWith(ToUpper(home), ".EXE")) || platform::FileCanBeOpened(home);
}

std::string ProgramProblem(const JavaAttempt& attempt) {
  const JavaChoice& choice = attempt.choice;
  if (NamesProgram(choice.home)) {
    return choice.key + " nennt die Datei " + choice.home +
           ", erwartet wird der Java-Ordner (ohne \\bin\\javaw.exe)";
  }
  if (!platform::FileCanBeOpened(attempt.program)) return attempt.program + " fehlt";
  return std::string();
}

// Host patterns of either width that match nothing, with the names they
// were compared with: the administrator sees which name to write a pattern
// for.
std::string UnmatchedHostPatterns(const Settings& settings,
                                  const std::vector<std::string>& computerNames) {
  std::string keys;
  for (bool is64Bit : {true, false}) {
    JavaChoice choice = ChooseJavaHome(is64Bit, settings, computerNames);
    if (!choice.matchingKeys.empty()) continue;
    for (const std::string& key : choice.hostKeys) keys += (keys.empty() ? "" : ", ") + key;
  }
  if (keys.empty()) return keys;
  std::string names;
  for (const std::string& name : computerNames) names += (names.empty() ? "\"" : "\", \"") + name;
  return "\nKein Muster passt zum Computernamen " + names + "\": " + keys;
}

}  // namespace

JavaAttempt PlanJavaAttempt(bool is64Bit, const Settings& settings, const LaunchInputs& inputs,
                            const std::vector<std::string>& computerNames) {
  JavaAttempt attempt;
  attempt.is64Bit = is64Bit;
  attempt.choice = ChooseJavaHome(is64Bit, settings, computerNames);
  if (HasJavaFolder(attempt)) {
    BuildJavaCommandLine(attempt.choice.home, is64Bit, settings, inputs, &attempt);
    attempt.programProblem = ProgramProblem(attempt);
    return attempt;
  }
  DecideHeaps(is64Bit, settings, &attempt);
  attempt.launchFindings = ReadLaunchFindings(attempt);
  if (!is64Bit) {
    attempt.stop = FailedRun(
        "Das 64-Bit-Java wurde entweder nicht angegeben oder konnte nicht gestartet werden und es "
        "wurde kein Parameter \"java\" definiert!" +
        UnmatchedHostPatterns(settings, computerNames));
  }
  return attempt;
}

std::string StartRefusal(const JavaAttempt& attempt) {
  return attempt.refusal.empty() ? RefusalText(attempt.launchFindings) : attempt.refusal;
}

bool HasJavaFolder(const JavaAttempt& attempt) { return !attempt.choice.home.empty(); }

void LogJavaAttempt(const JavaAttempt& attempt, const std::vector<std::string>& archiveSteps) {
  Log().WriteLine("Java wird ermittelt f\xFCr Computer \"" + attempt.choice.computerName +
                  "\" mit " + BitsText(attempt.is64Bit) + ": " + attempt.choice.key + "=" +
                  attempt.choice.home);
  if (!HasJavaFolder(attempt)) return;
  for (const std::string& line : attempt.heapLogLines) Log().WriteLine(line);
  for (const std::string& line : archiveSteps) Log().WriteLine(line);
  for (const std::string& line : attempt.classArchive.logLines) Log().WriteLine(line);
  for (const std::string& line : attempt.logLines) Log().WriteLine(line);
  if (attempt.stop) return;
  Log().WriteLine("JVM wird gestartet am " + CurrentTimeText());
  Log().WriteLine(attempt.commandLine);
}
