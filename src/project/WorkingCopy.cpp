// The working copy of a project database.
#include "project/WorkingCopy.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "database/SqliteDatabase.h"
#include "resources/FileNames.h"
#include "resources/ReplacementFile.h"

namespace qmk {
namespace {

constexpr int kLargestWorkingNumber = 99999;
constexpr std::string_view kUpdateTag = "update";
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

namespace {

// Working files of runs that were killed: "<prefix><pid>-NNNNN.mdb" (and the engine's journal
// beside it) whose process no longer lives.
void removeStaleWorkingFiles(const std::filesystem::path& folder, std::string_view prefix)
{
    removeFilesOfDeadProcesses(folder, [prefix](const std::string& name) {
        if (name.compare(0, prefix.size(), prefix) != 0)
            return 0L;
        // Exactly "<prefix><pid>-NNNNN.mdb", or the engine's "-journal", "-wal" or "-shm" beside it.
        char* after = nullptr;
        const long pid = std::strtol(name.c_str() + prefix.size(), &after, 10);
        const std::string_view rest = after ? std::string_view(after) : std::string_view();
        const bool ours = rest.size() >= 10 && rest[0] == '-' && rest.substr(6, 4) == ".mdb" &&
                          std::all_of(rest.begin() + 1, rest.begin() + 6, [](char c) { return c >= '0' && c <= '9'; }) &&
                          (rest.size() == 10 || rest.substr(10) == "-journal" || rest.substr(10) == "-wal" ||
                           rest.substr(10) == "-shm");
        return ours ? pid : 0L;
    });
}

} // namespace

WorkingCopy::WorkingCopy(std::filesystem::path original, std::string_view prefix) : original_(std::move(original))
{
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec) {
        error_ = "no temporary folder: " + ec.message();
        return;
    }
    removeStaleWorkingFiles(folder, prefix);
    const std::string ownPrefix = std::string(prefix) + std::to_string(::getpid()) + "-";
    std::filesystem::path copy = reserveWorkingFile(folder, ownPrefix, drawWorkingNumber);
    if (copy.empty()) {
        error_ = "no file can be made in " + folder.string() + ": " + std::strerror(errno);
        return;
    }
    if (!std::filesystem::copy_file(original_, copy, std::filesystem::copy_options::overwrite_existing, ec) || ec) {
        error_ = "the copy to " + copy.string() + " failed: " + ec.message();
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
    ReplacementFile beside(original_, ReplacementOptions{.tag = kUpdateTag});
    if (!beside.create()) {
        error_ = beside.errorDetail();
        return false;
    }
    // The copy takes the name claimed beside the project (or is copied there from another
    // file system), then replaces the project in one rename.
    std::error_code ec;
    std::filesystem::rename(copy_, beside.temporaryPath(), ec);
    if (ec) {
        ec.clear();
        std::filesystem::copy_file(copy_, beside.temporaryPath(), std::filesystem::copy_options::overwrite_existing, ec);
    }
    if (ec) {
        error_ = beside.temporaryPath().string() + ": " + ec.message();
        return false;
    }
    if (!beside.commit()) {
        error_ = beside.errorDetail();
        removeDatabaseFile(beside.temporaryPath());
        return false;
    }
    return true;
}

} // namespace qmk
