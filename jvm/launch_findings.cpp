#include "jvm/launch_findings.h"

#include "jvm/heap_size.h"
#include "jvm/java_arguments.h"
#include "jvm/java_selection.h"
#include "platform/platform.h"
#include "settings/keys.h"
#include "settings/text.h"

namespace {

using Severity = LaunchFinding::Severity;

std::string ProblemText(const PieceProblem& problem, const std::string& mainClass) {
  std::string text = "\"" + problem.text + "\"";
  switch (problem.kind) {
    case PieceProblem::kSplitAtBlank:
      text += " wird an der Leerstelle geteilt, Anf\xFChrungszeichen fehlen";
      return problem.breaksStart ? text + ": Java nimmt \"" + mainClass + "\" als Hauptklasse"
                                 : text;
    case PieceProblem::kMerged:
      text += " verbindet sich mit den benachbarten Teilen der Kommandozeile, Java erh\xE4lt \"" +
              problem.received + "\"";
      if (problem.text.find("\\\"") != std::string::npos) {
        text +=
            " (ein Backslash vor einem Anf\xFChrungszeichen macht es zu einem Zeichen des Werts)";
      }
      return problem.breaksStart ? text + ": Klassenpfad und Hauptklasse gehen verloren" : text;
    case PieceProblem::kChangedByQuotes:
      break;
  }
  return text + " wird durch Anf\xFChrungszeichen ver\xE4ndert, Java erh\xE4lt \"" +
         problem.received + "\"";
}

// Java's launcher stops at a missing main class and at a word that cannot
// name a class; any other word it tries to load.
Severity LostStart(const JavaArgumentsReading& reading) {
  bool certain =
      reading.noApplication || (reading.certain && !CanBeClassName(reading.receivedMainClass));
  return certain ? Severity::kRefusal : Severity::kError;
}

void ReadCommandLine(const LaunchReadingInputs& inputs, const JavaArgumentsReading& reading,
                     std::vector<LaunchFinding>& findings) {
  bool explained = false;
  for (const PieceProblem& problem : reading.problems) {
    findings.push_back({problem.breaksStart ? LostStart(reading) : Severity::kWarning, false,
                        problem.key + OriginOf(inputs.settings, problem.key) + ": " +
                            ProblemText(problem, reading.receivedMainClass)});
    explained = explained || problem.breaksStart;
  }
  if (reading.startValueWithoutMainClass) {
    findings.push_back({reading.noApplication ? Severity::kRefusal : Severity::kError, false,
                        inputs.startKey + OriginOf(inputs.settings, inputs.startKey) + ": \"" +
                            inputs.startValue +
                            "\" nennt keine Hauptklasse, nur Optionen: so startet Java nicht"});
  } else if (!reading.startIntact && !explained) {
    findings.push_back(
        {LostStart(reading), false,
         "Die Java-Kommandozeile f\xFCr " + BitsText(inputs.is64Bit) +
             " gibt Java den Klassenpfad oder die Hauptklasse nicht wie gemeint, Java nimmt \"" +
             reading.receivedMainClass + "\" als Hauptklasse"});
  }
}

// The last -Xms or -Xmx Java accepts, which is the one it uses.
struct HeapOption {
  std::string text;
  JavaHeapSize size;
};

// Options and an environment variable that set the heap after the
// command line's -Xms and -Xmx: then their sizes decide nothing for certain.
bool SizesMayBeSetElsewhere(const std::vector<std::string>& options) {
  for (const std::string& option : options) {
    for (const char* setter : {"-XX:MaxHeapSize=", "-XX:InitialHeapSize=", "-XX:MinHeapSize=",
                               "-XX:Flags=", "-XX:VMOptionsFile="}) {
      if (StartsWith(option, setter)) return true;
    }
  }
  const char reference[] = "%_JAVA_OPTIONS%";
  return platform::ExpandEnvironmentReferences(reference) != reference;
}

// "memory.maximum (customlaunch.properties, Zeile 1): ", the setting that
// gave a heap option: a piece that holds it, else the memory key.
std::string HeapSetting(const std::string& option, const Settings& settings,
                        const std::vector<MeantPiece>& pieces) {
  std::string key = settings.KeyForStartKey(StartsWith(option, "-Xmx") ? keyname::kMemoryMaximum
                                                                       : keyname::kMemoryInitial);
  for (const MeantPiece& piece : pieces) {
    if (piece.text.find(option) != std::string::npos) key = piece.key;
  }
  return key + OriginOf(settings, key) + ": ";
}

// "-Xmx1024 hat keine Einheit ..." for a size Java reads as bytes; below
// Java's minimum the start fails.
void ReviewSize(const HeapOption& heap, unsigned long long minimum, const char* minimumText,
                Severity belowMinimum, const std::string& setting,
                std::vector<LaunchFinding>& findings) {
  // An initial size of zero lets Java choose.
  if (heap.text.empty() || heap.size.bytes == 0) return;
  bool tooSmall = heap.size.bytes < minimum;
  std::string text;
  if (!heap.size.hasUnit) {
    std::string number = heap.text.substr(4);
    text = heap.text + " hat keine Einheit: Java liest " + number + " Bytes, gemeint ist wohl " +
           number + "M";
    if (tooSmall) text += std::string("; mit weniger als ") + minimumText + " startet Java nicht";
  } else if (tooSmall) {
    text = heap.text + " ist kleiner als " + minimumText + ": so startet Java nicht";
  } else {
    return;
  }
  findings.push_back({tooSmall ? belowMinimum : Severity::kWarning, true, setting + text});
}

void ReadHeap(const std::vector<std::string>& javaOptions, bool certain, const Settings& settings,
              const std::vector<MeantPiece>& pieces, std::vector<LaunchFinding>& findings) {
  Severity refused = certain ? Severity::kRefusal : Severity::kError;
  HeapOption initial, maximum;
  for (const std::string& option : javaOptions) {
    bool isMaximum = StartsWith(option, "-Xmx");
    if (!isMaximum && !StartsWith(option, "-Xms")) continue;
    JavaHeapSize size = ReadJavaHeapSize(option.substr(4), isMaximum);
    if (!size.accepted) {
      findings.push_back({refused, true,
                          HeapSetting(option, settings, pieces) + "Java nimmt " + option +
                              " nicht an: erlaubt ist eine ganze Zahl mit Einheit K, M oder G, "
                              "etwa 512M"});
    } else {
      (isMaximum ? maximum : initial) = {option, size};
    }
  }
  Severity sized = SizesMayBeSetElsewhere(javaOptions) ? Severity::kWarning : refused;
  std::string initialSetting = HeapSetting(initial.text, settings, pieces);
  ReviewSize(initial, kJavaMinimumInitialHeap, "1M", sized, initialSetting, findings);
  ReviewSize(maximum, kJavaMinimumMaximumHeap, "2M", sized,
             HeapSetting(maximum.text, settings, pieces), findings);
  if (!initial.text.empty() && !maximum.text.empty() && initial.size.bytes > maximum.size.bytes) {
    findings.push_back({sized, true,
                        initialSetting + initial.text + " ist gr\xF6\xDF" + "er als " +
                            maximum.text + ": so startet Java nicht"});
  }
}

}  // namespace

std::vector<LaunchFinding> ReadLaunchFindings(const LaunchReadingInputs& inputs) {
  JavaArgumentsReading reading = ReadAsJava(inputs.commandLine, inputs.pieces, inputs.startValue);
  std::vector<LaunchFinding> findings;
  ReadCommandLine(inputs, reading, findings);
  ReadHeap(reading.javaOptions, reading.certain, inputs.settings, inputs.pieces, findings);
  return findings;
}

std::vector<LaunchFinding> ReadHeapFindings(const std::vector<std::string>& javaOptions,
                                            const Settings& settings) {
  std::vector<LaunchFinding> findings;
  ReadHeap(javaOptions, true, settings, {}, findings);
  return findings;
}

std::string RefusalText(const std::vector<LaunchFinding>& findings) {
  std::string text;
  for (const LaunchFinding& finding : findings) {
    if (finding.severity != Severity::kRefusal) continue;
    text += (text.empty() ? "" : "\n") + finding.text;
  }
  return text;
}
