// The stamp of a source script that tells whether it changed since the project last read it:
// its size and its last write as packed 16-bit date and time words, in local time.
#pragma once

#include <ctime>
#include <filesystem>
#include <optional>

#include "database/ProjectRows.h"

namespace qmk {


// The stamp of an existing file, or nothing when the file cannot be examined.
std::optional<FileStamp> readFileStamp(const std::filesystem::path& path);

// (year - 1980) << 9 | month << 5 | day, and hour << 11 | minute << 5 | second / 2.
std::uint16_t packDosDate(const std::tm& local);
std::uint16_t packDosTime(const std::tm& local);

} // namespace qmk
