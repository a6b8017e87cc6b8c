#include "jvm/java_arguments.h"

#include <algorithm>
#include <initializer_list>

#include "platform/windows_arguments.h"
#include "report/redactor.h"
#include "settings/text.h"

namespace {

using platform::Argument;
using platform::ArgumentReader;

const size_t kNone = static_cast<size_t>(-1);

bool IsOption(const std::string& text) { return !text.empty() && text[0] == '-'; }

bool IsAnyOf(const std::string& text, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    if (text == name) return true;
  }
  return false;
}

// Options Java's launcher gives the next argument as their value.
bool TakesValue(const std::string& option) {
  return IsAnyOf(
      option,
      {"-cp", "-classpath", "--class-path", "-m", "--module", "-d", "--describe-module", "--source",
       "-p", "--module-path", "--upgrade-module-path", "--add-modules", "--enable-native-access",
       "--limit-modules", "--add-exports", "--add-opens", "--add-reads", "--patch-module"});
}

// The application starts without a main class, or the launcher ends without
// starting one.
bool StartsNoMainClass(const std::string& option) {
  return IsAnyOf(option, {"-jar", "-m", "--module", "--source", "-version", "--version", "-help",
                          "--help", "-h", "-?", "-X", "--help-extra", "-fullversion",
                          "--full-version", "--list-modules", "--validate-modules", "-d",
                          "--describe-module", "--dry-run"}) ||
         StartsWith(option, "--module=") || StartsWith(option, "--source=") ||
         StartsWith(option, "--describe-module=");
}

// Java's launcher takes options up to the first other argument, its main
// class; an argument file it expands in place.
struct LauncherReading {
  size_t mainClass = kNone;
  std::vector<size_t> options;
  bool certain = true;
};

LauncherReading ReadLauncherArguments(const std::vector<Argument>& arguments, size_t first) {
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

bool IsIdentifierByte(char c, bool first) {
  unsigned char byte = static_cast<unsigned char>(c);
  bool digit = c >= '0' && c <= '9';
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$' || byte >= 0x80 ||
         (digit && !first);
}

// Where the launcher's one class-path option and its quoted value stand.
struct ClasspathPlace {
  size_t option = std::string::npos;
  size_t valueEnd = std::string::npos;
};

ClasspathPlace FindClasspath(const std::string& line) {
  ClasspathPlace place;
  size_t at = line.find(" -cp \"");
  if (at == std::string::npos) return place;
  place.option = at + 1;
  size_t closing = line.find('"', at + 6);
  place.valueEnd = closing == std::string::npos ? line.size() : closing + 1;
  return place;
}

bool Has(const std::vector<Argument>& arguments, size_t begin, size_t end) {
  for (const Argument& argument : arguments) {
    if (argument.begin == begin && argument.end == end) return true;
  }
  return false;
}

// The first argument that ends after the position.
std::vector<Argument>::const_iterator FirstAfter(const std::vector<Argument>& arguments,
                                                 size_t position) {
  return std::partition_point(arguments.begin(), arguments.end(),
                              [position](const Argument& a) { return a.end <= position; });
}

// Arguments made of a password's words, which no finding may show.
std::vector<bool> InPasswords(const std::vector<Argument>& arguments,
                              const std::vector<MeantPiece>& pieces) {
  std::vector<bool> inPassword(arguments.size());
  for (const MeantPiece& piece : pieces) {
    if (!IsPasswordKey(piece.key)) continue;
    for (auto it = FirstAfter(arguments, piece.begin);
         it != arguments.end() && it->begin < piece.begin + piece.text.size(); ++it) {
      inPassword[it - arguments.begin()] = true;
    }
  }
  return inPassword;
}

void ReviewPiece(const std::vector<Argument>& arguments, const MeantPiece& piece,
                 size_t classpathOption, size_t mainClass, JavaArgumentsReading& reading) {
  size_t begin = piece.begin;
  size_t end = begin + piece.text.size();
  PieceProblem problem;
  problem.key = piece.key;
  problem.text = piece.text;
  bool merged = false;
  for (auto it = FirstAfter(arguments, begin); it != arguments.end() && it->begin < end; ++it) {
    const Argument& argument = *it;
    problem.received += (problem.receivedCount++ > 0 ? " " : "") + argument.text;
    merged = merged || argument.begin < begin || argument.end > end;
    problem.breaksStart = problem.breaksStart ||
                          static_cast<size_t>(it - arguments.begin()) == mainClass ||
                          (argument.begin < classpathOption && argument.end > classpathOption);
  }
  std::vector<Argument> meant = platform::SplitArguments(piece.text, ArgumentReader::kPlainQuotes);
  if (merged) {
    problem.kind = PieceProblem::kMerged;
  } else if (problem.receivedCount > 1) {
    problem.kind = PieceProblem::kSplitAtBlank;
  } else if (meant.size() == 1 && problem.received == meant[0].text) {
    return;
  } else {
    problem.kind = PieceProblem::kChangedByQuotes;
  }
  reading.problems.push_back(problem);
}

}  // namespace

JavaArgumentsReading ReadAsJava(const std::string& commandLine,
                                const std::vector<MeantPiece>& pieces,
                                const std::string& startValue) {
  JavaArgumentsReading reading;
  std::vector<Argument> arguments =
      platform::SplitArguments(commandLine, ArgumentReader::kJavaLauncher);
  LauncherReading java = ReadLauncherArguments(arguments, 1);
  size_t mainClass = java.mainClass;
  reading.certain = java.certain;
  std::vector<bool> inPassword = InPasswords(arguments, pieces);
  for (size_t option : java.options) {
    if (!inPassword[option]) reading.javaOptions.push_back(arguments[option].text);
  }
  if (mainClass != kNone) reading.receivedMainClass = arguments[mainClass].text;
  reading.noApplication = mainClass == kNone && java.certain;
  ClasspathPlace classpath = FindClasspath(commandLine);
  for (const MeantPiece& piece : pieces) {
    ReviewPiece(arguments, piece, classpath.option, mainClass, reading);
  }
  std::vector<Argument> start = platform::SplitArguments(startValue, ArgumentReader::kPlainQuotes);
  LauncherReading meant = ReadLauncherArguments(start, 0);
  reading.startValueWithoutMainClass = !start.empty() && meant.mainClass == kNone && meant.certain;
  if (classpath.option == std::string::npos || reading.startValueWithoutMainClass) return reading;
  size_t startBegin = classpath.valueEnd + 1;
  // A start value that starts its application otherwise names no main class.
  bool mainIntact =
      !meant.certain || (meant.mainClass != kNone && mainClass != kNone &&
                         arguments[mainClass].begin == startBegin + start[meant.mainClass].begin &&
                         arguments[mainClass].text == start[meant.mainClass].text);
  reading.startIntact = mainIntact && Has(arguments, classpath.option, classpath.option + 3) &&
                        Has(arguments, classpath.option + 4, classpath.valueEnd);
  return reading;
}

bool CanBeClassName(const std::string& word) {
  bool segmentStart = true;
  for (char c : word) {
    if (c == '.' || c == '/') {
      if (segmentStart) return false;
      segmentStart = true;
    } else if (IsIdentifierByte(c, segmentStart)) {
      segmentStart = false;
    } else {
      return false;
    }
  }
  return !segmentStart;
}
