// The list of what one installation put on the disk: every file setup installed and every
// folder it created, relative to the installation folder it lives in, so Deinstall removes
// exactly these and keeps whatever else the user has put there. A later installation into the
// same folder adds to it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qmk::setup {

class SetupManifest {
public:
    static constexpr const char* kFileName = ".qmk32-setup-manifest";
    static std::filesystem::path pathIn(const std::filesystem::path& destination);

    // A file as setup installed it: its size and modification time (the file clock's count).
    struct Stamp {
        std::uintmax_t size = 0;
        std::int64_t time = 0;
        bool operator==(const Stamp&) const = default;
    };

    SetupManifest() = default;
    // The entries of a manifest of the installation folder `folder`. Absolute paths inside the
    // folder (as earlier versions wrote them) are taken relative to it; a line that names
    // anything outside it (absolute elsewhere, or with a ".." step) is left out and kept in
    // refusedLines(), whatever else the text holds.
    static SetupManifest parse(std::string_view text, const std::filesystem::path& folder);
    std::string text() const;

    bool empty() const { return files_.empty() && folders_.empty() && createdLevels_ == 0; }

    // Relative paths, each recorded once, in the order first recorded.
    void addFile(const std::filesystem::path& relative, std::optional<Stamp> stamp);
    void addFolder(const std::filesystem::path& relative);
    const std::vector<std::filesystem::path>& files() const { return files_; }
    const std::vector<std::filesystem::path>& folders() const { return folders_; }
    std::optional<Stamp> stamp(const std::filesystem::path& relative) const;

    // How many folders setup created to make the installation folder: the folder itself and
    // the ones right above it. A later installation keeps the larger count.
    int createdLevels() const { return createdLevels_; }
    void addCreatedLevels(int levels);

    const std::vector<std::string>& refusedLines() const { return refused_; }

private:
    std::vector<std::filesystem::path> files_;
    std::vector<std::filesystem::path> folders_;
    std::map<std::filesystem::path, Stamp> stamps_;
    int createdLevels_ = 0;
    std::vector<std::string> refused_;
};

} // namespace qmk::setup
