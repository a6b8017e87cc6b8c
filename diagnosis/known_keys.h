#pragma once

#include <string>

// The keys the launcher reads, as a check run needs to know them to spot
// keys and parameters that nothing reads.

// Read with a start-key variant (START.key wins over key).
bool TakesStartKeyVariant(const std::string& key);
// Read from the properties files, start-key variants and pattern keys
// (jvm.parameter.*, Dkiv.*, java64.host.*, java.host.*) and start entries
// (keys without a lower-case letter) included.
bool IsKnownFileKey(const std::string& key);
// Acts only when given on the command line.
bool IsCommandLineOnlyKey(const std::string& key);
// Read from the command line: the keys copied into the settings and the
// command-line-only ones.
bool IsKnownCommandLineKey(const std::string& key);
// The known key closest to a likely typo, empty when none is close.
std::string ClosestKnownKey(const std::string& key);

// START.key split at its first dot when START has no lower-case letter;
// false for a key without such a prefix.
bool SplitStartKeyPrefix(const std::string& key, std::string* prefix, std::string* rest);
