#include "jvm/heap_size.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "settings/text.h"

namespace {

const long long kLimit32Bit = 768LL * 1048576;
const char kReplacement[] = "768M";

// The factor of a unit letter among units, in either case: Java's "kmgt",
// the 32-bit decision's "kmg"; 0 for any other.
unsigned long long UnitFactor(char unit, const char* units) {
  unsigned long long factor = 1;
  for (; *units; ++units) {
    factor *= 1024;
    if (unit == *units || unit == *units - 'a' + 'A') return factor;
  }
  return 0;
}

}  // namespace

JavaHeapSize ReadJavaHeapSize(const std::string& text, bool maximum) {
  JavaHeapSize size;
  size_t digits = 0;
  unsigned long long number = 0;
  for (; digits < text.size() && text[digits] >= '0' && text[digits] <= '9'; ++digits) {
    unsigned digit = static_cast<unsigned>(text[digits] - '0');
    if (number > (UINT64_MAX - digit) / 10) return size;
    number = number * 10 + digit;
  }
  if (digits == 0 || digits + 1 < text.size()) return size;
  unsigned long long factor = digits < text.size() ? UnitFactor(text.back(), "kmgt") : 1;
  if (factor == 0 || number > UINT64_MAX / factor) return size;
  size.hasUnit = digits < text.size();
  size.bytes = number * factor;
  size.accepted = size.bytes > 0 || !maximum;
  return size;
}

HeapDecision DecideHeapSize(const std::string& name, bool is64Bit, const std::string& value) {
  if (is64Bit || value.empty()) return {value, std::string()};
  std::string upper = ToUpper(value);
  char unit = upper.back();
  long long factor =
      unit >= 'A' && unit <= 'Z' ? static_cast<long long>(UnitFactor(unit, "kmg")) : 1;
  std::string prefix = "Speicherparameter \"" + name + "\"";
  if (factor == 0) {
    return {kReplacement, prefix + " hat unbekannte Einheit \"" + std::string(1, unit) +
                              "\" -> Wird reduziert auf 768M wegen 32 Bit"};
  }
  // As strtol reads the number into a 32-bit long; it stops at the unit.
  long long number = std::strtol(upper.c_str(), nullptr, 10);
  long long bytes = std::clamp<long long>(number, INT32_MIN, INT32_MAX) * factor;
  bool kept = bytes >= 1 && bytes <= kLimit32Bit;
  return {kept ? value : kReplacement,
          prefix + " betraegt " + std::to_string(bytes) +
              (kept ? " Bytes -> Wird nicht reduziert, da von 32 Bit noch unterstuetzt"
                    : " Bytes -> Wird reduziert auf 768M, da von 32 Bit nicht mehr unterstuetzt")};
}
