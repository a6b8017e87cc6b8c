// Check mode reads a Java command line as Java's launcher will and finds
// the settings whose pieces do not arrive as meant.

#include "jvm/java_arguments.h"

#include <gtest/gtest.h>

namespace {

const char kStart[] = "-Dapp=qv app.Main";
const size_t kFirstPiece = sizeof "jre64\\bin\\javaw.exe";

std::string Line(const std::string& pieces, const std::string& classpath = "lib\\app.jar") {
  return "jre64\\bin\\javaw.exe" + pieces + " -Xmx512M -cp \"" + classpath + "\" " + kStart;
}

TEST(JavaArguments, EachPieceAsJavaReadsIt) {
  using Kind = PieceProblem::Kind;
  struct Case {
    const char* name;
    MeantPiece piece;
    bool problem;
    Kind kind;
    std::string received;
    bool breaksStart;
  };
  const Case cases[] = {
      {"plain", {"Dclientname", "-Dclientname=Kasse3"}, false, Kind::kSplitAtBlank, {}, false},
      {"quoted blank", {"Dkiv.x", "-Dkiv.x=\"a b\""}, false, Kind::kSplitAtBlank, {}, false},
      {"bare word before the main class",
       {"Dclientname", "-Dclientname=Kasse 3"},
       true,
       Kind::kSplitAtBlank,
       "-Dclientname=Kasse 3",
       true},
      {"one more option",
       {"jvm.parameter.a", "-Da=1 -Db=2"},
       true,
       Kind::kSplitAtBlank,
       "-Da=1 -Db=2",
       false},
      {"escaped quote",
       {"Dkiv.x", "-Dkiv.x=a\\\"b"},
       true,
       Kind::kChangedByQuotes,
       "-Dkiv.x=a\"b",
       false},
      {"backslash before the closing quote",
       {"Dkiv.dir", "-Dkiv.dir=\"C:\\Daten\\\""},
       true,
       Kind::kMerged,
       "-Dkiv.dir=C:\\Daten\" -Xmx512M -cp lib\\app.jar -Dapp=qv app.Main",
       true},
  };
  for (const Case& c : cases) {
    MeantPiece piece = c.piece;
    piece.begin = kFirstPiece;
    JavaArgumentsReading reading = ReadAsJava(Line(" " + piece.text), {piece}, kStart);
    ASSERT_EQ(reading.problems.size(), c.problem ? 1u : 0u) << c.name;
    EXPECT_EQ(reading.startIntact, !c.breaksStart) << c.name;
    if (!c.problem) continue;
    const PieceProblem& problem = reading.problems[0];
    EXPECT_EQ(problem.kind, c.kind) << c.name;
    EXPECT_EQ(problem.received, c.received) << c.name;
    EXPECT_EQ(problem.breaksStart, c.breaksStart) << c.name;
  }
}

TEST(JavaArguments, StartValueAndClasspath) {
  EXPECT_TRUE(ReadAsJava(Line(""), {}, kStart).startIntact);
  EXPECT_EQ(ReadAsJava(Line(""), {}, kStart).receivedMainClass, "app.Main");
  EXPECT_TRUE(ReadAsJava(Line("", "lib\\a.jar;classes\\\\"), {}, kStart).startIntact);
  EXPECT_FALSE(ReadAsJava(Line("", "lib\\a.jar;classes\\"), {}, kStart).startIntact);
  std::string optionsOnly = "javaw.exe -cp \"lib\\app.jar\" -Dapp=qv";
  EXPECT_TRUE(ReadAsJava(optionsOnly, {}, "-Dapp=qv").startValueWithoutMainClass);
  EXPECT_FALSE(ReadAsJava(Line(""), {}, kStart).startValueWithoutMainClass);
}

}  // namespace
