// Reading and comparing file stamps.
#include "project/FileStamp.h"

#include <sys/stat.h>

namespace qmk {

std::uint16_t packDosDate(const std::tm& t)
{
    const int year = t.tm_year + 1900 - 1980;
    return static_cast<std::uint16_t>(((year < 0 ? 0 : year) << 9) | ((t.tm_mon + 1) << 5) | t.tm_mday);
}

std::uint16_t packDosTime(const std::tm& t)
{
    return static_cast<std::uint16_t>((t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec / 2));
}

std::optional<FileStamp> readFileStamp(const std::filesystem::path& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    std::tm local{};
    if (!localtime_r(&st.st_mtime, &local))
        return std::nullopt;
    return FileStamp{static_cast<std::int64_t>(st.st_size), packDosDate(local), packDosTime(local)};
}

} // namespace qmk
