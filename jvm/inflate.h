#pragma once

#include <string>

// A raw deflate stream, as a ZIP entry holds it; false when it is damaged
// or would inflate to more than maxBytes.
bool Inflate(const std::string& stream, size_t maxBytes, std::string* out);
