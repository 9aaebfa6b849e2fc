// A new version of a file, written under a temporary name in the same folder and then renamed
// over the file in one step. A rename within one folder is atomic on POSIX file systems.
#include "exchange/ReplacementFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "resources/FileNames.h"

namespace qmk {

namespace {

constexpr int kNameAttempts = 100;

std::string errnoText(const std::string& what, const std::filesystem::path& path)
{
    return what + " " + path.string() + ": " + std::strerror(errno);
}

} // namespace

ReplacementFile::ReplacementFile(const std::filesystem::path& target) : target_(target)
{
    std::error_code ec;
    if (std::filesystem::is_symlink(target_, ec)) {
        auto resolved = std::filesystem::weakly_canonical(target_, ec);
        if (!ec)
            target_ = resolved;
    }
}

ReplacementFile::~ReplacementFile()
{
    discard();
}

bool ReplacementFile::create()
{
    discard();
    std::filesystem::path folder = target_.parent_path();
    if (folder.empty())
        folder = ".";
    // Hidden beside the target, named by this process so that the next run can remove what a
    // killed one left.
    std::string hiddenName(1, '.');
    hiddenName += target_.filename().string();
    const std::filesystem::path hidden = folder / hiddenName;
    removeStaleTemporaries(hidden, "tmp");
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        auto candidate = temporaryBeside(hidden, "tmp", static_cast<unsigned>(attempt));
        int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            errorDetail_ = errnoText("cannot create", candidate);
            return false;
        }
        struct stat st {};
        if (::fstat(fd, &st) == 0)
            newFileMode_ = st.st_mode & 07777;  // 0666 less the user's umask
        ::close(fd);
        temporary_ = candidate;
        return true;
    }
    errorDetail_ = "no free temporary name in " + folder.string();
    return false;
}

bool ReplacementFile::commit()
{
    if (temporary_.empty()) {
        errorDetail_ = "no temporary file to commit";
        return false;
    }
    // The library that wrote the file may have replaced our temporary file with its own.
    struct stat targetStat {};
    unsigned mode = ::stat(target_.c_str(), &targetStat) == 0 ? (targetStat.st_mode & 07777)
                                                              : newFileMode_;
    int fd = ::open(temporary_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        errorDetail_ = errnoText("cannot flush", temporary_);
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    ::close(fd);
    ::chmod(temporary_.c_str(), mode);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        errorDetail_ = errnoText("cannot replace", target_);
        return false;
    }
    temporary_.clear();
    return true;
}

void ReplacementFile::discard()
{
    if (temporary_.empty())
        return;
    std::error_code ec;
    std::filesystem::remove(temporary_, ec);
    temporary_.clear();
}

} // namespace qmk
