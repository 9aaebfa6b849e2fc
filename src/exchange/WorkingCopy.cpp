// The working copy of a project database.
#include "exchange/WorkingCopy.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>

namespace qmk {
namespace {

constexpr const char* kCopyPrefix = "qmk";
constexpr const char* kCopyExtension = ".mdb";
constexpr int kHighestCopyNumber = 99999;

// "qmk04711.mdb": a five-digit number, drawn again while a file of that name exists.
std::filesystem::path uniqueFileIn(const std::filesystem::path& folder, const std::string& prefix,
                                   const std::string& extension)
{
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<int> number(1, kHighestCopyNumber);
    std::error_code ec;
    for (;;) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%05d", number(random));
        std::filesystem::path candidate = folder / (prefix + digits + extension);
        if (!std::filesystem::exists(candidate, ec))
            return candidate;
    }
}

bool syncToDisk(const std::filesystem::path& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

void removeWithJournal(const std::filesystem::path& file)
{
    std::error_code ec;
    std::filesystem::remove(file, ec);
    std::filesystem::path journal = file;
    journal += "-journal";
    std::filesystem::remove(journal, ec);
}

} // namespace

WorkingCopy::WorkingCopy(std::filesystem::path original) : original_(std::move(original))
{
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec)
        return;
    std::filesystem::path copy = uniqueFileIn(folder, kCopyPrefix, kCopyExtension);
    if (!std::filesystem::copy_file(original_, copy, std::filesystem::copy_options::overwrite_existing, ec) || ec) {
        removeWithJournal(copy);
        return;
    }
    copy_ = std::move(copy);
}

WorkingCopy::~WorkingCopy()
{
    if (ok())
        removeWithJournal(copy_);
}

bool WorkingCopy::copyBack()
{
    if (!ok())
        return false;
    std::error_code ec;
    const std::filesystem::path beside =
        uniqueFileIn(original_.parent_path(), original_.filename().string() + ".import-", "");
    std::filesystem::copy_file(copy_, beside, std::filesystem::copy_options::overwrite_existing, ec);
    if (!ec && !syncToDisk(beside))
        ec = std::make_error_code(std::errc::io_error);
    if (!ec)
        std::filesystem::rename(beside, original_, ec);
    if (ec) {
        removeWithJournal(beside);
        return false;
    }
    return true;
}

} // namespace qmk
