#include "jvm/java_attempt.h"

#include <algorithm>
#include <map>
#include <utility>

#include "jvm/heap_size.h"
#include "platform/platform.h"
#include "platform/windows_arguments.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "settings/keys.h"
#include "settings/text.h"

namespace {

MeantPiece Meant(const Settings& settings, const std::string& key, const std::string& text,
                 size_t begin = 0) {
  return {key, text, begin, OriginOf(settings, key)};
}
const char kDefaultJvmParameter[] = "-Djava.util.Arrays.useLegacyMergeSort=true";

// Each suffix's value, with the key that gave it.
std::map<std::string, MeantPiece> CollectJvmParameterMap(const Settings& settings) {
  std::string startPrefix =
      ToUpper(settings.Get(keyname::kStart)) + "." + keyname::kJvmParameterFamily;
  std::map<std::string, MeantPiece> bySuffix;
  for (const auto& [key, value] : settings.entries) {
    if (StartsWith(key, startPrefix)) {
      bySuffix[key.substr(startPrefix.size())] = Meant(settings, key, value);
    } else if (StartsWith(key, keyname::kJvmParameterFamily)) {
      bySuffix.emplace(key.substr(std::char_traits<char>::length(keyname::kJvmParameterFamily)),
                       Meant(settings, key, value));
    }
  }
  return bySuffix;
}

std::string WithoutQuotes(const std::string& text) { return ReplaceWithBlank(text, "\""); }

// After a blank: the piece a setting gives, which the findings read back;
// spaced: with a blank after it.
void AddPiece(const Settings& settings, const std::string& key, const std::string& text,
              JavaAttempt* attempt, bool spaced = false) {
  attempt->commandLine += " ";
  attempt->pieces.push_back(Meant(settings, key, text, attempt->commandLine.size()));
  attempt->commandLine += spaced ? text + " " : text;
}

// The prefix and the key's value as a piece, when the value is not empty.
void AddValue(const Settings& settings, const std::string& key, const std::string& prefix,
              JavaAttempt* attempt, bool spaced = false) {
  std::string value = settings.Get(key);
  if (!value.empty()) AddPiece(settings, key, prefix + value, attempt, spaced);
}

void AddSystemProperties(const Settings& settings, JavaAttempt* attempt) {
  std::string& line = attempt->commandLine;
  if (settings.IsTrue(keyname::kSwingNoXp)) line += " -Dswing.noxp=true";
  if (settings.GetForStartKey(keyname::kDirect3D) == "false") line += " -Dsun.java2d.d3d=false";
  AddValue(settings, keyname::kClientName, "-Dclientname=", attempt);
  if (!settings.IsTrue(keyname::kNoSplash))
    AddValue(settings, keyname::kSplash, "-splash:", attempt);
}

void DecideHeaps(bool is64Bit, const Settings& settings, JavaAttempt* attempt) {
  const char* const keys[] = {keyname::kMemoryInitial, keyname::kMemoryMaximum};
  for (int i = 0; i < 2; ++i) {
    HeapDecision heap = DecideHeapSize(keys[i], is64Bit, settings.GetForStartKey(keys[i]));
    if (!heap.logLine.empty()) attempt->heapLogLines.push_back(heap.logLine);
    attempt->heaps[i] =
        Meant(settings, settings.KeyForStartKey(keys[i]), (i ? "-Xmx" : "-Xms") + heap.value);
  }
}

void AddMemoryOptions(bool is64Bit, const Settings& settings, JavaAttempt* attempt) {
  DecideHeaps(is64Bit, settings, attempt);
  for (const MeantPiece& heap : attempt->heaps) attempt->commandLine += " " + heap.text;
  for (const char* ratio : {keyname::kMinHeapFreeRatio, keyname::kMaxHeapFreeRatio}) {
    AddValue(settings, settings.KeyForStartKey(ratio), std::string("-XX:") + ratio + "=", attempt,
             true);
  }
}

void AddForwardedProperties(const Settings& settings, JavaAttempt* attempt) {
  for (const char* key :
       {keyname::kAutologinUser, keyname::kAutologinPassword, keyname::kServiceVersion}) {
    AddValue(settings, key, std::string("-") + key + "=", attempt, true);
  }
  for (const auto& [key, value] : settings.entries) {
    if (!StartsWith(key, keyname::kKivPropertyFamily)) continue;
    AddPiece(settings, key, "-" + key + "=" + value, attempt, true);
  }
}

// "jvm.parameter (customlaunch.properties, Zeile 1)" for each setting whose
// text in the command line holds "-cp", the launcher's own option aside.
std::string ClasspathOptionHolders(bool is64Bit, const Settings& settings,
                                   const LaunchInputs& inputs, const JavaAttempt& attempt) {
  std::string holders;
  auto add = [&holders](const MeantPiece& text) {
    if (text.text.find("-cp") == std::string::npos) return;
    holders += (holders.empty() ? "" : ", ") + text.key + text.origin;
  };
  for (const MeantPiece& piece : attempt.pieces) add(piece);
  for (const char* key : {keyname::kJvmParameter, keyname::kClasspathHelp, keyname::kClasspathExtra,
                          is64Bit ? keyname::kClasspathPrepend64 : keyname::kClasspathPrepend32}) {
    add(Meant(settings, settings.KeyForStartKey(key), settings.GetForStartKey(key)));
  }
  add(attempt.start);
  const std::string origin = std::string(" (") + kCommandLineOrigin + ")";
  add({"-read", inputs.readParameters, 0, origin});
  add({"-read_app", inputs.readAppParameters, 0, origin});
  return holders;
}

// The class path as the command line gives it after -cp, without quotes.
std::string ClasspathText(const std::string& prepend, const Classpath& classpath) {
  std::string text = (prepend.empty() ? prepend : prepend + ";") + classpath.classpathDefault;
  if (!classpath.classpathHelp.empty()) text += ";" + classpath.classpathHelp;
  if (!classpath.classpathExtra.empty()) text += ";" + classpath.classpathExtra;
  return text;
}

std::string Spaced(const std::string& text) { return text.empty() ? text : " " + text + " "; }

// The longest pieces, "Classpath 39012 Zeichen, ...": which setting to
// shorten, and what shortens a class path most.
std::string CommandLineLengthReport(const std::string& commandLine, const Settings& settings,
                                    const LaunchInputs& inputs) {
  const Classpath& classpath = inputs.classpath;
  std::vector<std::pair<size_t, std::string>> pieces = {
      {classpath.classpathDefault.size() + classpath.classpathHelp.size() +
           classpath.classpathExtra.size(),
       "Classpath"},
      {BuildJvmParameters(settings).size(), "JVM-Parameter"},
      {inputs.startValue.size(), "Startparameter"},
      {inputs.readParameters.size(), "Zusatzparameter read"},
      {inputs.readAppParameters.size(), "Zusatzparameter read_app"},
  };
  std::string text = CommandLineLimitText(commandLine) + "\nK\374rzel: " + inputs.startKey +
                     ", die l\344ngsten Teile: ";
  // Of equally long pieces the one earlier in the table comes first; a sort
  // that keeps the order would bring 3 KB of merging into the exe.
  for (int shown = 0; shown < 3; ++shown) {
    auto longest = std::max_element(pieces.begin(), pieces.end(),
                                    [](const auto& a, const auto& b) { return a.first < b.first; });
    if (longest->first == 0) break;
    text += (shown > 0 ? ", " : "") + longest->second + " " + std::to_string(longest->first) +
            " Zeichen";
    longest->first = 0;
  }
  return text +
         "\nAbhilfe: alle Jars eines Ordners als ein Eintrag ORDNER\\* in den Klassenpfad, etwa "
         "lib\\*";
}

// Where the zero byte stands and the settings that hold one.
std::string ZeroByteReport(const std::string& commandLine, const Settings& settings) {
  std::string keys;
  for (const auto& [key, value] : settings.entries) {
    if (HoldsZeroByte(key + value)) keys += (keys.empty() ? "" : ", ") + WithVisibleZeroBytes(key);
  }
  return ZeroByteText(commandLine) + "\nBitte diese Einstellungen pr\374fen: " + keys;
}

std::string ProgramProblem(const JavaAttempt& attempt) {
  const std::string& home = attempt.choice.home;
  if ((home.size() > 4 && EndsWith(ToUpper(home), ".EXE")) || platform::FileCanBeOpened(home)) {
    return attempt.choice.key + " nennt die Datei " + home +
           ", erwartet wird der Java-Ordner (ohne \\bin\\javaw.exe)";
  }
  return platform::FileCanBeOpened(attempt.program) ? std::string() : attempt.program + " fehlt";
}

// Host patterns of either width that match nothing, with the names they
// were compared with: which name to write a pattern for.
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

Classpath PrepareClasspath(const Settings& settings) {
  return {
      ReplaceWithBlank(WithoutQuotes(settings.GetForStartKey(keyname::kClasspathDefault)), "-cp"),
      WithoutQuotes(settings.GetForStartKey(keyname::kClasspathHelp)),
      WithoutQuotes(settings.GetForStartKey(keyname::kClasspathExtra))};
}

int CountClasspathOptions(const std::string& commandLine) {
  int count = 0;
  for (size_t hit = 0; (hit = commandLine.find("-cp", hit)) != std::string::npos; ++hit) ++count;
  return count;
}

void BuildJavaCommandLine(const std::string& javaHome, bool is64Bit, const Settings& settings,
                          const LaunchInputs& inputs, JavaAttempt* attempt) {
  // Explorer's "Copy as path" adds double quotes, which would end the
  // program's name and are no part of the folder's.
  std::string& folder = attempt->folder = javaHome;
  folder.erase(std::remove(folder.begin(), folder.end(), '"'), folder.end());
  attempt->program = folder + "\\bin\\javaw.exe";
  attempt->release = ReadJavaRelease(folder);
  // Windows' argument parsers, Java's own launcher among them, cut an
  // unquoted program name at its first blank.
  std::string& line = attempt->commandLine = platform::QuotedIfBlank(attempt->program);
  AddSystemProperties(settings, attempt);
  line += " " + BuildJvmParameters(settings, &attempt->pieces, line.size() + 1);
  AddMemoryOptions(is64Bit, settings, attempt);
  std::string prepend = WithoutQuotes(settings.GetForStartKey(
      is64Bit ? keyname::kClasspathPrepend64 : keyname::kClasspathPrepend32));
  std::string classpath = ClasspathText(prepend, inputs.classpath);
  attempt->classArchive = DecideClassArchive(folder, attempt->release, classpath, settings);
  line += attempt->classArchive.options + Spaced(inputs.readParameters);
  AddForwardedProperties(settings, attempt);
  if (!prepend.empty()) attempt->logLines.push_back("Erweitere Classpath um: " + prepend);
  // In quotes, so that a folder written with a trailing backslash
  // (classes\) does not make Java read the closing quote as a literal one.
  attempt->classpath = {"", "-cp " + platform::InQuotes(classpath), line.size() + 1, ""};
  line += " " + attempt->classpath.text;
  attempt->start = Meant(settings, inputs.startKey, inputs.startValue, line.size() + 1);
  line += " " + inputs.startValue + Spaced(inputs.readAppParameters);
  if (int count = CountClasspathOptions(line); count > 1) {
    attempt->logLines.push_back("Anzahl von '-cp' eintr\344gen in Kommandozeile: " +
                                std::to_string(count));
    attempt->stop = FailedRun(
        "Achtung: -cp wurde in der Kommandozeile mehrmals gefunden. Bitte die custom.properties "
        "pr\374fen! \nEin weiteres -cp steht in: " +
        ClasspathOptionHolders(is64Bit, settings, inputs, *attempt) + "\n");
  }
  // Windows would refuse it, and Wine would silently cut it.
  if (ExceedsCommandLineLimit(line)) {
    attempt->refusal = CommandLineLengthReport(line, settings, inputs);
  } else if (HoldsZeroByte(line)) {
    attempt->refusal = ZeroByteReport(line, settings);
  }
}

std::string BuildJvmParameters(const Settings& settings, std::vector<MeantPiece>* pieces,
                               size_t begin) {
  std::string plain = settings.GetForStartKey(keyname::kJvmParameter);
  std::vector<std::string> tokens = SplitString(plain, ' ');
  // Each token is joined with one blank before the next.
  size_t next = begin + plain.size() + (plain.empty() || plain.back() == ' ' ? 0 : 1);
  for (const auto& [suffix, piece] : CollectJvmParameterMap(settings)) {
    tokens.push_back(piece.text);
    if (pieces && !piece.text.empty())
      pieces->push_back({piece.key, piece.text, next, piece.origin});
    next += piece.text.size() + 1;
  }
  if (std::find(tokens.begin(), tokens.end(), kDefaultJvmParameter) == tokens.end()) {
    tokens.push_back(kDefaultJvmParameter);
  }
  std::string joined;
  for (const std::string& token : tokens) joined += (&token == &tokens[0] ? "" : " ") + token;
  return joined;
}

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
  if (!is64Bit) {
    attempt.stop = FailedRun(
        "Das 64-Bit-Java wurde entweder nicht angegeben oder konnte nicht gestartet werden und es "
        "wurde kein Parameter \"java\" definiert!" +
        UnmatchedHostPatterns(settings, computerNames));
  }
  return attempt;
}

bool HasJavaFolder(const JavaAttempt& attempt) { return !attempt.choice.home.empty(); }

void LogJavaAttempt(const JavaAttempt& attempt, const std::vector<std::string>& archiveSteps) {
  Log().WriteLine("Java wird ermittelt f\374r Computer \"" + attempt.choice.computerName +
                  "\" mit " + BitsText(attempt.is64Bit) + ": " + attempt.choice.key + "=" +
                  attempt.choice.home);
  if (!HasJavaFolder(attempt)) return;
  for (const std::string& line : attempt.heapLogLines) Log().WriteLine(line);
  for (const std::string& line : archiveSteps) Log().WriteLine(line);
  for (const std::string& line : attempt.classArchive.logLines) Log().WriteLine(line);
  for (const std::string& line : attempt.logLines) Log().WriteLine(line);
  if (attempt.stop) return;
  Log().WriteLine("JVM wird gestartet am " + CurrentTimeText() + "\n");
  Log().WriteLine(attempt.commandLine);
}
