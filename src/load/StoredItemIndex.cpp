#include "load/StoredItemIndex.h"

#include <algorithm>


namespace qmk {

void FoundLines::add(int lineIndex)
{
    if (lineIndex < 0 || lineIndex >= kLargestBit) {
        others_.insert(lineIndex);
        return;
    }
    const auto at = static_cast<std::size_t>(lineIndex);
    if (at >= bits_.size())
        bits_.resize(std::min(at * 2 + 1, static_cast<std::size_t>(kLargestBit)));
    bits_[at] = true;
}

std::string_view StoredItemIndex::key(std::string& buffer, std::string_view first, std::string_view second)
{
    buffer.clear();
    if (first.empty() || second.empty())
        return {};
    // A NUL never occurs in an identifier or a text the reader gives, so it cannot join two
    // different pairs into one key.
    buffer += first;
    buffer += '\0';
    buffer += second;
    return buffer;
}

std::string StoredItemIndex::key(std::string_view first, std::string_view second)
{
    std::string buffer;
    key(buffer, first, second);
    return buffer;
}

void StoredItemIndex::load(std::vector<StoredItem> items, const std::vector<KeyOf>& lookups)
{
    items_ = std::move(items);
    lookups_.assign(lookups.size(), {});
    std::vector<std::pair<Filed*, std::size_t>> filing;  // each item's key group, for the second pass
    std::size_t filed = 0;
    for (std::size_t n = 0; n < lookups.size(); ++n) {
        Lookup& lookup = lookups_[n];
        lookup.reserve(items_.size());
        // First count the items of each key, then give each key its range and fill it.
        for (std::size_t at = 0; at < items_.size(); ++at) {
            std::string key = lookups[n](items_[at]);
            if (key.empty())
                continue;
            Filed& group = lookup[std::move(key)];
            ++group.end;
            filing.emplace_back(&group, at);
            ++filed;
        }
    }
    positions_.assign(filed, 0);
    std::size_t next = 0;
    for (Lookup& lookup : lookups_)
        for (auto& [key, group] : lookup) {
            const std::size_t count = group.end;
            group.begin = group.end = next;
            next += count;
        }
    for (const auto& [group, at] : filing)
        positions_[group->end++] = at;
    loaded_ = true;
}

StoredItemIndex::Filed* StoredItemIndex::unfound(std::size_t lookup, std::string_view key, const FoundLines& found)
{
    if (key.empty() || lookup >= lookups_.size())
        return nullptr;
    const auto filed = lookups_[lookup].find(key);
    if (filed == lookups_[lookup].end())
        return nullptr;
    Filed& group = filed->second;
    while (group.begin < group.end && found.contains(items_[positions_[group.begin]].lineIndex))
        ++group.begin;
    return &group;
}

const StoredItem* StoredItemIndex::first(std::size_t lookup, std::string_view key, const FoundLines& found)
{
    const Filed* group = unfound(lookup, key, found);
    if (!group || group->begin == group->end)
        return nullptr;
    return &items_[positions_[group->begin]];
}

std::vector<const StoredItem*> StoredItemIndex::candidates(std::size_t lookup, std::string_view key,
                                                           const FoundLines& found)
{
    std::vector<const StoredItem*> items;
    if (const Filed* group = unfound(lookup, key, found))
        for (std::size_t at = group->begin; at < group->end; ++at)
            if (!found.contains(items_[positions_[at]].lineIndex))
                items.push_back(&items_[positions_[at]]);
    return items;
}

} // namespace qmk
