#include "settings/text_file.h"

#include "platform/platform.h"

std::vector<std::string> SplitTextLines(const std::string& content) {
  std::vector<std::string> lines(1);
  size_t end = content.find('\x1a');
  if (end == std::string::npos) end = content.size();
  for (size_t i = 0; i < end; ++i) {
    char c = content[i];
    if (c == '\n') {
      lines.emplace_back();
    } else if (c == '\r' && i + 1 < end && content[i + 1] == '\n') {
      continue;
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

bool ReadTextLines(const std::string& path, std::vector<std::string>* lines) {
  std::string content;
  if (!platform::ReadFile(path, &content)) return false;
  *lines = SplitTextLines(content);
  return true;
}
