# Cross-compiles the 32-bit Windows launcher with MinGW-w64; tests run under Wine.
# KIV_MINGW_THREADS picks the compiler's thread model: win32 (the product:
# nothing of winpthread is linked in, the exe is smaller) or posix (what
# GoogleTest needs for std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

if(NOT KIV_MINGW_THREADS)
  set(KIV_MINGW_THREADS win32)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KIV_MINGW_THREADS)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-${KIV_MINGW_THREADS})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${KIV_MINGW_THREADS})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
