// JVM parameters: never empty, the default always present as a token.

#include <algorithm>

#include "fuzz/fuzz_support.h"
#include "jvm/java_attempt.h"
#include "settings/text.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  Settings settings = SettingsFromText(Text(data, size));
  std::string parameters = BuildJvmParameters(settings);
  Check(!parameters.empty(), "never empty");
  Check(parameters.find("-Djava.util.Arrays.useLegacyMergeSort=true") != std::string::npos,
        "the default is present");
  std::vector<std::string> tokens = SplitString(settings.GetForStartKey("jvm.parameter"), ' ');
  std::string joined;
  for (size_t i = 0; i < tokens.size(); ++i) joined += (i ? " " : "") + tokens[i];
  Check(parameters.compare(0, joined.size(), joined) == 0, "jvm.parameter comes first");
  return 0;
}
