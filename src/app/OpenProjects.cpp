// The open projects and the recent-file list of the window.
#include "app/OpenProjects.h"

#include <algorithm>

#include "project/ProjectFileNames.h"
#include "resources/FileNames.h"

namespace qmk {

std::filesystem::path OpenProjects::projectKey(const std::filesystem::path& opened)
{
    const std::filesystem::path database = isDatabasePath(opened) ? opened : databaseForScript(opened);
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(database, ec);
    return (ec ? database : absolute).lexically_normal();
}

std::optional<int> OpenProjects::find(const std::filesystem::path& opened) const
{
    const std::filesystem::path key = projectKey(opened);
    for (const Entry& entry : open_)
        if (equalsIgnoringCase(entry.key.string(), key.string()) || sameFile(entry.key, key))
            return entry.handle;
    return std::nullopt;
}

int OpenProjects::add(const std::filesystem::path& opened)
{
    open_.push_back({next_, projectKey(opened)});
    return next_++;
}

void OpenProjects::remove(int handle)
{
    std::erase_if(open_, [handle](const Entry& entry) { return entry.handle == handle; });
}

std::vector<std::filesystem::path> OpenProjects::databases() const
{
    std::vector<std::filesystem::path> list;
    for (const Entry& entry : open_)
        list.push_back(entry.key);
    return list;
}

RecentFiles::RecentFiles(std::vector<std::string> entries)
{
    // Oldest last: adding each from the oldest keeps the order and drops repeats.
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (!it->empty())
            opened(*it);
}

void RecentFiles::opened(const std::string& path)
{
    remove(path);
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > static_cast<std::size_t>(Capacity))
        entries_.resize(Capacity);
}

void RecentFiles::remove(const std::string& path)
{
    std::erase_if(entries_, [&](const std::string& entry) { return equalsIgnoringCase(entry, path); });
}

} // namespace qmk
