// The manifest file: a comment line, then one line per entry: "levels<TAB>count",
// "folder<TAB>path", or "file<TAB>size<TAB>time<TAB>path" ("file<TAB>path" without a record of
// size and time). Paths are relative to the installation folder.
#include "setup/SetupManifest.h"

#include <algorithm>
#include <charconv>

#include "setup/InstallFolder.h"

namespace qmk::setup {
namespace {

constexpr std::string_view kFileTag = "file\t";
constexpr std::string_view kFolderTag = "folder\t";
constexpr std::string_view kLevelsTag = "levels\t";
// Deeper than any real path; a damaged count cannot climb further than the path goes anyway.
constexpr int kMostLevels = 64;

void addOnce(std::vector<std::filesystem::path>& list, const std::filesystem::path& path)
{
    if (std::find(list.begin(), list.end(), path) == list.end())
        list.push_back(path);
}

// Reads a decimal number up to the next tab and moves past the tab.
template <typename Number>
bool readField(std::string_view& text, Number& value)
{
    const std::size_t tab = text.find('\t');
    if (tab == std::string_view::npos)
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + tab, value);
    if (error != std::errc() || end != text.data() + tab)
        return false;
    text.remove_prefix(tab + 1);
    return true;
}

// The entry's path relative to `folder`, when it lies inside it.
std::optional<std::filesystem::path> inside(std::string_view path, const std::string& folder)
{
    if (path.starts_with('/')) {
        const std::string prefix = folder + "/";
        if (folder.empty() || !path.starts_with(prefix))
            return std::nullopt;
        path.remove_prefix(prefix.size());
    }
    if (!InstallFolder::plainRelative(path))
        return std::nullopt;
    return std::filesystem::path(path);
}

std::string folderText(const std::filesystem::path& folder)
{
    std::string text = folder.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

} // namespace

std::filesystem::path SetupManifest::pathIn(const std::filesystem::path& destination)
{
    return destination / kFileName;
}

SetupManifest SetupManifest::parse(std::string_view text, const std::filesystem::path& folder)
{
    SetupManifest manifest;
    const std::string base = folder.is_absolute() ? folderText(folder) : std::string();
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));

        if (line.starts_with(kLevelsTag)) {
            int levels = 0;
            const std::string_view count = line.substr(kLevelsTag.size());
            const auto [last, error] = std::from_chars(count.data(), count.data() + count.size(), levels);
            if (error == std::errc() && last == count.data() + count.size())
                manifest.addCreatedLevels(std::clamp(levels, 0, kMostLevels));
            continue;
        }
        const bool file = line.starts_with(kFileTag);
        if (!file && !line.starts_with(kFolderTag))
            continue;  // a comment, or nothing this version knows
        std::string_view path = line.substr(file ? kFileTag.size() : kFolderTag.size());
        std::optional<Stamp> stamp;
        if (file) {
            std::string_view rest = path;
            Stamp read;
            if (readField(rest, read.size) && readField(rest, read.time)) {
                stamp = read;
                path = rest;
            }
        }
        const std::optional<std::filesystem::path> relative = inside(path, base);
        if (!relative)
            manifest.refused_.emplace_back(path);
        else if (file)
            manifest.addFile(*relative, stamp);
        else
            manifest.addFolder(*relative);
    }
    return manifest;
}

std::string SetupManifest::text() const
{
    std::string content = "# What qmk32-setup installed in this folder; its Deinstall removes these and nothing else.\n";
    if (createdLevels_ > 0)
        content.append(kLevelsTag).append(std::to_string(createdLevels_)).append("\n");
    for (const auto& folder : folders_)
        content.append(kFolderTag).append(folder.string()).append("\n");
    for (const auto& file : files_) {
        content.append(kFileTag);
        if (const auto stamp = stamps_.find(file); stamp != stamps_.end())
            content.append(std::to_string(stamp->second.size) + "\t" + std::to_string(stamp->second.time) + "\t");
        content.append(file.string()).append("\n");
    }
    return content;
}

void SetupManifest::addFile(const std::filesystem::path& relative, std::optional<Stamp> stamp)
{
    addOnce(files_, relative);
    if (stamp)
        stamps_[relative] = *stamp;
    else
        stamps_.erase(relative);
}

void SetupManifest::addFolder(const std::filesystem::path& relative)
{
    addOnce(folders_, relative);
}

std::optional<SetupManifest::Stamp> SetupManifest::stamp(const std::filesystem::path& relative) const
{
    const auto found = stamps_.find(relative);
    if (found == stamps_.end())
        return std::nullopt;
    return found->second;
}

void SetupManifest::addCreatedLevels(int levels)
{
    createdLevels_ = std::max(createdLevels_, levels);
}

} // namespace qmk::setup
