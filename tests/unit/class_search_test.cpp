// Where check mode looks for the main class: jars, class folders, FOLDER\*
// and manifest class paths in Java's order, and the jars it cannot read.

#include "jvm/class_search.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/fake_platform.h"
#include "tests/zip_bytes.h"

namespace {

using zip_bytes::kMainClass;
using zip_bytes::Manifest;
using zip_bytes::Zip;

const zip_bytes::Entry kOther = {"app/Other.class", ""};

// A jar tool's manifest naming util.jar and more/util.jar, deflated with
// the fixed codes.
const std::string kDeflated(
    "\xf3\x4d\xcc\xcb\x4c\x4b\x2d\x2e\xd1\x0d\x4b\x2d\x2a\xce\xcc\xcf\xb3\x52\x30\xd4\x33\xe0"
    "\xe5\x72\x2e\x4a\x4d\x2c\x49\x4d\xd1\x75\xaa\x04\x0a\x98\xeb\x19\xe8\x19\x9a\x2a\x68\xb8"
    "\x26\xe7\x64\x16\x14\xa7\x2a\x38\xa6\xe4\x17\x94\x64\x96\xe6\x6a\x02\xd5\xe5\x24\x16\x17"
    "\xeb\x06\x24\x96\x64\x58\x29\x94\x96\x64\xe6\xe8\x65\x25\x16\x29\xe4\xe6\x17\xa5\xea\xc3"
    "\x78\xbc\x5c\xbc\x5c\x00",
    94);

void Add(const std::string& path, const std::string& bytes) { fake::AddFile(path, bytes); }

struct Case {
  const char* name;
  std::function<void()> files;
  const char* classpath;
  const char* foundIn;
  size_t searched;
  // The damaged jars first, then what could not be read.
  std::vector<std::string> problems;
};

TEST(ClassSearch, ClassPathShapes) {
  std::string whole = Zip({kMainClass, kOther});
  std::string directory = whole;
  directory[directory.rfind("PK\1\2") + 2] = 'X';
  const Case cases[] = {
      {"in the second jar",
       [] {
         Add("lib\\a.jar", Zip({kOther}));
         Add("lib\\b.jar", Zip({kMainClass}));
       },
       "lib\\a.jar;lib\\b.jar",
       "lib\\b.jar",
       2,
       {}},
      {"FOLDER\\* takes the folder's jars",
       [] {
         Add("lib\\a.jar", Zip({kOther}));
         Add("lib\\b.JAR", Zip({kMainClass}));
       },
       "lib\\*",
       "lib\\b.JAR",
       2,
       {}},
      {"FOLDER\\* takes no other file and no subfolder",
       [] {
         Add("lib\\a.jar", Zip({kOther}));
         Add("lib\\b.zip", Zip({kMainClass}));
         Add("lib\\sub\\c.jar", Zip({kMainClass}));
       },
       "lib\\*",
       "",
       1,
       {}},
      {"a class folder",
       [] { Add("classes\\app\\Main.class", ""); },
       "lib\\a.jar;classes",
       "classes",
       2,
       {"lib\\a.jar (fehlt)"}},
      {"a manifest's Class-Path, relative to its jar",
       [] {
         Add("lib\\app.jar", Zip({Manifest("ext/util.jar")}));
         Add("lib\\ext\\util.jar", Zip({kMainClass}));
       },
       "lib\\app.jar",
       "lib\\ext\\util.jar",
       2,
       {}},
      {"a deflated manifest, whose Class-Path is not read",
       [] {
         Add("lib\\app.jar", Zip({{"META-INF/MANIFEST.MF", kDeflated, 8, 101}}));
       },
       "lib\\app.jar",
       "",
       1,
       {"lib\\app.jar (nicht lesbar)"}},
      {"manifests naming each other",
       [] {
         Add("lib\\a.jar", Zip({Manifest("b.jar")}));
         Add("lib\\b.jar", Zip({Manifest("a.jar"), kOther}));
       },
       "lib\\a.jar",
       "",
       2,
       {}},
      {"a ZIP64 end record, for more entries than the check reads",
       [] {
         Add("app.jar", Zip({kOther, kMainClass}, true));
       },
       "app.jar",
       "",
       1,
       {"app.jar (zu gro\337 zum Pr\374fen)"}},
      {"bytes before the archive",
       [] {
         Add("lib\\app.jar", "#!/bin/sh\n" + Zip({Manifest("b.jar")}));
         Add("lib\\b.jar", Zip({kMainClass}));
       },
       "lib\\app.jar",
       "lib\\b.jar",
       2,
       {}},
      {"cut in half",
       [&] { Add("app.jar", whole.substr(0, whole.size() / 2)); },
       "app.jar",
       "",
       1,
       {"app.jar (" + std::to_string(whole.size() / 2) + " Bytes): abgeschnitten, f\374r Java unlesbar"}},
      {"empty beside the main class",
       [] {
         Add("empty.jar", "");
         Add("app.jar", Zip({kMainClass}));
       },
       "empty.jar;app.jar",
       "app.jar",
       2,
       {"empty.jar (0 Bytes): kein ZIP-Archiv, f\374r Java unlesbar"}},
      {"a damaged directory",
       [&] { Add("app.jar", directory); },
       "app.jar",
       "",
       1,
       {"app.jar (" + std::to_string(whole.size()) + " Bytes): besch\344digt, f\374r Java unlesbar"}},
      {"a directory too big to read",
       [] {
         std::string claim = "PK\5\6" + zip_bytes::Little(0, 8) + zip_bytes::Little(5 << 20, 4);
         Add("big.jar", std::string(5 << 20, 'x') + claim + zip_bytes::Little(0, 6));
       },
       "big.jar",
       "",
       1,
       {"big.jar (zu gro\337 zum Pr\374fen)"}},
  };
  for (const Case& c : cases) {
    fake::Reset();
    c.files();
    ClassSearch search = SearchClass(c.classpath, "app.Main");
    std::vector<std::string> problems = search.damaged;
    problems.insert(problems.end(), search.unread.begin(), search.unread.end());
    EXPECT_EQ(search.foundIn, c.foundIn) << c.name;
    EXPECT_EQ(search.searched.size(), c.searched) << c.name;
    EXPECT_EQ(problems, c.problems) << c.name;
  }
}

}  // namespace
