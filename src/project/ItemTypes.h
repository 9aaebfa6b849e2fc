// Item types of the Text Table's rows and resource-tree nodes: derived from the line kind,
// with their display names, the text of the "Id" column and the category that shows them.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "database/ProjectRows.h"

namespace qmk {

enum class ItemType {
    None = 0,
    Dialog = 1,
    Menu = 2,
    Stringtable = 3,
    StringtableString = 4,
    Versioninfo = 5,        // tree nodes only
    VersionValueNode = 6,
    BlockHeader = 7,
    VersionValue = 8,
    BitmapNode = 9,         // tree nodes only
    BitmapFile = 10,
    DialogItem = 11,
    DialogCaption = 12,
    MenuItem = 13,
    PopupMenu = 14,
    IncludeStatement = 15,
};

inline constexpr int LastItemType = 15;

constexpr int toInt(ItemType type) { return static_cast<int>(type); }

// None for kind -1 and for every kind that has no item type.
ItemType itemTypeOfLineKind(int lineKind);

// "Dialog", "Menu Item", ...; empty for None.
std::string_view itemTypeDisplayName(ItemType type);

// Types whose "Id" column shows the identifier of their item row (string, value name, bitmap,
// control, menu item).
bool showsItemIdentifier(ItemType type);

// The "Id" column text: the item's identifier for the types above, a fixed text for block
// headers, captions, popups and includes, empty for the rest.
std::string idText(ItemType type, std::string_view itemIdent);

// The display switch that governs a line kind; none for kinds that are always shown.
// ExcludeEdit governs rows, not kinds, and is never returned.
std::optional<ProjectSwitch> categoryOfLineKind(int lineKind);

// Whether a text of this kind and exclude state is shown under the switches.
bool isShown(int lineKind, bool excluded, const ProjectSwitches& switches);

// The item types whose rows leave the table when the category is switched off (empty for ExcludeEdit).
std::span<const ItemType> itemTypesOfCategory(ProjectSwitch category);

// Whether adding the category's rows shows a progress indicator.
bool categoryShowsProgress(ProjectSwitch category);

} // namespace qmk
