#include "tests/e2e/installation_fixture.h"

namespace e2e {

std::string StandardLogStart(const std::string& tail) {
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

std::string StandardPropertiesLog() {
  return "\n"
         "===== launch.properties einlesen =====\n"
         "Die Datei launch.properties wurde ge\xF6"
         "ffnet.\n"
         "classpath.default=lib\\app.jar;lib\\util.jar // FOUND: "
         "\"classpath.default\"=\"lib\\app.jar;lib\\util.jar\"\n"
         "java64=jre64 // FOUND: \"java64\"=\"jre64\"\n"
         "ABC=-Dapp=abc app.Main // FOUND: \"ABC\"=\"-Dapp=abc app.Main\"\n"
         "QV=-Dapp=qv app.Main // FOUND: \"QV\"=\"-Dapp=qv app.Main\"\n"
         "\n"
         "\n"
         "===== customlaunch.properties einlesen =====\n"
         "Die Datei customlaunch.properties wurde ge\xF6"
         "ffnet.\n"
         "memory.maximum=512M // FOUND: \"memory.maximum\"=\"512M\"\n"
         "\n";
}

}  // namespace e2e
