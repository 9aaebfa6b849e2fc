// The project's texts, light, for an import.
#include "exchange/ProjectTextList.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "database/CProjectDatabase.h"
#include "project/CQuillDoc.h"
#include "project/TranslationForm.h"

namespace qmk {

std::string_view TextArena::keep(std::string_view text)
{
    if (text.empty())
        return {};
    if (text.size() > kBlockBytes / 4) {
        // A long text gets a block of its own; the next short one starts a new block.
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(text.size()));
        std::memcpy(blocks_.back().get(), text.data(), text.size());
        used_ = kBlockBytes;
        return {blocks_.back().get(), text.size()};
    }
    if (used_ + text.size() > kBlockBytes) {
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockBytes));
        used_ = 0;
    }
    char* at = blocks_.back().get() + used_;
    std::memcpy(at, text.data(), text.size());
    used_ += text.size();
    return {at, text.size()};
}

std::string UnitIds::next(std::string_view itemType, std::string_view resource, std::string_view ident, bool& first)
{
    std::string id;
    id.reserve(itemType.size() + resource.size() + ident.size() + 2);
    id.append(itemType).append("/");
    if (!resource.empty())
        id.append(resource).append("/");
    id.append(ident);
    for (char& c : id)
        if (c == ' ')
            c = '_';
    const auto counted = seen_.find(id);
    first = counted == seen_.end();
    if (!first)
        id += "#" + std::to_string(++counted->second);
    return id;
}

namespace {

// The owning resources of the items by line index, each name kept once: looked up by line in an
// array, not in a map, which costs a cache miss per text.
class ResourcesByLine {
public:
    ResourcesByLine(CQuillDoc& doc, TextArena& arena)
    {
        const std::unordered_map<int, std::string> owners = doc.database().items().owningResourceIdents();
        int last = -1;
        for (const auto& [line, resource] : owners)
            last = std::max(last, line);
        byLine_.assign(static_cast<std::size_t>(last + 1), 0);
        std::unordered_map<std::string_view, std::uint32_t> numbers;  // by the name in `owners`
        names_.emplace_back();
        for (const auto& [line, resource] : owners) {
            if (line < 0 || resource.empty())
                continue;
            auto number = numbers.find(resource);
            if (number == numbers.end()) {
                number = numbers.emplace(resource, static_cast<std::uint32_t>(names_.size())).first;
                names_.push_back(arena.keep(resource));
            }
            byLine_[static_cast<std::size_t>(line)] = number->second;
        }
    }
    std::string_view of(int line) const
    {
        return line >= 0 && static_cast<std::size_t>(line) < byLine_.size() ? names_[byLine_[static_cast<std::size_t>(line)]]
                                                                            : std::string_view();
    }

private:
    std::vector<std::uint32_t> byLine_;  // 0: none, else the name's number
    std::vector<std::string_view> names_;
};

} // namespace

ProjectTextList::ProjectTextList(CQuillDoc& doc, LanguageId language)
{
    const TextTableRows& rows = doc.rows();
    const int column = rows.columns().columnOfLanguage(language);
    if (column < 0)
        return;
    const ResourcesByLine resources(doc, arena_);
    UnitIds ids(static_cast<std::size_t>(rows.rowCount()));
    texts_.reserve(static_cast<std::size_t>(rows.rowCount()));
    for (int row = 0; row < rows.rowCount(); ++row) {
        const CObjectData& item = rows.item(row);
        if (item.excluded)
            continue;
        ProjectText& text = texts_.emplace_back();
        text.lineIndex = item.lineIndex;
        text.type = item.itemType;
        text.itemType = itemTypeDisplayName(item.itemType);
        text.resource = resources.of(item.lineIndex);
        // Decoded without keeping the decoded row in the table, which would add to what the import holds.
        text.ident = arena_.keep(rows.passingDisplayText(row, TextTableColumns::IdColumn));
        bool first = false;
        text.id = arena_.keep(ids.next(text.itemType, text.resource, text.ident, first));
        if (first)
            ids.remember(text.id);
        text.source = arena_.keep(toPlatformForm(rows.passingDisplayText(row, TextTableColumns::SourceColumn)));
        text.target = arena_.keep(toPlatformForm(rows.passingDisplayText(row, column)));
        text.needsReview = item.isModified(language);
    }
}

} // namespace qmk
