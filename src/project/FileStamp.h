// The stamp of a source script that tells whether it changed since the project last read it:
// its size and its last write as packed 16-bit date and time words, in local time.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>

namespace qmk {

struct FileStamp {
    long size = 0;
    int date = 0;  // (year - 1980) << 9 | month << 5 | day
    int time = 0;  // hour << 11 | minute << 5 | second / 2
};

// The stamp of an existing file, or nothing when the file cannot be examined.
std::optional<FileStamp> readFileStamp(const std::filesystem::path& path);

int packDosDate(const std::tm& local);
int packDosTime(const std::tm& local);

// Changed when the size differs, or the stored stamp is older than the current one. A file
// that went back in time (restored from an older copy) with the same size is not changed.
bool stampShowsChange(const FileStamp& stored, const FileStamp& current);

} // namespace qmk
