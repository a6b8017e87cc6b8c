// kivsoft.properties: the root folder is empty or ends with two
// backslashes, and collapsing never lengthens it.

#include "fuzz/fuzz_support.h"
#include "settings/properties_file.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  StartFuzzRun();
  fake::AddFile("C:\\App\\kivsoft.properties", Text(data, size));
  std::string root = ReadRootFolder();
  Check(root.empty() || (root.size() >= 2 && root.compare(root.size() - 2, 2, "\\\\") == 0),
        "the root folder ends with two backslashes");
  Check(CollapseUncPrefix(root).size() <= root.size(), "collapsing never lengthens");
  Check(FuzzLog().find("kivsoft.properties einlesen") != std::string::npos, "the file is logged");
  return 0;
}
