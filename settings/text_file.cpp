#include "settings/text_file.h"

#include "platform/platform.h"
#include "report/launch_log.h"
#include "settings/text.h"

namespace {

const size_t kPieceBytes = 65536;
const std::string kLineEnds("\r\n\x1a", 3);
const std::string kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

TextFile::TextFile(const std::string& path) : file_(platform::OpenInputFile(path, &openFailure_)) {
  if (!file_) return;
  while (piece_.size() < kUtf8Mark.size() && ReadMore()) {
  }
  if (StartsWith(piece_, kUtf8Mark)) position_ = kUtf8Mark.size();
  utf16_ = StartsWith(piece_, "\xFF\xFE") || StartsWith(piece_, "\xFE\xFF");
}

bool TextFile::ReadMore() {
  if (ended_) return false;
  piece_.erase(0, position_);
  position_ = 0;
  size_t kept = piece_.size();
  piece_.resize(kept + kPieceBytes);
  size_t got = platform::ReadInputFile(*file_, &piece_[kept], kPieceBytes);
  piece_.resize(kept + got);
  ended_ = got == 0;
  return !ended_;
}

// A CR ends a line by itself too, as old editors and some export tools end
// theirs; the LF of a CR LF is skipped when the next line begins, so that it
// may lie in the next piece.
bool TextFile::ReadLine(std::string* line) {
  if (!file_ || lastLineTaken_) return false;
  line->clear();
  for (;;) {
    if (afterCarriageReturn_ && position_ < piece_.size()) {
      if (piece_[position_] == '\n') ++position_;
      afterCarriageReturn_ = false;
    }
    size_t end = piece_.find_first_of(kLineEnds, position_);
    if (end == std::string::npos) {
      line->append(piece_, position_, std::string::npos);
      position_ = piece_.size();
      if (ReadMore()) continue;
      break;
    }
    line->append(piece_, position_, end - position_);
    position_ = end + 1;
    if (piece_[end] == '\x1a') {
      ended_ = true;
      break;
    }
    afterCarriageReturn_ = piece_[end] == '\r';
    return true;
  }
  lastLineTaken_ = true;
  return true;
}

std::string Utf16Text(const std::string& path) {
  return "Die Datei " + path +
         " ist im Format UTF-16 gespeichert und kann nicht gelesen werden. Bitte im Format ANSI "
         "(Windows-1252) oder UTF-8 speichern.";
}

std::string Utf8Text(const std::string& path) {
  return "Die Datei " + path +
         " ist im Format UTF-8 gespeichert und wird beim Lesen in Windows-1252 umgewandelt.";
}

void LogIfUtf16(const TextFile& file, const std::string& path) {
  if (file.IsUtf16()) Log().WriteLine(Utf16Text(path));
}
