// The whole command-line assembly: exactly one "-cp" or the run refused,
// and no password in clear in the log.

#include "fuzz/fuzz_support.h"
#include "jvm/java_command_line.h"
#include "report/password_mask.h"

namespace {

const std::string kMarker = "Dautologin.pwd=";

// Every password value reads xxxx, up to a blank or the end of the line.
bool Masked(const std::string& text) {
  for (size_t hit = text.find(kMarker); hit != std::string::npos;
       hit = text.find(kMarker, hit + 1)) {
    size_t value = hit + kMarker.size();
    if (text.compare(value, 4, "xxxx") != 0) return false;
    bool ends = value + 4 == text.size() || text[value + 4] == ' ' || text[value + 4] == '\r';
    if (!ends) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  std::string input = Text(data, size);
  Check(Masked(MaskPassword(input)), "a masked text holds no password");
  Settings settings = InitialSettings();
  for (const auto& entry : SettingsFromText(input).entries) settings.Set(entry.first, entry.second);
  if (settings.Get("Dautologin.pwd").find('\n') != std::string::npos) return 0;
  LaunchInputs inputs;
  inputs.classpath = PrepareClasspath(settings);
  inputs.startValue = settings.Get("QV");
  for (bool is64Bit : {true, false}) {
    StartFuzzRun();
    std::string commandLine;
    RunEnd end = BuildJavaCommandLine("C:\\Java", is64Bit, settings, inputs, &commandLine);
    if (end) {
      Check(*end == 1 && fake::Get().messageBoxes.size() == 1, "a refusal is reported");
    } else {
      Check(CountClasspathOptions(commandLine) == 1, "exactly one -cp");
      Check(commandLine.compare(0, 22, "C:\\Java\\bin\\javaw.exe ") == 0, "javaw.exe comes first");
      std::string log = FuzzLog();
      size_t lineStart = log.rfind("\r\n", log.size() - 3) + 2;
      Check(Masked(log.substr(lineStart, log.size() - 2 - lineStart)),
            "the logged command line holds no password");
    }
  }
  return 0;
}
