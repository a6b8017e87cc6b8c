// Jars: any bytes are read within their bounds, a directory Java refuses
// holds no class, and a class path of manifests naming each other, or a
// stream that inflates without end, finishes.

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
  Check(jar.damaged == (jar.problem == "kein ZIP-Archiv" || jar.problem == "abgeschnitten" ||
                        jar.problem == "Verzeichnis besch\344digt"),
        "only a jar Java cannot read is damaged");
  ClassSearch search = SearchClass("lib\\app.jar;lib\\*", "app.Main");
  Check(search.foundIn.empty() == !jar.holdsEntry, "the search finds what the jar holds");
  std::string out;
  Check(!Inflate(bytes, 4096, &out) || out.size() <= 4096, "inflated within the limit");
  return 0;
}
