// A rename within one folder is atomic on POSIX file systems: readers see the old file or the
// new one, never a mixture.
#include "resources/ReplacementFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "resources/FileNames.h"

namespace qmk {

namespace {

constexpr unsigned kNameAttempts = 100;

} // namespace

ReplacementFile::ReplacementFile(const std::filesystem::path& target, ReplacementOptions options)
    : target_(resolvedWriteTarget(target)), options_(options)
{
}

ReplacementFile::~ReplacementFile()
{
    discard();
}

bool ReplacementFile::fail(const std::string& what, const std::filesystem::path& path)
{
    errorNumber_ = errno;
    errorDetail_ = what + " " + path.string() + ": " + std::strerror(errorNumber_);
    return false;
}

void ReplacementFile::closeFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

// Only a regular file (or a name not yet taken) may be replaced: renaming over a device, a
// pipe or a folder would destroy what the name stood for (/dev/null given as a settings file).
bool ReplacementFile::targetReplaceable()
{
    struct stat st {};
    if (::stat(target_.c_str(), &st) != 0 || S_ISREG(st.st_mode))
        return true;
    errorNumber_ = EINVAL;
    errorDetail_ = target_.string() + " is not a regular file and is not replaced";
    return false;
}

bool ReplacementFile::create()
{
    discard();
    if (!targetReplaceable())
        return false;
    std::filesystem::path folder = target_.parent_path();
    if (folder.empty())
        folder = ".";
    std::string name = options_.hidden ? "." : "";
    name += target_.filename().string();
    const std::filesystem::path base = folder / name;
    removeStaleTemporaries(base, options_.tag);
    for (unsigned attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::filesystem::path candidate = temporaryBeside(base, options_.tag, attempt);
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return fail("cannot create", candidate);
        }
        struct stat st {};
        if (::fstat(fd, &st) == 0)
            newFileMode_ = st.st_mode & 07777;  // 0666 less the user's umask
        // Closed at once: a database engine that opens the name itself relies on its locks,
        // which closing another descriptor of the file later would drop.
        ::close(fd);
        temporary_ = candidate;
        return true;
    }
    errorNumber_ = EEXIST;
    errorDetail_ = "no free temporary name in " + folder.string();
    return false;
}

bool ReplacementFile::write(std::string_view bytes)
{
    if (fd_ < 0) {
        if (temporary_.empty()) {
            errorNumber_ = EBADF;
            errorDetail_ = "no temporary file to write";
            return false;
        }
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd_ < 0)
            return fail("cannot write", temporary_);
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail("cannot write", temporary_);
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool ReplacementFile::commit()
{
    closeFile();
    if (temporary_.empty()) {
        errorNumber_ = EBADF;
        errorDetail_ = "no temporary file to commit";
        return false;
    }
    if (!targetReplaceable()) {
        discard();
        return false;
    }
    // Whoever filled the temporary (a library, a rename) may have put a file of its own there.
    struct stat targetStat {};
    const unsigned mode = ::stat(target_.c_str(), &targetStat) == 0 ? (targetStat.st_mode & 07777) : newFileMode_;
    if (options_.sync && !syncToDisk(temporary_))
        return fail("cannot flush", temporary_);
    ::chmod(temporary_.c_str(), mode);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail("cannot replace", target_);
    temporary_.clear();
    if (options_.sync) {
        const std::filesystem::path folder = target_.parent_path();
        syncToDisk(folder.empty() ? std::filesystem::path(".") : folder);
    }
    return true;
}

void ReplacementFile::discard()
{
    closeFile();
    if (temporary_.empty())
        return;
    std::error_code ec;
    std::filesystem::remove(temporary_, ec);
    temporary_.clear();
}

} // namespace qmk
