#pragma once

// Both real platforms read and write files and pipes through the C runtime's
// streams (c_runtime.cpp); each opens them its own way.

#include <cstdio>
#include <string>

#include "platform/platform.h"

namespace platform {

struct Stream {
  std::FILE* stream;
};
struct InputFile : Stream {};
struct OutputFile : Stream {};
struct Pipe : Stream {};

// fopen with a mode that keeps the stream from every child; nullptr on
// failure, with the reason where asked for.
std::FILE* OpenStream(const std::string& path, const std::string& mode, SystemError* failure);

}  // namespace platform
