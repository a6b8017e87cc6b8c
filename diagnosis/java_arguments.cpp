#include "diagnosis/java_arguments.h"

#include "platform/windows_arguments.h"

namespace {

using platform::Argument;
using platform::ArgumentReader;

const size_t kNone = static_cast<size_t>(-1);

bool IsOption(const std::string& text) { return !text.empty() && text[0] == '-'; }

bool TakesValue(const std::string& option) {
  return option == "-cp" || option == "-classpath" || option == "--class-path";
}

// The first argument that is no option nor an option's value, from index first.
size_t MainClassIndex(const std::vector<Argument>& arguments, size_t first) {
  for (size_t i = first; i < arguments.size(); ++i) {
    if (!IsOption(arguments[i].text)) return i;
    if (TakesValue(arguments[i].text)) ++i;
  }
  return kNone;
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

// The launcher puts a blank before every piece and one after it, or ends.
size_t PlaceOf(const std::string& line, const std::string& text) {
  for (size_t at = line.find(" " + text); at != std::string::npos;
       at = line.find(" " + text, at + 1)) {
    size_t end = at + 1 + text.size();
    if (end == line.size() || line[end] == ' ') return at + 1;
  }
  return std::string::npos;
}

void ReviewPiece(const std::vector<Argument>& arguments, const std::string& line,
                 const MeantPiece& piece, size_t classpathOption, size_t mainClass,
                 JavaArgumentsReading& reading) {
  size_t begin = PlaceOf(line, piece.text);
  if (begin == std::string::npos) return;
  size_t end = begin + piece.text.size();
  PieceProblem problem;
  problem.key = piece.key;
  problem.text = piece.text;
  bool merged = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const Argument& argument = arguments[i];
    if (argument.end <= begin || argument.begin >= end) continue;
    problem.received += (problem.receivedCount++ > 0 ? " " : "") + argument.text;
    merged = merged || argument.begin < begin || argument.end > end;
    problem.breaksStart = problem.breaksStart || i == mainClass ||
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
  size_t mainClass = MainClassIndex(arguments, 1);
  if (mainClass != kNone) reading.receivedMainClass = arguments[mainClass].text;
  ClasspathPlace classpath = FindClasspath(commandLine);
  for (const MeantPiece& piece : pieces) {
    ReviewPiece(arguments, commandLine, piece, classpath.option, mainClass, reading);
  }
  std::vector<Argument> start = platform::SplitArguments(startValue, ArgumentReader::kPlainQuotes);
  size_t meantMain = MainClassIndex(start, 0);
  reading.startValueWithoutMainClass = !start.empty() && meantMain == kNone;
  if (classpath.option == std::string::npos || reading.startValueWithoutMainClass) return reading;
  size_t startBegin = classpath.valueEnd + 1;
  bool mainIntact = meantMain != kNone && mainClass != kNone &&
                    arguments[mainClass].begin == startBegin + start[meantMain].begin &&
                    arguments[mainClass].text == start[meantMain].text;
  reading.startIntact = mainIntact && Has(arguments, classpath.option, classpath.option + 3) &&
                        Has(arguments, classpath.option + 4, classpath.valueEnd);
  return reading;
}
