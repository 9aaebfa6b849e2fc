// The context menu of a Text Table row or a resource-tree node.
#pragma once

#include <QMenu>
#include <functional>

#include "project/ItemTypes.h"

namespace qmk {

// Fills `menu` with the item's preview command, "&Bookmark..." and, where `withExclude` and
// the type allows it, "Exclude From Translation"; each entry triggers the window's action.
void fillItemMenu(QMenu& menu, ItemType type, const std::function<QAction*(int)>& action, bool withExclude,
                  bool bookmarkEnabled);

} // namespace qmk
