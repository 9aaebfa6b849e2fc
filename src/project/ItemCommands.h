// The preview command a Text Table row or a tree node offers in its context menu, by item type:
// "View Dialog..." for a dialog, "Dialog Item: View Dialog..." for a control, and so on.
#pragma once

#include <optional>

#include "project/ItemTypes.h"

namespace qmk {

struct ItemCommand {
    int command;
    const char* text;
};

std::optional<ItemCommand> previewCommandOf(ItemType type);
// Dialogs and menus themselves cannot be excluded: their rows offer no "Exclude From Translation".
bool offersExclude(ItemType type);

} // namespace qmk
