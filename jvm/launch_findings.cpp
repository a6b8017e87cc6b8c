#include "jvm/launch_findings.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

#include "jvm/heap_size.h"
#include "platform/platform.h"
#include "platform/windows_arguments.h"
#include "report/redactor.h"
#include "settings/text.h"

namespace {

using platform::Argument;
using platform::ArgumentReader;
using Arguments = std::vector<Argument>;
using Severity = LaunchFinding::Severity;

const size_t kNone = static_cast<size_t>(-1);
const char kRequired[] = ": so startet Java nicht";

bool IsOption(const std::string& text) { return !text.empty() && text[0] == '-'; }

bool IsAnyOf(const std::string& text, std::initializer_list<const char*> names) {
  return std::find(names.begin(), names.end(), text) != names.end();
}

// Options Java's launcher gives the next argument as their value.
bool TakesValue(const std::string& option) {
  return IsAnyOf(
      option,
      {"-cp", "-classpath", "--class-path", "-m", "--module", "-d", "--describe-module", "--source",
       "-p", "--module-path", "--upgrade-module-path", "--add-modules", "--enable-native-access",
       "--limit-modules", "--add-exports", "--add-opens", "--add-reads", "--patch-module"});
}

// The application starts without a main class, or the launcher just ends.
bool StartsNoMainClass(const std::string& option) {
  return IsAnyOf(option, {"-jar", "-m", "--module", "--source", "-version", "--version", "-help",
                          "--help", "-h", "-?", "-X", "--help-extra", "-fullversion",
                          "--full-version", "--list-modules", "--validate-modules", "-d",
                          "--describe-module", "--dry-run"}) ||
         StartsWith(option, "--module=") || StartsWith(option, "--source=") ||
         StartsWith(option, "--describe-module=");
}

// Options up to the first other argument, the main class. Certain, whatever
// Java's version: no argument file (@FILE), which may hold anything; no
// option that starts or ends without a main class; no option whose value
// begins with "-", which Java 8 and later Javas read apart.
struct LauncherReading {
  size_t mainClass = kNone;
  std::vector<size_t> options;
  bool certain = true;
};

LauncherReading ReadLauncherArguments(const Arguments& arguments, size_t first) {
  LauncherReading reading;
  for (size_t i = first; i < arguments.size(); ++i) {
    const std::string& text = arguments[i].text;
    if (StartsWith(text, "@") || StartsNoMainClass(text)) reading.certain = false;
    if (!IsOption(text) && !StartsWith(text, "@")) {
      reading.mainClass = i;
      break;
    }
    reading.options.push_back(i);
    if (!TakesValue(text) || i + 1 == arguments.size()) continue;
    if (IsOption(arguments[i + 1].text)) {
      reading.certain = false;
    } else {
      ++i;
    }
  }
  return reading;
}

// Whether Java could load a class of that name: dot- or slash-separated
// identifiers. A word such as "3" or "Files\Java" never names one.
bool CanBeClassName(const std::string& word) {
  bool segmentStart = true;
  for (unsigned char c : word) {
    bool separator = c == '.' || c == '/';
    bool letter = std::isalpha(c) || c == '_' || c == '$' || c >= 0x80;
    bool laterDigit = !segmentStart && std::isdigit(c);
    if (separator ? segmentStart : !(letter || laterDigit)) return false;
    segmentStart = separator;
  }
  return !segmentStart;
}

size_t End(const MeantPiece& piece) { return piece.begin + piece.text.size(); }

Arguments::const_iterator FirstAfter(const Arguments& arguments, size_t position) {
  return std::partition_point(arguments.begin(), arguments.end(),
                              [position](const Argument& a) { return a.end <= position; });
}

bool Has(const Arguments& arguments, size_t begin, size_t end) {
  auto it = FirstAfter(arguments, begin);
  return it != arguments.end() && it->begin == begin && it->end == end;
}

struct Reading {
  Arguments arguments;
  LauncherReading java;
  // What Java would take as its main class; empty for none.
  std::string mainClass;
  // No main class, nor anything else that names one.
  bool noApplication = false;
  // Arguments made of a password's words, which no finding may show.
  std::vector<bool> inPassword;
};

// Java's launcher stops at a missing main class and at a word that cannot
// name a class; any other word it tries to load.
Severity LostStart(const Reading& reading) {
  bool certain =
      reading.noApplication || (reading.java.certain && !CanBeClassName(reading.mainClass));
  return certain ? Severity::kRefusal : Severity::kError;
}

// A piece Java's launcher splits at a blank, merges with its neighbours or
// changes by its quotes; true when that costs Java the class path or main.
bool ReviewPiece(Reading& reading, const MeantPiece& piece, size_t classpath,
                 std::vector<LaunchFinding>& findings) {
  const Arguments& arguments = reading.arguments;
  std::string received;
  size_t count = 0;
  bool merged = false, breaksStart = false, password = IsPasswordKey(piece.key);
  for (auto it = FirstAfter(arguments, piece.begin);
       it != arguments.end() && it->begin < End(piece); ++it) {
    if (password) reading.inPassword[it - arguments.begin()] = true;
    received += (count++ > 0 ? " " : "") + it->text;
    merged = merged || it->begin < piece.begin || it->end > End(piece);
    breaksStart = breaksStart ||
                  static_cast<size_t>(it - arguments.begin()) == reading.java.mainClass ||
                  (it->begin < classpath && it->end > classpath);
  }
  std::string text = piece.key + piece.origin + ": \"" + piece.text + "\"";
  if (merged) {
    text += " verbindet sich mit den benachbarten Teilen der Kommandozeile, Java erh\344lt \"" +
            received + "\"";
    if (piece.text.find("\\\"") != std::string::npos) {
      text += " (ein Backslash vor einem Anf\374hrungszeichen macht es zu einem Zeichen des Werts)";
    }
    if (breaksStart) text += ": Klassenpfad und Hauptklasse gehen verloren";
  } else if (count > 1) {
    text += " wird an der Leerstelle geteilt, Anf\374hrungszeichen fehlen";
    if (breaksStart) text += ": Java nimmt \"" + reading.mainClass + "\" als Hauptklasse";
  } else {
    Arguments meant = platform::SplitArguments(piece.text, ArgumentReader::kPlainQuotes);
    if (meant.size() == 1 && received == meant[0].text) return false;
    text += " wird durch Anf\374hrungszeichen ver\344ndert, Java erh\344lt \"" + received + "\"";
  }
  findings.push_back({breaksStart ? LostStart(reading) : Severity::kWarning, false, text});
  return breaksStart;
}

void ReadCommandLine(const JavaAttempt& attempt, Reading& reading,
                     std::vector<LaunchFinding>& findings) {
  bool explained = false;
  for (const MeantPiece& piece : attempt.pieces) {
    explained = ReviewPiece(reading, piece, attempt.classpath.begin, findings) || explained;
  }
  const MeantPiece& start = attempt.start;
  Arguments meant = platform::SplitArguments(start.text, ArgumentReader::kPlainQuotes);
  LauncherReading meantReading = ReadLauncherArguments(meant, 0);
  size_t meantClass = meantReading.mainClass;
  if (!meant.empty() && meantClass == kNone && meantReading.certain) {
    findings.push_back({reading.noApplication ? Severity::kRefusal : Severity::kError, false,
                        start.key + start.origin + ": \"" + start.text +
                            "\" nennt keine Hauptklasse, nur Optionen" + kRequired});
    return;
  }
  // Java gets the class path and the main class the start value names; a
  // start value that starts its application otherwise names none.
  const Arguments& arguments = reading.arguments;
  size_t mainClass = reading.java.mainClass;
  const MeantPiece& classpath = attempt.classpath;
  bool intact = !meantReading.certain ||
                (meantClass != kNone && mainClass != kNone &&
                 arguments[mainClass].begin == start.begin + meant[meantClass].begin &&
                 arguments[mainClass].text == meant[meantClass].text);
  intact = intact && Has(arguments, classpath.begin, classpath.begin + 3) &&
           Has(arguments, classpath.begin + 4, End(classpath));
  if (explained || intact) return;
  findings.push_back(
      {LostStart(reading), false,
       "Die Java-Kommandozeile f\374r " + BitsText(attempt.is64Bit) +
           " gibt Java den Klassenpfad oder die Hauptklasse nicht wie gemeint, Java nimmt \"" +
           reading.mainClass + "\" als Hauptklasse"});
}

// The heap's options, each with the setting that gave it: the piece it
// stands in, else the heap option's. None made of a password's words.
std::vector<MeantPiece> JavaOptions(const Reading& reading, const JavaAttempt& attempt) {
  const Arguments& arguments = reading.arguments;
  const std::vector<MeantPiece>& pieces = attempt.pieces;
  std::vector<MeantPiece> options;
  for (size_t i : reading.java.options) {
    const Argument& argument = arguments[i];
    // Every option that sizes the heap begins so.
    if (reading.inPassword[i] || !StartsWith(argument.text, "-X")) continue;
    auto after = std::partition_point(pieces.begin(), pieces.end(), [&](const MeantPiece& piece) {
      return piece.begin <= argument.begin;
    });
    bool inPiece = after != pieces.begin() && argument.begin < End(*(after - 1));
    options.push_back(inPiece ? *(after - 1) : attempt.heaps[StartsWith(argument.text, "-Xmx")]);
    options.back().text = argument.text;
  }
  return options;
}

// Options, or an environment variable after the command line, that set the
// heap too: then -Xms and -Xmx decide nothing for certain.
bool SizesMayBeSetElsewhere(const std::vector<MeantPiece>& options) {
  for (const MeantPiece& option : options) {
    for (const char* setter : {"-XX:MaxHeapSize=", "-XX:InitialHeapSize=", "-XX:MinHeapSize=",
                               "-XX:Flags=", "-XX:VMOptionsFile="}) {
      if (StartsWith(option.text, setter)) return true;
    }
  }
  const char reference[] = "%_JAVA_OPTIONS%";
  return platform::ExpandEnvironmentReferences(reference) != reference;
}

std::string Named(const MeantPiece& piece) { return piece.key + piece.origin + ": "; }

// The last -Xms or -Xmx Java accepts, which is the one it uses.
struct HeapOption {
  const MeantPiece* option = nullptr;
  JavaHeapSize size;
};

// "-Xmx1024 hat keine Einheit ..." for a size Java reads as bytes; below
// the least Java starts with, 1M or 2M, it ends at once.
void ReviewSize(const HeapOption& heap, bool isMaximum, Severity belowMinimum,
                std::vector<LaunchFinding>& findings) {
  // An initial size of zero lets Java choose.
  if (!heap.option || heap.size.bytes == 0) return;
  const std::string& option = heap.option->text;
  const char* minimumText = isMaximum ? "2M" : "1M";
  bool tooSmall = heap.size.bytes < (isMaximum ? 2 : 1) * 1048576ULL;
  std::string text;
  if (!heap.size.hasUnit) {
    std::string number = option.substr(4);
    text = option + " hat keine Einheit: Java liest " + number + " Bytes, gemeint ist wohl " +
           number + "M";
    if (tooSmall) text += std::string("; mit weniger als ") + minimumText + " startet Java nicht";
  } else if (tooSmall) {
    text = option + " ist kleiner als " + minimumText + kRequired;
  } else {
    return;
  }
  findings.push_back(
      {tooSmall ? belowMinimum : Severity::kWarning, true, Named(*heap.option) + text});
}

void ReadHeap(const std::vector<MeantPiece>& options, bool certain,
              std::vector<LaunchFinding>& findings) {
  Severity refused = certain ? Severity::kRefusal : Severity::kError;
  HeapOption heaps[2];
  for (const MeantPiece& option : options) {
    bool isMaximum = StartsWith(option.text, "-Xmx");
    if (!isMaximum && !StartsWith(option.text, "-Xms")) continue;
    JavaHeapSize size = ReadJavaHeapSize(option.text.substr(4), isMaximum);
    if (size.accepted) {
      heaps[isMaximum] = {&option, size};
    } else {
      findings.push_back({refused, true,
                          Named(option) + "Java nimmt " + option.text +
                              " nicht an: erlaubt ist eine ganze Zahl mit Einheit K, M oder G, "
                              "etwa 512M"});
    }
  }
  Severity sized = SizesMayBeSetElsewhere(options) ? Severity::kWarning : refused;
  const HeapOption& initial = heaps[0];
  const HeapOption& maximum = heaps[1];
  for (bool isMaximum : {false, true}) ReviewSize(heaps[isMaximum], isMaximum, sized, findings);
  if (initial.option && maximum.option && initial.size.bytes > maximum.size.bytes) {
    findings.push_back({sized, true,
                        Named(*initial.option) + initial.option->text + " ist gr\366\337er als " +
                            maximum.option->text + kRequired});
  }
}

}  // namespace

