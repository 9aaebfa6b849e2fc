// Reading and writing the search histories.
#include "app/SearchHistoryFile.h"

#include "app/ProfileFile.h"

namespace qmk {

void loadSearchHistory(SearchHistory& history, const ProfileFile& profile, const std::string& prefix)
{
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < SearchHistory::Length; ++i)
        if (std::string text = profile.getString("FIND", prefix + std::to_string(i), ""); !text.empty())
            entries.push_back(std::move(text));
    history.assign(std::move(entries));
}

bool saveSearchHistory(const SearchHistory& history, ProfileFile& profile, const std::string& prefix)
{
    std::vector<std::pair<std::string, std::string>> keys;
    const std::vector<std::string>& entries = history.entries();
    for (std::size_t i = 0; i < SearchHistory::Length; ++i)
        keys.emplace_back(prefix + std::to_string(i), i < entries.size() ? entries[i] : "");
    return profile.writeStrings("FIND", keys);
}

} // namespace qmk
