#include "jvm/java_command_line.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "jvm/class_archive.h"
#include "jvm/heap_size.h"
#include "jvm/jvm_parameters.h"
#include "report/command_line_limit.h"
#include "report/error_report.h"
#include "report/launch_log.h"
#include "report/password_mask.h"
#include "settings/start_key.h"
#include "settings/text.h"

namespace {

std::string WithoutQuotes(const std::string& text) { return ReplaceWithBlank(text, "\""); }

// " -name=value " when the value is not empty.
std::string SpacedOption(const std::string& name, const std::string& value) {
  return value.empty() ? std::string() : " -" + name + "=" + value + " ";
}

std::string SystemProperties(const Settings& settings) {
  std::string text;
  if (settings.IsTrue("swing.noxp")) text += " -Dswing.noxp=true";
  if (settings.GetForStartKey("sun.java2d.d3d") == "false") text += " -Dsun.java2d.d3d=false";
  std::string clientName = settings.Get("Dclientname");
  if (!clientName.empty()) text += " -Dclientname=" + clientName;
  std::string splash = settings.Get("splash");
  if (!settings.IsTrue("nosplash") && !splash.empty()) text += " -splash:" + splash;
  return text;
}

std::string MemoryOptions(bool is64Bit, const Settings& settings) {
  std::string text = " -Xms" + NormalizeHeapSize("memory.initial", is64Bit,
                                                 settings.GetForStartKey("memory.initial"));
  text += " -Xmx" +
          NormalizeHeapSize("memory.maximum", is64Bit, settings.GetForStartKey("memory.maximum"));
  text += SpacedOption("XX:MinHeapFreeRatio", settings.GetForStartKey("MinHeapFreeRatio"));
  text += SpacedOption("XX:MaxHeapFreeRatio", settings.GetForStartKey("MaxHeapFreeRatio"));
  return text;
}

std::string ForwardedProperties(const Settings& settings) {
  std::string text = SpacedOption("Dautologin.user", settings.Get("Dautologin.user"));
  text += SpacedOption("Dautologin.pwd", settings.Get("Dautologin.pwd"));
  text += SpacedOption("DKivLaunchService.version", settings.Get("DKivLaunchService.version"));
  for (const auto& [key, value] : settings.entries) {
    if (StartsWith(key, "Dkiv.")) text += " -" + key + "=" + value + " ";
  }
  return text;
}

std::string ClasspathPrepend(bool is64Bit, const Settings& settings) {
  return WithoutQuotes(
      settings.GetForStartKey(is64Bit ? "classpath.prepend64" : "classpath.prepend32"));
}

std::string ClasspathOption(bool is64Bit, const Settings& settings, const Classpath& classpath) {
  std::string prepend = ClasspathPrepend(is64Bit, settings);
  if (!prepend.empty()) Log().WriteLine("Erweitere Classpath um: " + prepend);
  return " -cp \"" + ClasspathText(is64Bit, settings, classpath) + "\"";
}

std::string Spaced(const std::string& text) { return text.empty() ? text : " " + text + " "; }

// "Classpath 39012 Zeichen, JVM-Parameter 41 Zeichen, ...", longest first.
std::string LongestPieces(const Settings& settings, const LaunchInputs& inputs) {
  const Classpath& classpath = inputs.classpath;
  std::vector<std::pair<size_t, std::string>> pieces = {
      {classpath.classpathDefault.size() + classpath.classpathHelp.size() +
           classpath.classpathExtra.size(),
       "Classpath"},
      {BuildJvmParameters(settings).size(), "JVM-Parameter"},
      {inputs.startValue.size(), "Startparameter"},
      {inputs.readParameters.size(), "Zusatzparameter read"},
      {inputs.readAppParameters.size(), "Zusatzparameter read_app"},
  };
  std::stable_sort(pieces.begin(), pieces.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::string text;
  for (size_t i = 0; i < 3 && pieces[i].first > 0; ++i) {
    text +=
        (i > 0 ? ", " : "") + pieces[i].second + " " + std::to_string(pieces[i].first) + " Zeichen";
  }
  return text;
}

}  // namespace

std::string JavaProgram(const std::string& javaHome) { return javaHome + "\\bin\\javaw.exe"; }

std::string ClasspathText(bool is64Bit, const Settings& settings, const Classpath& classpath) {
  std::string prepend = ClasspathPrepend(is64Bit, settings);
  std::string text = prepend.empty() ? prepend : prepend + ";";
  text += classpath.classpathDefault;
  if (!classpath.classpathHelp.empty()) text += ";" + classpath.classpathHelp;
  if (!classpath.classpathExtra.empty()) text += ";" + classpath.classpathExtra;
  return text;
}

Classpath PrepareClasspath(const Settings& settings) {
  Classpath classpath;
  classpath.classpathDefault =
      ReplaceWithBlank(WithoutQuotes(settings.GetForStartKey("classpath.default")), "-cp");
  classpath.classpathHelp = WithoutQuotes(settings.GetForStartKey("classpath.help"));
  classpath.classpathExtra = WithoutQuotes(settings.GetForStartKey("classpath.extra"));
  return classpath;
}

std::string CommandLineLengthReport(const std::string& commandLine, const Settings& settings,
                                    const LaunchInputs& inputs) {
  return CommandLineLimitText(commandLine) + "\nK\xFCrzel: " + StartKey(settings) +
         ", die l\xE4ngsten Teile: " + LongestPieces(settings, inputs);
}

int CountClasspathOptions(const std::string& commandLine) {
  int count = 0;
  for (size_t hit = commandLine.find("-cp"); hit != std::string::npos;
       hit = commandLine.find("-cp", hit + 1)) {
    ++count;
  }
  return count;
}

RunEnd CheckClasspathOptionCount(const std::string& commandLine) {
  int count = CountClasspathOptions(commandLine);
  if (count <= 1) return std::nullopt;
  Log().WriteLine("Anzahl von '-cp' eintr\xC3\xA4gen in Kommandozeile: " + std::to_string(count));
  ReportError(
      "Achtung: -cp wurde in der Kommandozeile mehrmals gefunden. Bitte die custom.properties "
      "pr\xC3\xBC"
      "fen! \n");
  return kExitFailure;
}

RunEnd BuildJavaCommandLine(const std::string& javaHome, bool is64Bit, const Settings& settings,
                            const LaunchInputs& inputs, std::string* commandLine) {
  std::string line = QuotedProgramPath(JavaProgram(javaHome));
  line += SystemProperties(settings);
  line += " " + BuildJvmParameters(settings);
  line += MemoryOptions(is64Bit, settings);
  line +=
      PrepareClassArchive(javaHome, ClasspathText(is64Bit, settings, inputs.classpath), settings);
  line += Spaced(inputs.readParameters);
  line += ForwardedProperties(settings);
  line += ClasspathOption(is64Bit, settings, inputs.classpath);
  line += " " + inputs.startValue;
  line += Spaced(inputs.readAppParameters);
  if (RunEnd end = CheckClasspathOptionCount(line)) return end;
  Log().WriteLine("JVM wird gestartet am " + CurrentTimeText());
  Log().WriteLine(MaskPassword(line));
  *commandLine = line;
  return std::nullopt;
}
