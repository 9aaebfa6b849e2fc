// The project's texts, light, for an import.
#include "exchange/ProjectTextList.h"

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
        blocks_.push_back(std::make_unique<char[]>(text.size()));
        std::memcpy(blocks_.back().get(), text.data(), text.size());
        used_ = kBlockBytes;
        return {blocks_.back().get(), text.size()};
    }
    if (used_ + text.size() > kBlockBytes) {
        blocks_.push_back(std::make_unique<char[]>(kBlockBytes));
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

ProjectTextList::ProjectTextList(CQuillDoc& doc, LanguageId language)
{
    const TextTableRows& rows = doc.rows();
    const int column = rows.columns().columnOfLanguage(language);
    if (column < 0)
        return;
    const std::unordered_map<int, std::string> owners = doc.database().items().owningResourceIdents();
    std::unordered_map<std::string_view, std::string_view> resources;  // each kept once
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
        if (const auto owner = owners.find(item.lineIndex); owner != owners.end() && !owner->second.empty()) {
            auto kept = resources.find(owner->second);
            if (kept == resources.end())
                kept = resources.emplace(owner->second, arena_.keep(owner->second)).first;
            text.resource = kept->second;
        }
        text.ident = arena_.keep(rows.displayText(row, TextTableColumns::IdColumn));
        bool first = false;
        text.id = arena_.keep(ids.next(text.itemType, text.resource, text.ident, first));
        if (first)
            ids.remember(text.id);
        text.source = arena_.keep(toPlatformForm(rows.displayText(row, TextTableColumns::SourceColumn)));
        text.target = arena_.keep(toPlatformForm(rows.displayText(row, column)));
        text.needsReview = item.isModified(language);
    }
}

} // namespace qmk
