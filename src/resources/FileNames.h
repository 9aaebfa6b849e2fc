// File-name helpers shared by every layer: names compared without regard to case on a
// case-sensitive file system, the folder of the running program, and syncing files to disk.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
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

// The file a write to `path` replaces: `path` with every symbolic link in it followed, so that
// the file a link names is replaced and the link stays.
std::filesystem::path resolvedWriteTarget(const std::filesystem::path& path);

// The two names stand for the same file (one may be a link or a hard link to the other).
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// A temporary name beside `target`: "<name>.<tag>-<pid>-<n>". The process id lets a later run
// tell a file left by a process that no longer lives (killed, crashed) from one in use.
std::filesystem::path temporaryBeside(const std::filesystem::path& target, std::string_view tag, unsigned n);
// Removes the entries of `folder` made by a process that no longer lives: `processOf` gives the
// process id a name carries, or 0 for names that are not such files.
void removeFilesOfDeadProcesses(const std::filesystem::path& folder,
                                const std::function<long(const std::string& name)>& processOf);
// Removes the temporaries of `target` made with `tag` (and the engine's journal files beside
// them) whose process no longer lives.
void removeStaleTemporaries(const std::filesystem::path& target, std::string_view tag);

// Largest file read as input (a script, an include, an imported file): far above any real
// resource script, low enough that /dev/zero or a huge data file cannot exhaust memory.
inline constexpr std::uintmax_t kMaxInputFileBytes = 256u << 20;

// Why `path` cannot be read as an input file ("is a folder", "is not a regular file (a pipe or
// a device)", "is larger than 256 MB"), or empty when it is a regular file that can be.
// Symbolic links are followed. A missing file gives an empty answer: opening it says so.
std::string inputFileProblem(const std::filesystem::path& path);

// The whole content of a regular input file; nothing, with the reason, when it is not one or
// cannot be read (`notOpened` then tells a file that could not even be opened). Running out of
// memory is left to the caller (std::bad_alloc).
std::optional<std::string> readInputFile(const std::filesystem::path& path, std::string& problem,
                                         bool* notOpened = nullptr);

} // namespace qmk