std::vector<LaunchFinding> ReadLaunchFindings(const JavaAttempt& attempt) {
  std::vector<LaunchFinding> findings;
  if (!HasJavaFolder(attempt)) {
    ReadHeap({attempt.heaps[0], attempt.heaps[1]}, true, findings);
    return findings;
  }
  Reading reading;
  reading.arguments = platform::SplitArguments(attempt.commandLine, ArgumentReader::kJavaLauncher);
  reading.java = ReadLauncherArguments(reading.arguments, 1);
  reading.inPassword.resize(reading.arguments.size());
  size_t mainClass = reading.java.mainClass;
  if (mainClass != kNone) reading.mainClass = reading.arguments[mainClass].text;
  reading.noApplication = mainClass == kNone && reading.java.certain;
  ReadCommandLine(attempt, reading, findings);
  ReadHeap(JavaOptions(reading, attempt), reading.java.certain, findings);
  return findings;
}

JavaApplication ReadJavaApplication(const std::string& commandLine) {
  Arguments arguments = platform::SplitArguments(commandLine, ArgumentReader::kJavaLauncher);
  LauncherReading java = ReadLauncherArguments(arguments, 1);
  JavaApplication application;
  if (java.mainClass == kNone || !java.certain) return application;
  application.mainClass = arguments[java.mainClass].text;
  // The launcher's own -cp follows every JVM parameter: Java takes the last.
  for (size_t i : java.options) {
    if (arguments[i].text == "-cp") application.classpath = arguments[i + 1].text;
  }
  return application;
}

std::string RefusalText(const std::vector<LaunchFinding>& findings) {
  std::string text;
  for (const LaunchFinding& finding : findings) {
    if (finding.severity != LaunchFinding::kRefusal) continue;
    text += (text.empty() ? "" : "\n") + finding.text;
  }
  return text;
}

std::string StartRefusal(const JavaAttempt& attempt) {
  return attempt.refusal.empty() ? RefusalText(attempt.launchFindings) : attempt.refusal;
}
