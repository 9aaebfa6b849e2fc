// Context-menu commands by item type.
#include "project/ItemCommands.h"

#include "resources/CommandIds.h"
#include "resources/UiTexts.h"

namespace qmk {

std::optional<ItemCommand> previewCommandOf(ItemType type)
{
    switch (type) {
    case ItemType::Dialog: return ItemCommand{cmd::ViewDialog, txt::MenuViewDialogEllipsis};
    case ItemType::Menu: return ItemCommand{cmd::ViewMenu, txt::MenuViewMenuEllipsis};
    case ItemType::DialogCaption: return ItemCommand{cmd::ViewDialog, txt::MenuCaptionViewDialog};
    case ItemType::DialogItem: return ItemCommand{cmd::ViewDialog, txt::MenuDialogItemViewDialog};
    case ItemType::MenuItem: return ItemCommand{cmd::ViewMenu, txt::MenuMenuItemViewMenu};
    case ItemType::PopupMenu: return ItemCommand{cmd::ViewMenu, txt::MenuPopupViewMenu};
    case ItemType::BitmapNode:
    case ItemType::BitmapFile: return ItemCommand{cmd::ViewBitmap, txt::MenuViewBitmapEllipsis};
    default: return std::nullopt;
    }
}

bool offersExclude(ItemType type)
{
    return type != ItemType::Dialog && type != ItemType::Menu;
}

} // namespace qmk
