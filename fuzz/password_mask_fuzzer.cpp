// The masking of arbitrary text: a remembered password that follows a
// password option, in any of its spellings, never survives, not even a
// piece of it, whatever text stands around it and whatever it holds.

#include "fuzz/fuzz_support.h"
#include "report/password_mask.h"

namespace {

// Begins and ends every password below and stands nowhere else: when
// neither end survives, nothing between them does, as masking replaces
// one run of bytes.
const char kSentinel = '\x01';

const char* const kOptions[] = {
    "-Dautologin.pwd=", "ABC.Dautologin.pwd=", "dautologin.pwd=", "-DAUTOLOGIN.PWD="};

}  // namespace

// The first byte picks the option, the next two cut the rest into the text
// before, the password and the text after.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  if (size < 3) return 0;
  std::string rest = Without(Text(data + 3, size - 3), std::string(1, kSentinel));
  size_t before = data[1] % (rest.size() + 1);
  size_t length = data[2] % (rest.size() - before + 1);
  std::string password = kSentinel + rest.substr(before, length) + kSentinel;
  std::string text =
      rest.substr(0, before) + kOptions[data[0] % 4] + password + rest.substr(before + length);
  ForgetPasswords();
  RememberPassword(password);
  Check(MaskPassword(text).find(kSentinel) == std::string::npos,
        "a remembered password is masked whole");
  Check(MaskPasswordInLines(text).find(kSentinel) == std::string::npos,
        "a remembered password is masked whole in every line");
  ForgetPasswords();
  return 0;
}
