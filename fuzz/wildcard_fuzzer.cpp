// MatchWildcard answers as the plain recursive definition does.

#include <map>
#include <utility>

#include "fuzz/fuzz_support.h"
#include "jvm/java_selection.h"

namespace {

using Memo = std::map<std::pair<size_t, size_t>, bool>;

bool Reference(const std::string& p, const std::string& t, size_t i, size_t j, Memo& memo) {
  auto known = memo.find({i, j});
  if (known != memo.end()) return known->second;
  bool result;
  if (i == p.size()) {
    result = j == t.size();
  } else if (p[i] == '*') {
    result = false;
    for (size_t k = j; k <= t.size() && !result; ++k) result = Reference(p, t, i + 1, k, memo);
  } else {
    result = j < t.size() && (p[i] == '?' || p[i] == t[j]) && Reference(p, t, i + 1, j + 1, memo);
  }
  return memo[{i, j}] = result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  std::string input = Text(data, size);
  size_t split = input.find('\n');
  if (split == std::string::npos) return 0;
  std::string pattern = input.substr(0, split);
  std::string text = input.substr(split + 1);
  Memo memo;
  Check(MatchWildcard(pattern, text, 0, 0) == Reference(pattern, text, 0, 0, memo),
        "same answer as the recursive definition");
  Check(MatchWildcard(pattern + "*", pattern, 0, 0) || pattern.find('?') != std::string::npos,
        "a pattern without ? followed by a star matches itself");
  return 0;
}
