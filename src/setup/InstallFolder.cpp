// The no-follow walk below the installation folder, and the replacement of a file in it.
#include "setup/InstallFolder.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "resources/FileNames.h"

namespace qmk::setup {

namespace fs = std::filesystem;

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
constexpr unsigned kNameAttempts = 100;
constexpr std::string_view kTemporaryTag = "setup";

std::vector<std::string> components(std::string_view relative)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t slash = std::min(relative.find('/', start), relative.size());
        parts.emplace_back(relative.substr(start, slash - start));
        start = slash + 1;
    }
    return parts;
}

std::int64_t fileClockCount(const struct timespec& time)
{
    using namespace std::chrono;
    const sys_time<nanoseconds> system{seconds(time.tv_sec) + nanoseconds(time.tv_nsec)};
    return static_cast<std::int64_t>(file_clock::from_sys(system).time_since_epoch().count());
}

Descriptor duplicate(int fd)
{
    return Descriptor(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
}

// Removes the temporaries of `name` that a setup run which no longer lives left in the folder.
void removeStaleTemporaries(int folderFd, const std::string& name)
{
    const std::string prefix = "." + name + "." + std::string(kTemporaryTag) + "-";
    Descriptor listing = duplicate(folderFd);
    DIR* dir = listing.valid() ? ::fdopendir(listing.get()) : nullptr;
    if (!dir)
        return;
    listing.release();  // the DIR owns it now
    ::rewinddir(dir);
    std::vector<std::string> stale;
    while (const dirent* item = ::readdir(dir)) {
        const std::string entryName = item->d_name;
        if (entryName.compare(0, prefix.size(), prefix) != 0)
            continue;
        const long pid = std::strtol(entryName.c_str() + prefix.size(), nullptr, 10);
        // Signal 0 only asks whether the process exists; EPERM means it does, as another user's.
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH &&
            InstallFolder::entry(::dirfd(dir), entryName).kind == EntryKind::File)
            stale.push_back(entryName);
    }
    for (const std::string& entryName : stale)
        ::unlinkat(::dirfd(dir), entryName.c_str(), 0);
    ::closedir(dir);
}

} // namespace

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.release();
    }
    return *this;
}

Descriptor::~Descriptor()
{
    if (fd_ >= 0)
        ::close(fd_);
}

int Descriptor::release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

bool InstallFolder::plainRelative(std::string_view relative)
{
    if (relative.empty() || relative.find('\0') != std::string_view::npos)
        return false;
    for (const std::string& part : components(relative))
        if (part.empty() || part == "." || part == "..")
            return false;
    return true;
}

