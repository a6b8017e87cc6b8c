#pragma once

#include <optional>

// What a step that may end the run returns: nothing when the run goes on,
// otherwise the exit code to end with. Only the entry ends the process.
using RunEnd = std::optional<int>;

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
