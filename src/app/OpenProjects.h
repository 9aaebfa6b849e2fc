// Which projects are open in the window: a project is the same whether it was opened through
// its script or its database, through a link, or under another case of its name, so a second
// open only brings the first window forward.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace qmk {

class OpenProjects {
public:
    // The project file a script or database belongs to: the database beside the script.
    static std::filesystem::path projectKey(const std::filesystem::path& opened);

    // The handle of the open project that `opened` belongs to.
    std::optional<int> find(const std::filesystem::path& opened) const;
    // Records an open project and returns its handle.
    int add(const std::filesystem::path& opened);
    void remove(int handle);
    // The project databases open now (an export must not overwrite one of them).
    std::vector<std::filesystem::path> databases() const;
    int count() const { return static_cast<int>(open_.size()); }

private:
    struct Entry {
        int handle;
        std::filesystem::path key;
    };
    std::vector<Entry> open_;
    int next_ = 1;
};

// The recently opened files of the File menu: the newest first, four at most, each once
// (compared ignoring case, keeping the case it was last opened with).
class RecentFiles {
public:
    static constexpr int Capacity = 4;

    explicit RecentFiles(std::vector<std::string> entries = {});
    void opened(const std::string& path);
    void remove(const std::string& path);
    const std::vector<std::string>& entries() const { return entries_; }

private:
    std::vector<std::string> entries_;
};

} // namespace qmk