std::optional<InstallFolder> InstallFolder::open(const fs::path& path, bool create, int& createdLevels,
                                                 std::string& why)
{
    createdLevels = 0;
    const fs::path folder = path.lexically_normal();
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        return InstallFolder(path, std::move(fd));
    if (errno != ENOENT || !create || !folder.is_absolute()) {
        why = std::strerror(errno);
        return std::nullopt;
    }
    // The part of the path that exists is the person's; below it every folder is made here and
    // entered without following a link, so one planted in the way is not gone through.
    std::vector<std::string> missing;
    fs::path existing = folder;
    while (!fd.valid()) {
        if (!existing.has_relative_path()) {
            why = std::strerror(ENOENT);
            return std::nullopt;
        }
        std::string last = existing.filename().string();
        if (last.empty()) {
            existing = existing.parent_path();
            continue;
        }
        missing.push_back(std::move(last));
        existing = existing.parent_path();
        fd = Descriptor(::open(existing.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!fd.valid() && errno != ENOENT) {
            why = std::strerror(errno);
            return std::nullopt;
        }
    }
    for (auto part = missing.rbegin(); part != missing.rend(); ++part) {
        const bool made = ::mkdirat(fd.get(), part->c_str(), 0777) == 0;
        if (!made && errno != EEXIST) {
            why = std::strerror(errno);
            return std::nullopt;
        }
        Descriptor next(::openat(fd.get(), part->c_str(), kFolderFlags));
        if (!next.valid()) {
            why = entry(fd.get(), *part).kind == EntryKind::Link ? "a symbolic link is in the way"
                                                                 : std::strerror(errno);
            return std::nullopt;
        }
        // Counts the levels made here right above the folder: one another process made
        // meanwhile ends the count.
        createdLevels = made ? createdLevels + 1 : 0;
        fd = std::move(next);
    }
    return InstallFolder(path, std::move(fd));
}

Walk InstallFolder::walk(const fs::path& relative, bool create, std::vector<fs::path>* created) const
{
    Walk result;
    const std::string text = relative.string();
    if (!plainRelative(text)) {
        result.stop = Walk::Stop::Failed;
        result.error = EINVAL;
        result.at = relative;
        return result;
    }
    const std::vector<std::string> parts = components(text);
    Descriptor held = duplicate(fd_.get());
    fs::path reached;
    for (std::size_t i = 0; i + 1 < parts.size() && held.valid(); ++i) {
        const std::string& part = parts[i];
        reached /= part;
        Descriptor next(::openat(held.get(), part.c_str(), kFolderFlags));
        if (!next.valid() && errno == ENOENT && create) {
            if (::mkdirat(held.get(), part.c_str(), 0777) == 0) {
                if (created)
                    created->push_back(reached);
            } else if (errno != EEXIST) {
                result.stop = Walk::Stop::Failed;
                result.error = errno;
                result.at = reached;
                return result;
            }
            next = Descriptor(::openat(held.get(), part.c_str(), kFolderFlags));
        }
        if (!next.valid()) {
            result.error = errno;
            result.at = reached;
            switch (entry(held.get(), part).kind) {
            case EntryKind::Link: result.stop = Walk::Stop::Link; break;
            case EntryKind::Missing: result.stop = Walk::Stop::Missing; break;
            case EntryKind::Folder: result.stop = Walk::Stop::Failed; break;
            default: result.stop = Walk::Stop::NotFolder; break;
            }
            return result;
        }
        held = std::move(next);
    }
    if (!held.valid()) {
        result.stop = Walk::Stop::Failed;
        result.error = errno;
        return result;
    }
    result.folder = std::move(held);
    result.name = parts.back();
    return result;
}

Entry InstallFolder::entry(int folderFd, const std::string& name)
{
    struct stat st {};
    if (::fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return {};
    Entry found;
    found.kind = S_ISREG(st.st_mode)   ? EntryKind::File
                 : S_ISDIR(st.st_mode) ? EntryKind::Folder
                 : S_ISLNK(st.st_mode) ? EntryKind::Link
                                       : EntryKind::Other;
    found.size = static_cast<std::uintmax_t>(st.st_size);
    found.time = fileClockCount(st.st_mtim);
    return found;
}

std::optional<std::string> InstallFolder::readFile(const fs::path& relative, Walk& walked, Entry& found) const
{
    walked = walk(relative);
    found = {};
    if (!walked.reached())
        return std::nullopt;
    found = entry(walked.folder.get(), walked.name);
    if (found.kind != EntryKind::File || found.size > kMaxInputFileBytes)
        return std::nullopt;
    Descriptor in(::openat(walked.folder.get(), walked.name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (!in.valid() || ::fstat(in.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    std::string content;
    char buffer[16 * 1024];
    for (;;) {
        const ssize_t n = ::read(in.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            return content;
        content.append(buffer, static_cast<std::size_t>(n));
        if (content.size() > kMaxInputFileBytes)
            return std::nullopt;
    }
}

void InstallFolder::removeCreatedLevels(const fs::path& path, int levels, std::vector<fs::path>& removed)
{
    const fs::path folder = path.lexically_normal();
    if (!folder.is_absolute() || levels <= 0)
        return;
    std::vector<std::string> parts;
    for (const fs::path& part : folder.relative_path())
        if (!part.empty())
            parts.push_back(part.string());
    const std::size_t count = std::min(parts.size(), static_cast<std::size_t>(levels));
    const std::size_t first = parts.size() - count;
    fs::path base = folder.root_path();
    for (std::size_t i = 0; i < first; ++i)
        base /= parts[i];
    // chain[k] is the folder that holds parts[first + k].
    std::vector<Descriptor> chain;
    chain.emplace_back(::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    for (std::size_t i = first; i + 1 < parts.size() && chain.back().valid(); ++i)
        chain.emplace_back(::openat(chain.back().get(), parts[i].c_str(), kFolderFlags));
    if (!chain.back().valid())
        return;
    for (std::size_t i = parts.size(); i-- > first;) {
        // Only an empty folder goes, and never a link: unlinkat refuses both otherwise.
        if (::unlinkat(chain[i - first].get(), parts[i].c_str(), AT_REMOVEDIR) != 0)
            return;
        fs::path gone = base;
        for (std::size_t j = first; j <= i; ++j)
            gone /= parts[j];
        removed.push_back(gone);
    }
}

FolderReplacement::FolderReplacement(int folderFd, std::string name) : folderFd_(folderFd), name_(std::move(name))
{
}

FolderReplacement::~FolderReplacement()
{
    discard();
}

bool FolderReplacement::fail(const std::string& what)
{
    error_ = errno;
    detail_ = what + ": " + std::strerror(error_);
    return false;
}

bool FolderReplacement::targetReplaceable()
{
    const EntryKind kind = InstallFolder::entry(folderFd_, name_).kind;
    if (kind == EntryKind::Missing || kind == EntryKind::File)
        return true;
    refused_ = true;
    error_ = EEXIST;
    detail_ = name_ + (kind == EntryKind::Link ? " is a symbolic link" : " is not a regular file");
    return false;
}

bool FolderReplacement::create(unsigned mode)
{
    discard();
    if (!targetReplaceable())
        return false;
    removeStaleTemporaries(folderFd_, name_);
    for (unsigned attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string candidate = temporaryBeside("." + name_, kTemporaryTag, attempt).string();
        const int fd = ::openat(folderFd_, candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return fail("cannot create " + candidate);
        }
        fd_ = Descriptor(fd);
        temporary_ = candidate;
        return true;
    }
    error_ = EEXIST;
    detail_ = "no free temporary name for " + name_;
    return false;
}

bool FolderReplacement::write(std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail("cannot write " + temporary_);
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool FolderReplacement::commit()
{
    if (!fd_.valid())
        return fail("no temporary file for " + name_);
    if (::fsync(fd_.get()) != 0)
        return fail("cannot flush " + temporary_);
    fd_ = Descriptor();
    if (!targetReplaceable())
        return false;
    const bool existed = InstallFolder::entry(folderFd_, name_).kind == EntryKind::File;
    // A new name must still be free when it is taken: whatever appeared there meanwhile stays.
    int renamed = ::renameat2(folderFd_, temporary_.c_str(), folderFd_, name_.c_str(), existed ? 0 : RENAME_NOREPLACE);
    if (renamed != 0 && (errno == EINVAL || errno == ENOSYS) && !existed)
        renamed = ::renameat(folderFd_, temporary_.c_str(), folderFd_, name_.c_str());
    if (renamed != 0)
        return fail("cannot replace " + name_);
    temporary_.clear();
    ::fsync(folderFd_);
    return true;
}

void FolderReplacement::discard()
{
    fd_ = Descriptor();
    if (!temporary_.empty())
        ::unlinkat(folderFd_, temporary_.c_str(), 0);
    temporary_.clear();
}

bool replaceFileIn(int folderFd, const std::string& name, std::string_view content, std::string& detail)
{
    FolderReplacement out(folderFd, name);
    if (out.create() && out.write(content) && out.commit())
        return true;
    detail = out.errorDetail();
    return false;
}

} // namespace qmk::setup
