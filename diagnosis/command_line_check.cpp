#include <algorithm>

#include "diagnosis/java_arguments.h"
#include "diagnosis/sections.h"
#include "platform/platform.h"
#include "report/command_line_limit.h"
#include "report/launch_log.h"
#include "report/password_mask.h"
#include "settings/keys.h"
#include "settings/text.h"

namespace {

// The piece as the check shows it: a password reads "xxxx". Masked before
// it is put in quotes, which would change where the log reads a value's end.
std::string Shown(const PieceProblem& problem) {
  size_t equals = problem.text.find('=');
  if (!IsPasswordKey(problem.key) || equals == std::string::npos) {
    return MaskPassword(problem.text);
  }
  return problem.text.substr(0, equals + 1) + "xxxx";
}

std::string ProblemText(const PieceProblem& problem, const std::string& mainClass) {
  std::string text = "\"" + Shown(problem) + "\"";
  switch (problem.kind) {
    case PieceProblem::kSplitAtBlank:
      text += " wird an der Leerstelle geteilt, Anf\xFChrungszeichen fehlen";
      return problem.breaksStart ? text + ": Java nimmt \"" + mainClass + "\" als Hauptklasse"
                                 : text;
    case PieceProblem::kMerged:
      text += " verbindet sich mit den benachbarten Teilen der Kommandozeile, Java erh\xE4lt \"" +
              MaskPassword(problem.received) + "\"";
      if (problem.text.find("\\\"") != std::string::npos) {
        text +=
            " (ein Backslash vor einem Anf\xFChrungszeichen macht es zu einem Zeichen des Werts)";
      }
      return problem.breaksStart ? text + ": Klassenpfad und Hauptklasse gehen verloren" : text;
    case PieceProblem::kChangedByQuotes:
      break;
  }
  return text + " wird durch Anf\xFChrungszeichen ver\xE4ndert, Java erh\xE4lt \"" +
         MaskPassword(problem.received) + "\"";
}

// Each finding once, though every attempt's command line shows it.
void Report(Findings& findings, bool error, const std::string& text) {
  const std::vector<std::string>& known = findings.problems;
  for (const char* prefix : {"FEHLER: ", "WARNUNG: "}) {
    if (std::find(known.begin(), known.end(), prefix + text) != known.end()) return;
  }
  if (error) {
    Fail(findings, text);
  } else {
    Warn(findings, text);
  }
}

void ReadAttempt(const CheckRun& check, const JavaAttempt& attempt, Findings& findings) {
  const Settings& settings = check.plan->settings;
  const std::string& startKey = check.plan->inputs.startKey;
  const std::string& startValue = check.plan->inputs.startValue;
  JavaArgumentsReading reading = ReadAsJava(attempt.commandLine, attempt.pieces, startValue);
  bool explained = false;
  for (const PieceProblem& problem : reading.problems) {
    Report(findings, problem.breaksStart,
           problem.key + OriginOf(settings, problem.key) + ": " +
               ProblemText(problem, reading.receivedMainClass));
    explained = explained || problem.breaksStart;
  }
  if (reading.startValueWithoutMainClass) {
    Report(findings, true,
           startKey + OriginOf(settings, startKey) + ": \"" + MaskPassword(startValue) +
               "\" nennt keine Hauptklasse, nur Optionen: so startet Java nicht");
  } else if (!reading.startIntact && !explained) {
    Report(findings, true,
           "Die Java-Kommandozeile f\xFCr " + BitsText(attempt.is64Bit) +
               " gibt Java den Klassenpfad oder die Hauptklasse nicht wie gemeint, Java nimmt \"" +
               MaskPassword(reading.receivedMainClass) + "\" als Hauptklasse");
  }
}

// A refused command line is the run's end, in the start's words; what
// shortens a class path most is added here.
void ReviewLength(const JavaAttempt& attempt) {
  size_t length = attempt.commandLine.size();
  Log().WriteLine("L\xE4nge: " + std::to_string(length) + " von h\xF6" + "chstens " +
                  std::to_string(platform::kMaxCommandLineLength) + " Zeichen (mit abschlie\xDF" +
                  "endem Nullzeichen)");
  if (ExceedsCommandLineLimit(attempt.commandLine)) {
    Log().WriteLine(
        "Abhilfe: alle Jars eines Ordners als ein Eintrag ORDNER\\* in den Klassenpfad, etwa "
        "lib\\*");
  }
}

}  // namespace

void ReviewJavaCommandLine(const CheckRun& check, Findings& findings) {
  LogSubsection("Java-Kommandozeile");
  if (check.reached.empty()) Log().WriteLine("Es wurde keine Java-Kommandozeile gebildet");
  for (const JavaAttempt* attempt : check.reached) {
    Log().WriteLine(BitsText(attempt->is64Bit) + ": " + attempt->commandLine);
    ReviewLength(*attempt);
  }
  for (const JavaAttempt* attempt : check.reached) ReadAttempt(check, *attempt, findings);
}
