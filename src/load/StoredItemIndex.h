// The items of one table as stored before a source update, filed by the keys the update looks
// them up with, so that each line's look-up is a hash probe instead of a query. An item found
// once is passed over by every later look-up, as the stored look-ups pass over written lines.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "database/ProjectRows.h"

namespace qmk {

// The line keys the running update has found again: a bit per key for the keys a project
// numbers its lines with, a set for any far beyond them (a foreign or damaged file).
class FoundLines {
public:
    void add(int lineIndex);
    bool contains(int lineIndex) const
    {
        if (lineIndex >= 0 && lineIndex < kLargestBit)
            return static_cast<std::size_t>(lineIndex) < bits_.size() && bits_[lineIndex];
        return others_.count(lineIndex) != 0;
    }

private:
    static constexpr int kLargestBit = 1 << 24;
    std::vector<bool> bits_;
    std::unordered_set<int> others_;
};

class StoredItemIndex {
public:
    // The key an item is filed under for one look-up; an empty key files it nowhere.
    using KeyOf = std::function<std::string(const StoredItem&)>;

    // A key of two parts, empty when either part is: the stored look-ups compare identifiers
    // and texts with "=", which an absent one never satisfies.
    static std::string key(std::string_view first, std::string_view second);
    // The same key written into `buffer`, which look-ups reuse so as not to allocate one each.
    static std::string_view key(std::string& buffer, std::string_view first, std::string_view second);

    // Files `items` (in script order) once for each look-up, under the key `lookups[n]` gives.
    void load(std::vector<StoredItem> items, const std::vector<KeyOf>& lookups);
    bool isLoaded() const { return loaded_; }

    // The first item under `key` of look-up `lookup` that is not found yet, or null.
    const StoredItem* first(std::size_t lookup, std::string_view key, const FoundLines& found);
    // Every such item, in script order.
    std::vector<const StoredItem*> candidates(std::size_t lookup, std::string_view key, const FoundLines& found);

private:
    // The items of one key: positions [begin, end) of `positions_`, of which those before
    // `begin` are known to be found.
    struct Filed {
        std::size_t begin = 0;
        std::size_t end = 0;
    };
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
    };
    using Lookup = std::unordered_map<std::string, Filed, KeyHash, std::equal_to<>>;

    // The key's items from the first one not found, or null when none are filed.
    Filed* unfound(std::size_t lookup, std::string_view key, const FoundLines& found);

    std::vector<StoredItem> items_;
    std::vector<std::size_t> positions_;  // indexes into items_, grouped by key, each group in script order
    std::vector<Lookup> lookups_;
    bool loaded_ = false;
};

} // namespace qmk
