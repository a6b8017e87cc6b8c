// The whole command-line assembly: exactly one "-cp" or the run refused,
// and no password in clear in the log, not even a part of one.

#include "fuzz/fuzz_support.h"
#include "jvm/launch_findings.h"
#include "report/redactor.h"

namespace {

const std::string kMarker = "Dautologin.pwd=";

// Every password value reads xxxx, up to a blank, the end of the line or
// the quote that closes the argument it began in.
bool Masked(const std::string& text) {
  for (size_t hit = text.find(kMarker); hit != std::string::npos;
       hit = text.find(kMarker, hit + 1)) {
    size_t value = hit + kMarker.size();
    if (text.compare(value, 4, "xxxx") != 0) return false;
    bool ends = value + 4 == text.size() ||
                std::string(" \r\n\"").find(text[value + 4]) != std::string::npos;
    if (!ends) return false;
  }
  return true;
}

// Ends every password below and stands nowhere else.
const char kSentinel = '\x01';

std::string Line(const std::string& text, size_t number) {
  size_t from = 0;
  for (size_t i = 0; i < number && from != std::string::npos; ++i) {
    from = text.find('\n', from);
    if (from != std::string::npos) ++from;
  }
  return from == std::string::npos ? std::string()
                                   : text.substr(from, text.find('\n', from) - from);
}

// A quoted password, blanks and all, between any texts without quotes.
void CheckQuotedPassword(const std::string& input) {
  std::string text = Without(input, std::string("\"") + kSentinel);
  std::string line =
      Line(text, 0) + " -Dautologin.pwd=\"" + Line(text, 1) + kSentinel + "\" " + Line(text, 2);
  Check(Redacted(line, Secrets()).find(kSentinel) == std::string::npos,
        "a quoted password is masked whole");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  std::string input = Text(data, size);
  Check(Masked(Redacted(input, Secrets())), "a masked text holds no password");
  CheckQuotedPassword(input);
  Settings settings = InitialSettings();
  std::string cleaned = Without(input, std::string(1, kSentinel));
  for (const auto& entry : SettingsFromText(cleaned).entries) {
    settings.Set(entry.first, entry.second);
  }
  // As the start-up sequence stores it and hands it to the sinks; Java gets
  // it as it is.
  settings.Set("Dautologin.pwd", settings.Get("Dautologin.pwd") + kSentinel);
  Secrets secrets = KnowSecrets(settings.secrets);
  LaunchInputs inputs;
  inputs.classpath = PrepareClasspath(settings);
  inputs.startValue = settings.Get("QV");
  for (bool is64Bit : {true, false}) {
    StartFuzzRun();
    Log().SetSecrets(secrets);
    JavaAttempt attempt;
    attempt.is64Bit = is64Bit;
    attempt.choice.home = "C:\\Java";
    BuildJavaCommandLine(attempt.choice.home, is64Bit, settings, inputs, &attempt);
    attempt.launchFindings = ReadLaunchFindings(attempt);
    LogJavaAttempt(attempt);
    const std::string& commandLine = attempt.commandLine;
    Check(Redacted(StartRefusal(attempt), secrets).find(kSentinel) == std::string::npos,
          "no refusal shows a part of the password");
    for (const LaunchFinding& finding : attempt.launchFindings) {
      Check(Redacted(finding.text, secrets).find(kSentinel) == std::string::npos,
            "no finding shows a part of the password");
    }
    if (attempt.stop) {
      Check(attempt.stop->exitCode == 1 && !attempt.stop->report.empty(), "a refusal is reported");
    } else {
      Check(CountClasspathOptions(commandLine) == 1, "exactly one -cp");
      Check(commandLine.compare(0, 22, "C:\\Java\\bin\\javaw.exe ") == 0, "javaw.exe comes first");
      std::string log = FuzzLog();
      size_t lineStart = log.rfind("\r\n", log.size() - 3) + 2;
      std::string logged = log.substr(lineStart, log.size() - 2 - lineStart);
      Check(Masked(logged), "the logged command line holds no password");
      Check(logged.find(kSentinel) == std::string::npos, "no part of the password is logged");
    }
  }
  return 0;
}
