#pragma once

#define KIV_VERSION_TEXT "5.1.0.35"
#define KIV_VERSION_NUMBERS 5, 1, 0, 35

constexpr const char kVersion[] = KIV_VERSION_TEXT;
