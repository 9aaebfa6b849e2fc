#include "parser/StoredItemIndex.h"

#include <algorithm>

namespace qmk {

void FoundLines::add(int lineIndex)
{
    if (lineIndex < 0)
        return;
    if (static_cast<std::size_t>(lineIndex) >= found_.size())
        found_.resize(static_cast<std::size_t>(lineIndex) * 2 + 1);
    found_[lineIndex] = true;
}

std::string StoredItemIndex::key(std::string_view first, std::string_view second)
{
    if (first.empty() || second.empty())
        return {};
    std::string joined(first);
    // A NUL never occurs in an identifier or a text the reader gives, so it cannot join two
    // different pairs into one key.
    joined += '\0';
    joined += second;
    return joined;
}

void StoredItemIndex::load(std::vector<StoredItem> items, const std::vector<KeyOf>& lookups)
{
    items_ = std::move(items);
    lookups_.assign(lookups.size(), {});
    for (std::size_t n = 0; n < lookups.size(); ++n)
        for (std::size_t at = 0; at < items_.size(); ++at) {
            std::string filed = lookups[n](items_[at]);
            if (!filed.empty())
                lookups_[n][std::move(filed)].push_back(at);
        }
    loaded_ = true;
}

std::vector<std::size_t>* StoredItemIndex::unfound(std::size_t lookup, const std::string& key, const FoundLines& found)
{
    if (key.empty() || lookup >= lookups_.size())
        return nullptr;
    const auto filed = lookups_[lookup].find(key);
    if (filed == lookups_[lookup].end())
        return nullptr;
    std::vector<std::size_t>& positions = filed->second;
    positions.erase(std::remove_if(positions.begin(), positions.end(),
                                   [&](std::size_t at) { return found.contains(items_[at].lineIndex); }),
                    positions.end());
    return &positions;
}

const StoredItem* StoredItemIndex::first(std::size_t lookup, const std::string& key, const FoundLines& found)
{
    const std::vector<std::size_t>* positions = unfound(lookup, key, found);
    if (!positions || positions->empty())
        return nullptr;
    return &items_[positions->front()];
}

std::vector<const StoredItem*> StoredItemIndex::candidates(std::size_t lookup, const std::string& key,
                                                           const FoundLines& found)
{
    std::vector<const StoredItem*> items;
    if (const std::vector<std::size_t>* positions = unfound(lookup, key, found))
        for (std::size_t at : *positions)
            items.push_back(&items_[at]);
    return items;
}

} // namespace qmk
