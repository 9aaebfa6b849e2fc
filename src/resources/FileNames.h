// File-name helpers shared by every layer: names compared without regard to case on a
// case-sensitive file system, the folder of the running program, and syncing files to disk.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace qmk {

// ASCII case-insensitive comparison, the way project files and settings keys are compared.
bool equalsIgnoringCase(std::string_view a, std::string_view b);
std::string toUpperAscii(std::string_view text);
std::string toLowerAscii(std::string_view text);

// The name as it exists on disk: when `path` itself does not exist but its folder holds an
// entry equal to it ignoring case, that entry; otherwise `path` unchanged.
std::filesystem::path resolveCase(const std::filesystem::path& path);

// Folder of the running executable (empty when it cannot be found).
std::filesystem::path programFolder();

// Puts a file, or a folder's entries, on disk before it is relied on (renamed into place).
bool syncToDisk(const std::filesystem::path& path);

} // namespace qmk
