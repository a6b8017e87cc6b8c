// Built without exceptions (CMakeLists.txt), the exe ends the run where the
// C++ library would raise one: the library's own helpers and operator new
// would link the unwinder and every exception class with its message.

#include <bits/functexcept.h>

#include <cstdlib>
#include <new>

#include "launcher/startup_sequence.h"

namespace std {

void __throw_bad_alloc() { ReportOutOfMemory(); }
void __throw_bad_array_new_length() { ReportOutOfMemory(); }
void __throw_length_error(const char*) { ReportOutOfMemory(); }
void __throw_logic_error(const char*) { EndAfterFault(); }
void __throw_invalid_argument(const char*) { EndAfterFault(); }
void __throw_out_of_range(const char*) { EndAfterFault(); }
void __throw_out_of_range_fmt(const char*, ...) { EndAfterFault(); }

}  // namespace std

void* operator new(std::size_t size) {
  if (void* memory = std::malloc(size ? size : 1)) return memory;
  ReportOutOfMemory();
}

// For the temporary buffers of std::stable_sort, which do without on failure.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size ? size : 1);
}
