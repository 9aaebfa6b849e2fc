// The project file list in section PROJECTFILES, keys File0 .. File29.
#include "app/ProjectFileList.h"

#include <algorithm>

#include "app/ProfileFile.h"
#include "app/Settings.h"
#include "resources/FileNames.h"

namespace qmk {
namespace {

std::string slotKey(int index) { return "File" + std::to_string(index); }

} // namespace

std::vector<std::string> ReadProjectFiles(const ProfileFile& profile)
{
    std::vector<std::string> list;
    for (int i = 0; i < kProjectFileSlots; ++i) {
        std::string value = profile.getString(ini::ProjectFiles, slotKey(i), "");
        if (!value.empty())
            list.push_back(std::move(value));
    }
    return list;
}

bool WriteProjectFiles(ProfileFile& profile, const std::vector<std::string>& list)
{
    std::vector<std::pair<std::string, std::string>> entries;
    for (int i = 0; i < kProjectFileSlots; ++i) {
        const auto index = static_cast<std::size_t>(i);
        entries.emplace_back(slotKey(i), index < list.size() ? list[index] : "");
    }
    return profile.writeStrings(ini::ProjectFiles, entries);
}

bool AddProjectFile(ProfileFile& profile, const std::string& path)
{
    int slot = -1;
    for (int i = 0; i < kProjectFileSlots && slot < 0; ++i)
        if (equalsIgnoringCase(profile.getString(ini::ProjectFiles, slotKey(i), ""), path))
            slot = i;
    for (int i = 0; i < kProjectFileSlots && slot < 0; ++i)
        if (profile.getString(ini::ProjectFiles, slotKey(i), "").empty())
            slot = i;
    if (slot < 0)
        return false;
    // Linux file systems are case-sensitive: a lower-cased name would name another file.
    return profile.writeString(ini::ProjectFiles, slotKey(slot), resolveCase(path).string());
}

bool AddProjectFiles(ProfileFile& profile, const std::vector<std::string>& paths)
{
    std::vector<std::string> slots;
    for (int i = 0; i < kProjectFileSlots; ++i)
        slots.push_back(profile.getString(ini::ProjectFiles, slotKey(i), ""));
    std::vector<std::pair<std::string, std::string>> added;
    for (const std::string& path : paths) {
        const bool listed = std::any_of(slots.begin(), slots.end(),
                                        [&](const std::string& entry) { return equalsIgnoringCase(entry, path); });
        const auto empty = std::find(slots.begin(), slots.end(), std::string());
        if (listed || empty == slots.end())
            continue;
        *empty = path;
        added.emplace_back(slotKey(static_cast<int>(empty - slots.begin())), path);
    }
    return added.empty() || profile.writeStrings(ini::ProjectFiles, added);
}

bool RemoveProjectFile(ProfileFile& profile, const std::string& path)
{
    for (int i = 0; i < kProjectFileSlots; ++i)
        if (equalsIgnoringCase(profile.getString(ini::ProjectFiles, slotKey(i), ""), path))
            return profile.writeString(ini::ProjectFiles, slotKey(i), "");
    return true;
}

} // namespace qmk
