#include "platform/c_runtime.h"

#include <cstdlib>

namespace platform {

namespace {

template <typename Opened>
void Close(Opened* opened) {
  std::fclose(opened->stream);
  delete opened;
}

}  // namespace

void Closer::operator()(InputFile* file) const { Close(file); }
void Closer::operator()(OutputFile* file) const { Close(file); }
void Closer::operator()(Pipe* pipe) const { Close(pipe); }

Owned<InputFile> OpenInputFile(const std::string& path, SystemError* failure) {
  std::FILE* stream = OpenStream(path, "rb", failure);
  return Owned<InputFile>(stream ? new InputFile{{stream}} : nullptr);
}

size_t ReadInputFile(InputFile& file, char* buffer, size_t maxBytes) {
  return std::fread(buffer, 1, maxBytes, file.stream);
}

// Through stdio: iostreams would add their start-up to every run.
bool ReadFileStart(const std::string& path, size_t count, std::string* content) {
  Owned<InputFile> file = OpenInputFile(path);
  if (!file) return false;
  content->assign(count, '\0');
  content->resize(ReadInputFile(*file, &(*content)[0], count));
  return true;
}

bool FileCanBeOpened(const std::string& path) { return OpenInputFile(path) != nullptr; }

Owned<OutputFile> CreateOutputFile(const std::string& path, bool append, SystemError* failure) {
  std::FILE* stream = OpenStream(path, append ? "ab" : "wb", failure);
  return Owned<OutputFile>(stream ? new OutputFile{{stream}} : nullptr);
}

bool WriteOutputFile(OutputFile& file, const std::string& bytes) {
  size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file.stream);
  return std::fflush(file.stream) == 0 && written == bytes.size();
}

void WriteStandardOutput(const std::string& bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fflush(stdout);
}

void WriteLastErrorLine(const std::string& text) { std::perror(text.c_str()); }

void ExitImmediately(int exitCode) { std::_Exit(exitCode); }

bool ReadPipe(Pipe& pipe, int maxBytes, std::string* text) {
  std::string buffer(static_cast<size_t>(maxBytes), '\0');
  buffer.resize(std::fread(&buffer[0], 1, buffer.size() - 1, pipe.stream));
  text->assign(buffer.c_str());
  return !text->empty();
}

}  // namespace platform
