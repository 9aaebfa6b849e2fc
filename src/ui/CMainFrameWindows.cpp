// The main window's Window menu: its arrangements, its commands and one entry per window.
#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QStatusBar>

#include "database/DaoException.h"
#include "project/CQuillDoc.h"
#include "project/ItemNavigation.h"
#include "project/TextTableRows.h"
#include "resources/MenuTexts.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"
#include "ui/CChildFrame.h"
#include "ui/CMainFrame.h"
#include "ui/CMessageBoxFeedback.h"
#include "ui/CPreviewView.h"
#include "ui/CTextListView.h"
#include "ui/commands/CommandMenus.h"

namespace qmk {
namespace {

QString qs(const char* text) { return QString::fromUtf8(text); }

} // namespace

void CMainFrame::fillWindowMenu()
{
    QMenu* menu = menus_.at(Menu::Window);
    menu->clear();
    menu->addAction(qs(txt::MenuCascade), area_, &QMdiArea::cascadeSubWindows);
    menu->addAction(qs(txt::MenuTile), area_, &QMdiArea::tileSubWindows);
    menu->addSeparator();
    for (int id : commandsIn(Menu::Window)) {
        if (id == 0)
            menu->addSeparator();
        else
            menu->addAction(action(id));
    }
    const QList<QMdiSubWindow*> windows = area_->subWindowList();
    if (windows.isEmpty())
        return;
    menu->addSeparator();
    int n = 0;
    for (QMdiSubWindow* window : windows) {
        ++n;
        // The first nine by their number, as desktop programs number their windows.
        const QString title = window->windowTitle().replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* entry = menu->addAction(n <= 9 ? QStringLiteral("&%1 %2").arg(n).arg(title) : title);
        entry->setCheckable(true);
        entry->setChecked(window == area_->activeSubWindow());
        entry->setStatusTip(qs(txt::StatusWindowEntry));
        connect(entry, &QAction::triggered, this, [this, window = QPointer<QMdiSubWindow>(window)] {
            if (window)
                area_->setActiveSubWindow(window);
        });
    }
}

} // namespace qmk
