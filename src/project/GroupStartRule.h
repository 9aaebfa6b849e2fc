// Decides, row after row of one fill of the Text Table, where a new group of item types
// begins and where a run of dialog rows passes on to another dialog.
#pragma once

#include "project/CObjectData.h"
#include "project/ItemTypes.h"

namespace qmk {

class GroupStartRule {
public:
    // The group start of the next row; dialogLine is the LineIndex of the dialog that owns a
    // caption or control row (ignored for other types).
    GroupStart next(ItemType type, int dialogLine);

    // Whether a row of this type continues a group begun by a row of groupType.
    static bool continues(ItemType groupType, ItemType type);

private:
    ItemType groupType_ = ItemType::None;
    int previousDialog_ = -1;
    bool hasPreviousDialog_ = false;
};

} // namespace qmk
