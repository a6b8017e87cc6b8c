// The shipped exe's global operator new. The C++ library's own raises
// std::bad_alloc, which would link the whole exception machinery into an
// exe built without exceptions; this one ends the run with the
// new-handler's report instead (launcher.cpp).

#include <cstdlib>
#include <new>

extern "C" [[noreturn]] void EndOutOfMemory();

void* operator new(std::size_t size) {
  if (void* memory = std::malloc(size ? size : 1)) return memory;
  EndOutOfMemory();
}
