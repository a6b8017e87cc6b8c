#include "jvm/jvm_parameters.h"

#include <algorithm>
#include <map>

#include "settings/keys.h"
#include "settings/text.h"

namespace {

const char* const kDefaultJvmParameters[] = {"-Djava.util.Arrays.useLegacyMergeSort=true"};

// Each suffix's value, with the key that gave it.
std::map<std::string, MeantPiece> CollectJvmParameterMap(const Settings& settings) {
  std::string startPrefix =
      ToUpper(settings.Get(keyname::kStart)) + "." + keyname::kJvmParameterFamily;
  std::map<std::string, MeantPiece> bySuffix;
  for (const auto& [key, value] : settings.entries) {
    if (StartsWith(key, startPrefix)) {
      bySuffix[key.substr(startPrefix.size())] = Meant(settings, key, value);
    } else if (StartsWith(key, keyname::kJvmParameterFamily)) {
      bySuffix.emplace(key.substr(std::char_traits<char>::length(keyname::kJvmParameterFamily)),
                       Meant(settings, key, value));
    }
  }
  return bySuffix;
}

std::string Join(const std::vector<std::string>& tokens, char delimiter) {
  std::string joined;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (i > 0) joined += delimiter;
    joined += tokens[i];
  }
  return joined;
}

}  // namespace

std::vector<std::string> SplitString(const std::string& text, char delimiter) {
  std::vector<std::string> tokens;
  size_t from = 0;
  for (size_t hit = text.find(delimiter); hit != std::string::npos;
       hit = text.find(delimiter, from)) {
    tokens.push_back(text.substr(from, hit - from));
    from = hit + 1;
  }
  if (from < text.size()) tokens.push_back(text.substr(from));
  return tokens;
}

std::string BuildJvmParameters(const Settings& settings, std::vector<MeantPiece>* pieces,
                               size_t begin) {
  std::string plain = settings.GetForStartKey(keyname::kJvmParameter);
  std::vector<std::string> tokens = SplitString(plain, ' ');
  // Each token is joined with one blank before the next.
  size_t next = begin + plain.size() + (plain.empty() || plain.back() == ' ' ? 0 : 1);
  for (const auto& [suffix, piece] : CollectJvmParameterMap(settings)) {
    tokens.push_back(piece.text);
    if (pieces && !piece.text.empty())
      pieces->push_back({piece.key, piece.text, next, piece.origin});
    next += piece.text.size() + 1;
  }
  for (const char* parameter : kDefaultJvmParameters) {
    if (std::find(tokens.begin(), tokens.end(), parameter) == tokens.end()) {
      tokens.push_back(parameter);
    }
  }
  return Join(tokens, ' ');
}
