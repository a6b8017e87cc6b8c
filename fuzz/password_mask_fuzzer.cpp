// The redaction of arbitrary text: a known password that follows a
// password option, in any of its spellings, never survives, not even a
// piece of it, whatever text stands around it and whatever it holds; nor
// does one stored in quotes that Java prints without them.

#include "fuzz/fuzz_support.h"
#include "report/redactor.h"

namespace {

// Begins and ends every password below and stands nowhere else: when
// neither end survives, nothing between them does, as masking replaces
// one run of bytes.
const char kSentinel = '\x01';

const char* const kOptions[] = {
    "-Dautologin.pwd=", "ABC.Dautologin.pwd=", "dautologin.pwd=", "-DAUTOLOGIN.PWD="};

const unsigned char kTabBefore = 4;
const unsigned char kStoredInQuotes = 8;

}  // namespace

// The first byte picks the option, whether a tab glues it to the text
// before (-start=abc<TAB>-Dautologin.pwd=...), and whether the password is
// stored in quotes with a blank ("PWA PWB") and shown as Java prints it,
// without them; the next two cut the rest into the text before, the
// password and the text after.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  if (size < 3) return 0;
  bool quoted = data[0] & kStoredInQuotes;
  std::string rest = Without(Text(data + 3, size - 3), quoted ? "\x01\"\\" : "\x01");
  size_t before = data[1] % (rest.size() + 1);
  size_t length = data[2] % (rest.size() - before + 1);
  std::string password = kSentinel + rest.substr(before, length) + (quoted ? " " : "") + kSentinel;
  std::string text = rest.substr(0, before) + (data[0] & kTabBefore ? "\t" : "") +
                     kOptions[data[0] % 4] + password + rest.substr(before + length);
  Check(Redacted(text, KnowSecrets({quoted ? "\"" + password + "\"" : password})).find(kSentinel) ==
            std::string::npos,
        "a known password is masked whole");
  return 0;
}
