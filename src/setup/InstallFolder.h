// The installation folder, opened once. Every path below it is reached by walking its components
// with openat and O_NOFOLLOW, so no symbolic link inside the folder is ever followed: setup never
// writes, reads or deletes anything outside the folder through one, and never a link itself.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qmk::setup {

// A file descriptor, closed with its owner.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(other.release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor();

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release();

private:
    int fd_ = -1;
};

enum class EntryKind { Missing, File, Folder, Link, Other };

// What stands at a name, not following a link: its kind, and for a file its size and
// modification time (in the count of std::filesystem's file clock, as the manifest keeps it).
struct Entry {
    EntryKind kind = EntryKind::Missing;
    std::uintmax_t size = 0;
    std::int64_t time = 0;
};

// The way to a path below the folder: its own folder, opened, and its last component.
struct Walk {
    enum class Stop { None, Missing, Link, NotFolder, Failed };
    Descriptor folder;
    std::string name;
    Stop stop = Stop::None;
    std::filesystem::path at;  // relative: the component that stopped the walk
    int error = 0;

    bool reached() const { return stop == Stop::None; }
};

class InstallFolder {
public:
    // Opens `path`, the folder the person named (links in it are theirs and are followed up to
    // it). With `create`, the missing folders along it are created; `createdLevels` tells how
    // many, counted from the folder itself upwards. Nullopt with `why` when it cannot be opened.
    static std::optional<InstallFolder> open(const std::filesystem::path& path, bool create, int& createdLevels,
                                             std::string& why);

    // A path the folder may hold: relative, without empty, "." or ".." components.
    static bool plainRelative(std::string_view relative);

    const std::filesystem::path& path() const { return path_; }
    int fd() const { return fd_.get(); }

    // Walks to the folder of `relative`, never through a link; with `create`, making the folders
    // that are missing (appended to `created`, relative, outermost first).
    Walk walk(const std::filesystem::path& relative, bool create = false,
              std::vector<std::filesystem::path>* created = nullptr) const;
    // What stands at `name` in the folder `folderFd`.
    static Entry entry(int folderFd, const std::string& name);

    // The content of the regular file `relative`; nullopt (with the walk's stop or the kind of
    // what is there) when it is not one.
    std::optional<std::string> readFile(const std::filesystem::path& relative, Walk& walked, Entry& found) const;

    // Removes the empty folders setup created above and including the installation folder,
    // innermost first, walking down from the outermost without following links. Each removed
    // one is appended to `removed`.
    static void removeCreatedLevels(const std::filesystem::path& path, int levels,
                                    std::vector<std::filesystem::path>& removed);

private:
    InstallFolder(std::filesystem::path path, Descriptor fd) : path_(std::move(path)), fd_(std::move(fd)) {}

    std::filesystem::path path_;
    Descriptor fd_;
};

// A new version of the file `name` in the folder `folderFd`, written under a temporary name
// beside it and renamed over it in one step once complete, so a half-written file never
// replaces a good one. A link or anything else but a regular file at `name` is never replaced.
class FolderReplacement {
public:
    FolderReplacement(int folderFd, std::string name);
    ~FolderReplacement();  // removes the temporary unless committed
    FolderReplacement(const FolderReplacement&) = delete;
    FolderReplacement& operator=(const FolderReplacement&) = delete;

    // `mode`: the permissions asked for (less the umask).
    bool create(unsigned mode = 0666);
    int fd() const { return fd_.get(); }
    bool write(std::string_view bytes);
    // Flushes it to disk and renames it over the target.
    bool commit();

    const std::string& errorDetail() const { return detail_; }
    int errorNumber() const { return error_; }
    // The target was refused: a link or not a regular file.
    bool refused() const { return refused_; }

private:
    bool fail(const std::string& what);
    bool targetReplaceable();
    void discard();

    int folderFd_;
    std::string name_;
    std::string temporary_;
    Descriptor fd_;
    std::string detail_;
    int error_ = 0;
    bool refused_ = false;
};

// Writes `content` as the file `name` of `folderFd` through a FolderReplacement.
bool replaceFileIn(int folderFd, const std::string& name, std::string_view content, std::string& detail);

} // namespace qmk::setup
