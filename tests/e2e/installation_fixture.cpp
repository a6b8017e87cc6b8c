#include "tests/e2e/installation_fixture.h"

#include <filesystem>

namespace e2e {

const char kLaunchProperties[] =
    "classpath.default=lib\\app.jar;lib\\util.jar\n"
    "java64=jre64\n"
    "ABC=-Dapp=abc app.Main\n"
    "QV=-Dapp=qv app.Main\n";
const char kCustomLaunchProperties[] = "memory.maximum=512M\n";

void StandardInstallation::SetUp() {
  app.AddLauncher();
  app.MakeDirectory("lib");
  app.Write("launch.properties", kLaunchProperties);
  app.Write("customlaunch.properties", kCustomLaunchProperties);
  app.AddJava("jre64");
}

std::string LogStart(const std::string& tail) {
  return "$Id: launcher, v5.1.0.35 built <BUILD>$\n"
         "KivLauncher wird gestartet am <TIME>\n"
         "\n"
         "===== Arbeitsverzeichnis =====\n"
         "Arbeitsverzeichnis beim Start: <DIR>\n"
         "launcher.cwd=false -> Das Arbeitsverzeichnis wurde nicht automatisch gewechselt.\n"
         "\n"
         "===== Kommandozeilenparameter =====\n" +
         tail +
         "\n"
         "\n"
         "===== Kommandozeilenparameter auswerten =====\n";
}

std::string NoHandOver() {
  return "\n"
         "===== Verteilte Installation =====\n"
         "Der Ordner lib wurde gefunden. -> Keine verteilte Installation!\n";
}

std::string FileSection(const std::string& name, const std::string& path,
                        const std::vector<std::string>& loggedLines) {
  std::string section = "\n===== " + name + " einlesen =====\nDie Datei " + path +
                        " wurde ge\xF6"
                        "ffnet.\n";
  for (const std::string& line : loggedLines) section += line + "\n";
  return section;
}

std::string StandardPropertiesLog() {
  return StandardLaunchPropertiesLog() +
         FileSection("customlaunch.properties", "customlaunch.properties",
                     {"memory.maximum=512M // FOUND: \"memory.maximum\"=\"512M\"", ""});
}

std::string StandardLaunchPropertiesLog() {
  return FileSection("launch.properties", "launch.properties",
                     {"classpath.default=lib\\app.jar;lib\\util.jar // FOUND: "
                      "\"classpath.default\"=\"lib\\app.jar;lib\\util.jar\"",
                      "java64=jre64 // FOUND: \"java64\"=\"jre64\"",
                      "ABC=-Dapp=abc app.Main // FOUND: \"ABC\"=\"-Dapp=abc app.Main\"",
                      "QV=-Dapp=qv app.Main // FOUND: \"QV\"=\"-Dapp=qv app.Main\"", ""});
}

namespace {

std::string AdditionalGroup(const std::string& name, const std::string& escaped) {
  std::string group = "\n===== Zusatzparameter mit -" + name + " =====\n";
  if (escaped.empty()) return group + "NO ADDITIONAL PARAMETERS\n";
  std::string decoded;
  for (size_t i = 0; i < escaped.size(); ++i) {
    if (escaped.compare(i, 3, "+++") == 0) {
      decoded += ' ';
      i += 2;
    } else {
      decoded += escaped[i];
    }
  }
  return group + "ADDITIONAL escpd LINE: " + escaped + "\nADDITIONAL PARAMETERS:" + decoded + "\n";
}

}  // namespace

std::string AdditionalParameters(const std::string& read, const std::string& readApp) {
  return AdditionalGroup("read", read) + AdditionalGroup("read_app", readApp);
}

std::map<std::string, std::string> StandardSettings(
    const std::map<std::string, std::string>& changes) {
  std::map<std::string, std::string> settings = {
      {"ABC", "-Dapp=abc app.Main"},
      {"QV", "-Dapp=qv app.Main"},
      {"classpath.default", "lib\\app.jar;lib\\util.jar"},
      {"java64", "jre64"},
      {"launcher.ignore_inwartung", "false"},
      {"launcher.keep", "false"},
      {"launcher.keep_and_kill", "false"},
      {"launcher.service", "false"},
      {"memory.initial", "32M"},
      {"memory.maximum", "512M"},
      {"start", "QV"},
      {"sun.java2d.d3d", "true"},
      {"swing.noxp", "false"}};
  for (const auto& [key, value] : changes) {
    if (value.empty()) {
      settings.erase(key);
    } else {
      settings[key] = value;
    }
  }
  return settings;
}

std::string Listing(const std::map<std::string, std::string>& settings) {
  std::string listing = "\n===== Liste aller Einstellungen =====\n";
  for (const auto& [key, value] : settings) {
    if (key.compare(0, 11, "Dautologin.") != 0) listing += key + " = " + value + "\n";
  }
  return listing;
}

std::string MaintenanceCheck(const std::string& line) {
  return "\n===== InWartung.txt pr\xFC"
         "fen =====\n" +
         line + "\n";
}

std::string Java64Start(const std::string& key, const std::string& startValue,
                        const std::string& middle) {
  return "\n"
         "===== Starten der javaw.exe =====\n"
         "Gestartet wird K\xFCrzel: '" +
         key + "' mit Parameter: lib\\app.jar;lib\\util.jar   " + startValue +
         "\n"
         "Java wird ermittelt f\xFCr Computer \"<HOST>\" mit 64 Bit: java64=jre64\n"
         "JVM wird gestartet am <TIME>\n"
         "\n"
         "jre64\\bin\\javaw.exe -Djava.util.Arrays.useLegacyMergeSort=true -Xms32M -Xmx512M" +
         middle + " -cp \"lib\\app.jar;lib\\util.jar\" " + startValue + "\n";
}

std::string Report(const std::string& text) {
  return "=== Messagebox Start ===\n" + text + "\n=== Messagebox Ende ===\n";
}

std::vector<std::string> LogFiles(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    if (name.compare(0, 9, "KivLaunch") == 0 && name.size() > 4 &&
        name.compare(name.size() - 4, 4, ".log") == 0) {
      names.push_back(name);
    }
  }
  return names;
}

std::string StandardRunUntilStart(const std::string& tail,
                                  const std::map<std::string, std::string>& changes) {
  return LogStart(tail) + NoHandOver() + StandardPropertiesLog() + AdditionalParameters("", "") +
         Listing(StandardSettings(changes)) + MaintenanceCheck();
}

}  // namespace e2e
