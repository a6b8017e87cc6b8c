#pragma once

#include <string>

#include "settings/keys.h"

// What a check run adds to the registry's knowledge of keys to spot keys
// and parameters that nothing reads.

// The known key closest to a likely typo, empty when none is close.
std::string ClosestKnownKey(const std::string& key);
