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

// A jar tool's manifest naming more/part00.jar to more/part29.jar, its
// Class-Path on continuation lines, deflated with dynamic codes.
const std::string kDeflated(
    "\x5d\xd0\xbd\x0a\xc2\x30\x14\x05\xe0\xbd\xd0\x77\xc8\xa8\x43\x63\xef\xad\xb5\xb6\x9b\x8a"
    "\xa3\xe0\xe4\x1e\x6c\xc4\x48\xff\x48\xe2\xe0\xdb\x1b\xb4\x4a\x7b\xc6\x73\xb8\x1c\x3e\xee"
    "\x49\x75\xe6\xa6\x9d\x4f\x2e\xda\x3a\xd3\x77\x95\x20\x99\xc6\xd1\xc1\x6a\xe5\x75\x9d\xec"
    "\x5f\xa1\x28\x64\x2a\x29\x17\x8b\xe3\xb5\x31\x83\xd3\x62\x57\xf7\x83\x37\xcf\x76\x19\xee"
    "\x1a\xe5\x5c\x72\x56\xfe\x5e\x89\xb6\xb7\x7a\x35\x28\xeb\xd3\x54\x3e\x94\x9d\x64\x82\xcc"
    "\x90\x33\x19\x47\x62\x5e\xad\xe1\x24\x87\xbc\x81\x5c\xfc\x72\x58\x1a\xab\x2d\x9c\x94\xf3"
    "\x4c\xa0\x24\x50\x52\x58\x02\x28\x65\x90\x41\x49\xa0\xa4\x51\x19\x96\xfe\x55\x01\x27\xa0"
    "\x24\x50\xf2\x5c\x19\x96\x3c\x03\x94\x41\xc9\xa0\x64\x50\xf2\x47\x19\x96\x26\x15\xbc\x93"
    "\x41\xc9\xa0\xe4\xf2\x3b\x11\x47\x6f",
    185);

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
         Add("lib\\app.jar", Zip({Manifest("ext/my%20util.jar")}));
         Add("lib\\ext\\my util.jar", Zip({kMainClass}));
       },
       "lib\\app.jar",
       "lib\\ext\\my util.jar",
       2,
       {}},
      {"a deflated manifest",
       [] {
         Add("lib\\app.jar", Zip({{"META-INF/MANIFEST.MF", kDeflated, 8, 576}}));
         for (int i = 0; i < 29; ++i) {
           std::string number = (i < 10 ? "0" : "") + std::to_string(i);
           Add("lib\\more\\part" + number + ".jar", Zip({kOther}));
         }
         Add("lib\\more\\part29.jar", Zip({kMainClass}));
       },
       "lib\\app.jar",
       "lib\\more\\part29.jar",
       31,
       {}},
      {"manifests naming each other",
       [] {
         Add("lib\\a.jar", Zip({Manifest("b.jar")}));
         Add("lib\\b.jar", Zip({Manifest("a.jar"), kOther}));
       },
       "lib\\a.jar",
       "",
       2,
       {}},
      {"a ZIP64 end record",
       [] {
         Add("app.jar", Zip({kOther, kMainClass}, true));
       },
       "app.jar",
       "app.jar",
       1,
       {}},
      {"bytes before the archive and after its end",
       [] {
         Add("lib\\app.jar", "#!/bin/sh\n" + Zip({Manifest("b.jar")}) + "padding");
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
       {"app.jar (" + std::to_string(whole.size() / 2) + " Bytes): abgeschnitten"}},
      {"empty beside the main class",
       [] {
         Add("empty.jar", "");
         Add("app.jar", Zip({kMainClass}));
       },
       "empty.jar;app.jar",
       "app.jar",
       2,
       {"empty.jar (0 Bytes): kein ZIP-Archiv"}},
      {"a damaged directory",
       [&] { Add("app.jar", directory); },
       "app.jar",
       "",
       1,
       {"app.jar (" + std::to_string(whole.size()) + " Bytes): Verzeichnis besch\344digt"}},
      {"a directory too big to read",
       [] {
         std::string claim = "PK\5\6" + zip_bytes::Little(0, 8) + zip_bytes::Little(5 << 20, 4);
         Add("big.jar", std::string(5 << 20, 'x') + claim + zip_bytes::Little(0, 6));
       },
       "big.jar",
       "",
       1,
       {"big.jar (zu gro\337 f\374r die Pr\374fung)"}},
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
