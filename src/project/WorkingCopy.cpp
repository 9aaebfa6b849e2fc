// The working copy of a project database.
#include "project/WorkingCopy.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

#include "database/SqliteDatabase.h"
#include "resources/FileNames.h"

namespace qmk {
namespace {

constexpr int kLargestWorkingNumber = 99999;
// Gives up when this many drawn names were all taken.
constexpr int kWorkingFileAttempts = 1000;

int drawWorkingNumber()
{
    static std::mt19937 random{std::random_device{}()};
    return std::uniform_int_distribution<int>(1, kLargestWorkingNumber)(random);
}

} // namespace

std::filesystem::path reserveWorkingFile(const std::filesystem::path& folder, std::string_view prefix,
                                         const std::function<int()>& draw)
{
    for (int attempt = 0; attempt < kWorkingFileAttempts; ++attempt) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%05d.mdb", draw());
        const std::filesystem::path candidate = folder / (std::string(prefix) + digits);
        // Created exclusively, so that a name taken meanwhile by another program is drawn again.
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd >= 0) {
            ::close(fd);
            return candidate;
        }
        if (errno != EEXIST)
            return {};
    }
    return {};
}

WorkingCopy::WorkingCopy(std::filesystem::path original, std::string_view prefix) : original_(std::move(original))
{
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec)
        return;
    std::filesystem::path copy = reserveWorkingFile(folder, prefix, drawWorkingNumber);
    if (copy.empty())
        return;
    if (!std::filesystem::copy_file(original_, copy, std::filesystem::copy_options::overwrite_existing, ec) || ec) {
        removeDatabaseFile(copy);
        return;
    }
    copy_ = std::move(copy);
}

WorkingCopy::~WorkingCopy()
{
    if (ok())
        removeDatabaseFile(copy_);
}

bool WorkingCopy::copyBack()
{
    if (!ok())
        return false;
    std::filesystem::path beside = original_;
    beside += ".update";
    std::error_code ec;
    std::filesystem::rename(copy_, beside, ec);
    if (ec) {
        ec.clear();
        std::filesystem::copy_file(copy_, beside, std::filesystem::copy_options::overwrite_existing, ec);
    }
    if (!ec && !syncToDisk(beside))
        ec = std::make_error_code(std::errc::io_error);
    if (!ec)
        std::filesystem::rename(beside, original_, ec);
    if (ec) {
        removeDatabaseFile(beside);
        return false;
    }
    const std::filesystem::path folder = original_.parent_path();
    syncToDisk(folder.empty() ? std::filesystem::path(".") : folder);
    return true;
}

} // namespace qmk
