#include "report/command_line_limit.h"

#include "platform/platform.h"

// The limit counts the terminating null character.
bool ExceedsCommandLineLimit(const std::string& commandLine) {
  return commandLine.size() + 1 > platform::kMaxCommandLineLength;
}

std::string CommandLineLimitText(const std::string& commandLine) {
  return "Die Kommandozeile ist " + std::to_string(commandLine.size()) +
         " Zeichen lang, Windows erlaubt h\xF6"
         "chstens " +
         std::to_string(platform::kMaxCommandLineLength) +
         " Zeichen (einschlie\xDF"
         "lich des Endezeichens).";
}
