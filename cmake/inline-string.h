// Force-included into the shipped exe's sources (CMakePresets.json, preset
// windows). The C++ library's prebuilt std::string members were compiled
// with exceptions: linking them brings the unwinder, its tables and the
// exception machinery into an exe that never throws, a third of its size.
// The library's own mode for basic_string's checked build (-1) makes every
// translation unit instantiate the members it uses instead, without
// exceptions; every other template stays as the library declares it.
#include <bits/c++config.h>
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE -1
