// Whether a source script changed since its project last read it. Projects keep the content hashes
// of the script and its includes (SourceFingerprint.h) and decide by them; the stamp (size and last
// write as packed 16-bit date and time words, in UTC) is kept beside them for peers and people.
// Projects built before hashes were kept decide by the stamp alone, which they stored in local time.
#pragma once

#include <ctime>
#include <filesystem>
#include <optional>

#include "database/ProjectRows.h"

namespace qmk {

class CProjectDatabase;

enum class StampClock { Utc, Local };

// The stamp of an existing regular file, or nothing when the file cannot be examined.
std::optional<FileStamp> readFileStamp(const std::filesystem::path& path, StampClock clock = StampClock::Utc);

// (year - 1980) << 9 | month << 5 | day, and hour << 11 | minute << 5 | second / 2.
std::uint16_t packDosDate(const std::tm& time);
std::uint16_t packDosTime(const std::tm& time);

struct SourceCheck {
    bool changed = false;
    // Same bytes, another stamp (a copy, a checkout, an unpack): the stamp may be refreshed quietly.
    std::optional<FileStamp> refreshedStamp;
};

// Compares the script (and the includes the project recorded) with what the project was read from.
// An unreadable script or a project without a Project row counts as unchanged. May throw
// DaoException.
SourceCheck checkSource(CProjectDatabase& db, const std::filesystem::path& script);

} // namespace qmk
