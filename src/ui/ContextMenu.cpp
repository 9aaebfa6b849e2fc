// Context menus of the project window.
#include "ui/ContextMenu.h"

#include "project/ItemCommands.h"
#include "resources/CommandIds.h"
#include "resources/UiTexts.h"

namespace qmk {

void fillItemMenu(QMenu& menu, ItemType type, const std::function<QAction*(int)>& action, bool withExclude,
                  bool bookmarkEnabled)
{
    auto add = [&](int id, const char* text, bool enabled) {
        QAction* target = action(id);
        QAction* entry = menu.addAction(QString::fromUtf8(text));
        entry->setEnabled(enabled && target && target->isEnabled());
        if (target)
            QObject::connect(entry, &QAction::triggered, target, &QAction::trigger);
    };
    if (std::optional<ItemCommand> preview = previewCommandOf(type)) {
        add(preview->command, preview->text, true);
        menu.addSeparator();
    }
    add(cmd::Bookmark, txt::MenuBookmark, bookmarkEnabled);
    if (withExclude && offersExclude(type))
        add(cmd::ExcludeItem, txt::MenuExcludeFromTranslation, true);
}

} // namespace qmk
