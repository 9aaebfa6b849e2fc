// The manifest file: a comment line, then one "file<TAB>path" or "folder<TAB>path" line per entry.
#include "setup/SetupManifest.h"

#include <algorithm>
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
        if (text.starts_with(kFileTag) && text.size() > kFileTag.size() && text[kFileTag.size()] == '/')
            addOnce(files_, line.substr(kFileTag.size()));
        else if (text.starts_with(kFolderTag) && text.size() > kFolderTag.size() && text[kFolderTag.size()] == '/')
            addOnce(folders_, line.substr(kFolderTag.size()));
    }
}

void SetupManifest::addFile(const std::filesystem::path& path)
{
    addOnce(files_, path);
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
    for (const auto& file : files_)
        content.append(kFileTag).append(file.string()).append("\n");
    ReplacementFile out(file_, {.tag = "setup", .hidden = false, .sync = true});
    return out.create() && out.write(content) && out.commit();
}

} // namespace qmk::setup
