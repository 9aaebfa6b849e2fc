// The manifest file: a comment line, then one line per entry: "folder<TAB>path", or
// "file<TAB>size<TAB>time<TAB>path" ("file<TAB>path" without a record of size and time).
#include "setup/SetupManifest.h"

#include <algorithm>
#include <charconv>
#include <fstream>

#include "resources/ReplacementFile.h"

namespace qmk::setup {
namespace {

constexpr std::string_view kFileTag = "file\t";
constexpr std::string_view kFolderTag = "folder\t";

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

} // namespace

std::filesystem::path SetupManifest::pathIn(const std::filesystem::path& destination)
{
    return destination / kFileName;
}

SetupManifest::SetupManifest(std::filesystem::path file) : file_(std::move(file))
{
    std::ifstream in(file_);
    if (!in)
        return;
    found_ = true;
    std::string line;
    while (std::getline(in, line)) {
        const std::string_view text(line);
        // Only absolute paths: a damaged line must never name something relative to wherever we run.
        if (text.starts_with(kFileTag)) {
            std::string_view rest = text.substr(kFileTag.size());
            Stamp stamp;
            const bool stamped = !rest.starts_with('/') && readField(rest, stamp.size) && readField(rest, stamp.time);
            if (!rest.starts_with('/'))
                continue;
            const std::filesystem::path path(rest);
            addOnce(files_, path);
            if (stamped)
                stamps_[path] = stamp;
        } else if (text.starts_with(kFolderTag) && text.size() > kFolderTag.size() && text[kFolderTag.size()] == '/')
            addOnce(folders_, line.substr(kFolderTag.size()));
    }
}

void SetupManifest::addFile(const std::filesystem::path& path)
{
    addOnce(files_, path);
    std::error_code sizeError, timeError;
    const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
    const auto time = std::filesystem::last_write_time(path, timeError);
    if (sizeError || timeError)
        stamps_.erase(path);
    else
        stamps_[path] = {size, static_cast<std::int64_t>(time.time_since_epoch().count())};
}

bool SetupManifest::unchangedSinceInstall(const std::filesystem::path& path) const
{
    const auto stamp = stamps_.find(path);
    if (stamp == stamps_.end())
        return true;
    std::error_code sizeError, timeError;
    const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
    const auto time = std::filesystem::last_write_time(path, timeError);
    return !sizeError && !timeError && size == stamp->second.size &&
           static_cast<std::int64_t>(time.time_since_epoch().count()) == stamp->second.time;
}

void SetupManifest::addFolder(const std::filesystem::path& path)
{
    addOnce(folders_, path);
}

bool SetupManifest::save() const
{
    std::string content = "# What qmk32-setup installed here; its Deinstall removes these and nothing else.\n";
    for (const auto& folder : folders_)
        content.append(kFolderTag).append(folder.string()).append("\n");
    for (const auto& file : files_) {
        content.append(kFileTag);
        if (const auto stamp = stamps_.find(file); stamp != stamps_.end())
            content.append(std::to_string(stamp->second.size) + "\t" + std::to_string(stamp->second.time) + "\t");
        content.append(file.string()).append("\n");
    }
    ReplacementFile out(file_, {.tag = "setup", .hidden = false, .sync = true});
    return out.create() && out.write(content) && out.commit();
}

} // namespace qmk::setup
