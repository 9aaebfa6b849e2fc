// The list of what one installation put on the disk: every file setup installed and every
// folder it created. It lives in the destination folder, so Deinstall removes exactly these and
// keeps whatever else the user has put there. A later installation into the same folder adds to it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace qmk::setup {

class SetupManifest {
public:
    static constexpr const char* kFileName = ".qmk32-setup-manifest";
    static std::filesystem::path pathIn(const std::filesystem::path& destination);

    // Reads the manifest when there is one; otherwise it starts empty.
    explicit SetupManifest(std::filesystem::path file);

    const std::filesystem::path& file() const { return file_; }
    bool found() const { return found_; }
    bool empty() const { return files_.empty() && folders_.empty(); }

    // Absolute paths, each recorded once, in the order first recorded. A file is recorded with
    // its size and modification time as it is now, just after installing it.
    void addFile(const std::filesystem::path& path);
    void addFolder(const std::filesystem::path& path);
    const std::vector<std::filesystem::path>& files() const { return files_; }
    const std::vector<std::filesystem::path>& folders() const { return folders_; }
    // The file is as setup installed it: same size and time. A file the user has changed since
    // (a demo project translated further) is theirs now. Entries without a record count as
    // unchanged.
    bool unchangedSinceInstall(const std::filesystem::path& path) const;

    // Writes the manifest (replacing it in one step); false when it cannot be written.
    bool save() const;

private:
    std::filesystem::path file_;
    bool found_ = false;
    std::vector<std::filesystem::path> files_;
    std::vector<std::filesystem::path> folders_;
    struct Stamp {
        std::uintmax_t size = 0;
        std::int64_t time = 0;  // the file clock's count
    };
    std::map<std::filesystem::path, Stamp> stamps_;
};

} // namespace qmk::setup
