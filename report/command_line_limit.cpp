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

bool HoldsZeroByte(const std::string& commandLine) {
  return commandLine.find('\0') != std::string::npos;
}

std::string ZeroByteText(const std::string& commandLine) {
  return "Die Kommandozeile enth\xE4lt nach " + std::to_string(commandLine.find('\0')) +
         " Zeichen ein Nullzeichen: Windows w\xFCrde sie dort abschneiden, Java bek\xE4me nur "
         "den Teil davor.";
}
