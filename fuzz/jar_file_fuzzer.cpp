// Jars: any bytes are read within their bounds, a directory Java refuses
// holds no class, and a class path of manifests naming each other finishes.

#include "fuzz/fuzz_support.h"
#include "jvm/class_search.h"
#include "jvm/jar_file.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  std::string bytes = Text(data, size);
  fake::Reset();
  fake::AddFile("C:\\App\\lib\\app.jar", bytes);
  JarContents jar = ReadJar("lib\\app.jar", "app/Main.class");
  Check(jar.size == size, "the size is the file's");
  Check(!(jar.damaged && jar.holdsEntry), "a damaged jar holds nothing");
  Check(jar.damaged == (std::string(jar.problem) == "kein ZIP-Archiv" ||
                        std::string(jar.problem) == "abgeschnitten" ||
                        std::string(jar.problem) == "besch\344digt"),
        "only a jar Java cannot read is damaged");
  ClassSearch search = SearchClass("lib\\app.jar;lib\\*", "app.Main");
  Check(search.foundIn.empty() == !jar.holdsEntry, "the search finds what the jar holds");
  return 0;
}
