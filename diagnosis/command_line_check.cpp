#include "diagnosis/sections.h"
#include "platform/platform.h"
#include "report/command_line_limit.h"
#include "report/launch_log.h"
#include "report/password_mask.h"
#include "settings/start_key.h"
#include "settings/text.h"

namespace {

// Keys whose value reaches Java as one piece, with the text put before it.
const char* const kOnePieceKeys[][2] = {
    {"Dclientname", "-Dclientname="},
    {"splash", "-splash:"},
    {"Dautologin.user", "-Dautologin.user="},
    {"Dautologin.pwd", "-Dautologin.pwd="},
    {"DKivLaunchService.version", "-DKivLaunchService.version="}};
const char* const kOnePieceVariantKeys[][2] = {{"MinHeapFreeRatio", "-XX:MinHeapFreeRatio="},
                                               {"MaxHeapFreeRatio", "-XX:MaxHeapFreeRatio="}};

bool HasUnquotedBlank(const std::string& text) {
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (c == ' ' && !quoted) return true;
  }
  return false;
}

void CheckPiece(const Settings& settings, const std::string& key, const std::string& before,
                const std::string& value, Findings& findings) {
  if (!HasUnquotedBlank(value)) return;
  Warn(findings, key + OriginOf(settings, key) + ": \"" + before + ShownValue(key, value) +
                     "\" wird an der Leerstelle geteilt, Anf\xFChrungszeichen fehlen");
}

bool IsJvmParameterPiece(const std::string& key, const std::string& startKey) {
  return StartsWith(key, "jvm.parameter.") || StartsWith(key, startKey + ".jvm.parameter.");
}

void CheckSplitPieces(const Settings& settings, Findings& findings) {
  for (const auto& piece : kOnePieceKeys) {
    CheckPiece(settings, piece[0], piece[1], settings.Get(piece[0]), findings);
  }
  for (const auto& piece : kOnePieceVariantKeys) {
    std::string key = EffectiveKey(settings, piece[0]);
    CheckPiece(settings, key, piece[1], settings.Get(key), findings);
  }
  std::string startKey = StartKey(settings);
  for (const auto& [key, value] : settings.entries) {
    if (StartsWith(key, "Dkiv.")) CheckPiece(settings, key, "-" + key + "=", value, findings);
    if (IsJvmParameterPiece(key, startKey)) CheckPiece(settings, key, "", value, findings);
  }
}

void CheckLength(const JavaAttempt& attempt, Findings& findings) {
  size_t length = attempt.commandLine.size();
  Log().WriteLine("L\xE4nge: " + std::to_string(length) + " von h\xF6" + "chstens " +
                  std::to_string(platform::kMaxCommandLineLength) + " Zeichen (mit abschlie\xDF" +
                  "endem Nullzeichen)");
  if (attempt.refusal.empty()) return;
  // The start's own report, and what shortens a class path most.
  std::string remedy = ExceedsCommandLineLimit(attempt.commandLine)
                           ? "\nAbhilfe: alle Jars eines Ordners als ein Eintrag ORDNER\\* in "
                             "den Klassenpfad, etwa lib\\*"
                           : "";
  Fail(findings, "Die Java-Kommandozeile f\xFCr " + BitsText(attempt.is64Bit) +
                     " kann nicht gestartet werden: " + attempt.refusal + remedy);
}

}  // namespace

void CheckJavaCommandLine(const CheckRun& check, Findings& findings) {
  LogSubsection("Java-Kommandozeile");
  if (check.reached.empty()) Log().WriteLine("Es wurde keine Java-Kommandozeile gebildet");
  for (const JavaAttempt* attempt : check.reached) {
    Log().WriteLine(BitsText(attempt->is64Bit) + ": " + MaskPassword(attempt->commandLine));
    CheckLength(*attempt, findings);
  }
  CheckSplitPieces(check.plan->settings, findings);
}
