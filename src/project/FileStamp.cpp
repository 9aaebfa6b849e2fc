// Reading file stamps and deciding whether a project's sources changed.
#include "project/FileStamp.h"

#include <sys/stat.h>

#include "database/CProjectDatabase.h"
#include "parser/SourceFingerprint.h"

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

std::optional<FileStamp> readFileStamp(const std::filesystem::path& path, StampClock clock)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    std::tm broken{};
    const bool converted = clock == StampClock::Utc ? gmtime_r(&st.st_mtime, &broken) != nullptr
                                                    : localtime_r(&st.st_mtime, &broken) != nullptr;
    if (!converted)
        return std::nullopt;
    return FileStamp{static_cast<std::int64_t>(st.st_size), packDosDate(broken), packDosTime(broken)};
}

SourceCheck checkSource(CProjectDatabase& db, const std::filesystem::path& script)
{
    const std::optional<ProjectRow> row = db.projectRow();
    if (!row)
        return {};
    if (row->sourceFingerprint.empty()) {
        const std::optional<FileStamp> stamp = readFileStamp(script, StampClock::Local);
        return SourceCheck{stamp && db.isSourceChanged(*stamp), std::nullopt};
    }
    const std::optional<FileStamp> stamp = readFileStamp(script);
    if (!stamp)
        return {};
    SourceCheck check;
    check.changed = !fingerprintMatches(row->sourceFingerprint, script);
    const FileStamp& stored = row->stamp;
    if (!check.changed && (stored.size != stamp->size || stored.date != stamp->date || stored.time != stamp->time))
        check.refreshedStamp = stamp;
    return check;
}

} // namespace qmk
