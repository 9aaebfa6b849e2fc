// Content hashes of a script and of the files it includes, kept in the project so that "up to date"
// means "the same bytes": a copy, an unpack or a checkout that changes file times, or another time
// zone, never asks for an update, and an edit that kept size and time is still noticed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qmk {

// The 64-bit content hash of a file; nothing when it cannot be read.
std::optional<std::uint64_t> fileContentHash(const std::filesystem::path& path);

// One line per file, "<16 hex digits> <name>": the script first (its name is informative only,
// a renamed script keeps its project), then every include by its name relative to the script's
// folder. Empty when the script cannot be read; an unreadable include is recorded as missing.
std::string sourceFingerprint(const std::filesystem::path& script, const std::vector<std::filesystem::path>& includes);

// Whether the files named in a stored fingerprint still hold the same bytes. A fingerprint that
// cannot be parsed never matches (the update it asks for writes a good one).
bool fingerprintMatches(std::string_view stored, const std::filesystem::path& script);

} // namespace qmk
