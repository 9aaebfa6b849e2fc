// The item-type and category tables of the Text Table: line kind to item type, the "Id"
// column texts, and which display switch shows which kinds and removes which types.
#include "project/ItemTypes.h"

#include <array>

#include "project/ItemLineKinds.h"
#include "resources/Texts.h"

namespace qmk {

namespace {

bool isDialogItemKind(int kind)
{
    return kind == itemkind::Control || (kind >= itemkind::FirstTextControl && kind <= itemkind::LastTextControl) ||
           (kind >= itemkind::FirstAutoControl && kind <= itemkind::LastAutoControl);
}

// The dialog category also governs the controls that never carry a text (ICON, EDITTEXT, ...).
bool isDialogCategoryKind(int kind)
{
    return kind == itemkind::DialogCaption || kind == itemkind::Control ||
           (kind >= itemkind::IconControl && kind <= itemkind::EditTextControl) ||
           (kind >= itemkind::FirstAutoControl && kind <= itemkind::LastAutoControl);
}

struct CategoryEntry {
    ProjectSwitch which;
    std::array<ItemType, 2> removed;
    int removedCount;
    bool progress;
};

constexpr CategoryEntry Categories[] = {
    {ProjectSwitch::DialogEdit, {ItemType::DialogItem, ItemType::DialogCaption}, 2, true},
    {ProjectSwitch::MenuEdit, {ItemType::MenuItem, ItemType::PopupMenu}, 2, true},
    {ProjectSwitch::StringtableEdit, {ItemType::StringtableString}, 1, true},
    {ProjectSwitch::VersionEdit, {ItemType::BlockHeader, ItemType::VersionValue}, 2, false},
    {ProjectSwitch::BitmapEdit, {ItemType::BitmapNode, ItemType::BitmapFile}, 2, false},
    {ProjectSwitch::IncludeEdit, {ItemType::IncludeStatement}, 1, false},
    {ProjectSwitch::ExcludeEdit, {}, 0, false},
};

const CategoryEntry* categoryEntry(ProjectSwitch which)
{
    for (const CategoryEntry& entry : Categories)
        if (entry.which == which)
            return &entry;
    return nullptr;
}

} // namespace

ItemType itemTypeOfLineKind(int lineKind)
{
    if (isDialogItemKind(lineKind))
        return ItemType::DialogItem;
    switch (lineKind) {
    case itemkind::DialogHeader: return ItemType::Dialog;
    case itemkind::MenuHeader: return ItemType::Menu;
    case itemkind::StringtableString: return ItemType::StringtableString;
    case itemkind::VersionBlock: return ItemType::BlockHeader;
    case itemkind::VersionValue: return ItemType::VersionValue;
    case itemkind::Bitmap: return ItemType::BitmapFile;
    case itemkind::DialogCaption: return ItemType::DialogCaption;
    case itemkind::MenuItem: return ItemType::MenuItem;
    case itemkind::Popup: return ItemType::PopupMenu;
    case itemkind::Include:
    case itemkind::RcInclude: return ItemType::IncludeStatement;
    default: return ItemType::None;
    }
}

std::string_view itemTypeDisplayName(ItemType type)
{
    return txt::itemTypeName(toInt(type));
}

bool showsItemIdentifier(ItemType type)
{
    switch (type) {
    case ItemType::StringtableString:
    case ItemType::VersionValue:
    case ItemType::BitmapNode:
    case ItemType::BitmapFile:
    case ItemType::DialogItem:
    case ItemType::MenuItem: return true;
    default: return false;
    }
}

std::string idText(ItemType type, std::string_view itemIdent)
{
    if (showsItemIdentifier(type))
        return std::string(itemIdent);
    switch (type) {
    case ItemType::BlockHeader: return txt::IdBlockHeader;
    case ItemType::DialogCaption: return txt::IdCaption;
    case ItemType::PopupMenu: return txt::IdPopup;
    case ItemType::IncludeStatement: return txt::IdInclude;
    default: return {};
    }
}

std::optional<ProjectSwitch> categoryOfLineKind(int lineKind)
{
    if (isDialogCategoryKind(lineKind))
        return ProjectSwitch::DialogEdit;
    switch (lineKind) {
    case itemkind::Popup:
    case itemkind::MenuItem: return ProjectSwitch::MenuEdit;
    case itemkind::StringtableString: return ProjectSwitch::StringtableEdit;
    case itemkind::VersionBlock:
    case itemkind::VersionValue: return ProjectSwitch::VersionEdit;
    case itemkind::Bitmap: return ProjectSwitch::BitmapEdit;
    case itemkind::Include:
    case itemkind::RcInclude: return ProjectSwitch::IncludeEdit;
    default: return std::nullopt;
    }
}

bool isShown(int lineKind, bool excluded, const ProjectSwitches& switches)
{
    if (excluded && !switches.excludeEdit)
        return false;
    std::optional<ProjectSwitch> category = categoryOfLineKind(lineKind);
    return !category || switches.get(*category);
}

std::span<const ItemType> itemTypesOfCategory(ProjectSwitch category)
{
    const CategoryEntry* entry = categoryEntry(category);
    if (!entry)
        return {};
    return {entry->removed.data(), static_cast<std::size_t>(entry->removedCount)};
}

bool categoryShowsProgress(ProjectSwitch category)
{
    const CategoryEntry* entry = categoryEntry(category);
    return entry && entry->progress;
}

} // namespace qmk
