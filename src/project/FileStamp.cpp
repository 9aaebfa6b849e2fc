// Reading and comparing file stamps.
#include "project/FileStamp.h"

#include <sys/stat.h>

namespace qmk {

int packDosDate(const std::tm& t)
{
    const int year = t.tm_year + 1900 - 1980;
    return ((year < 0 ? 0 : year) << 9) | ((t.tm_mon + 1) << 5) | t.tm_mday;
}

int packDosTime(const std::tm& t)
{
    return (t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec / 2);
}

std::optional<FileStamp> readFileStamp(const std::filesystem::path& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    std::tm local{};
    if (!localtime_r(&st.st_mtime, &local))
        return std::nullopt;
    return FileStamp{static_cast<long>(st.st_size), packDosDate(local), packDosTime(local)};
}

bool stampShowsChange(const FileStamp& stored, const FileStamp& current)
{
    if (stored.size != current.size)
        return true;
    if (stored.date != current.date)
        return stored.date < current.date;
    return stored.time < current.time;
}

} // namespace qmk
