// The main window's Window menu and window stepping, and the quick bookmark commands.
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

namespace qmk {
namespace {

QString qs(const char* text) { return QString::fromUtf8(text); }

} // namespace

void CMainFrame::fillWindowMenu()
{
    windowMenu_->clear();
    windowMenu_->addAction(qs(txt::MenuCascade), area_, &QMdiArea::cascadeSubWindows);
    windowMenu_->addAction(qs(txt::MenuTile), area_, &QMdiArea::tileSubWindows);
    windowMenu_->addSeparator();
    windowMenu_->addAction(action(uicmd::NextWindow));
    windowMenu_->addAction(action(uicmd::PreviousWindow));
    const QList<QMdiSubWindow*> windows = area_->subWindowList();
    if (windows.isEmpty())
        return;
    windowMenu_->addSeparator();
    int n = 0;
    for (QMdiSubWindow* window : windows) {
        ++n;
        // The first nine by their number, as desktop programs number their windows.
        const QString title = window->windowTitle().replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* entry = windowMenu_->addAction(n <= 9 ? QStringLiteral("&%1 %2").arg(n).arg(title) : title);
        entry->setCheckable(true);
        entry->setChecked(window == area_->activeSubWindow());
        entry->setStatusTip(qs(txt::StatusWindowEntry));
        connect(entry, &QAction::triggered, this, [this, window = QPointer<QMdiSubWindow>(window)] {
            if (window)
                area_->setActiveSubWindow(window);
        });
    }
}

void CMainFrame::stepWindow(bool forward)
{
    if (forward)
        area_->activateNextSubWindow();
    else
        area_->activatePreviousSubWindow();
    if (QMdiSubWindow* window = area_->activeSubWindow())
        window->widget()->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::setBookmark()
{
    CChildFrame* child = activeChild();
    if (!child || child->chosenItem().lineIndex < 0)
        return;
    CQuillDoc& doc = child->document();
    const int row = doc.rows().rowOfLineIndex(child->chosenItem().lineIndex);
    BookmarkRow bookmark;
    bookmark.lineIndex = child->chosenItem().lineIndex;
    bookmark.window = txt::BookmarkWindowText;
    bookmark.name = row >= 0 ? doc.rows().row(row).cell(TextTableColumns::IdColumn) : std::string();
    if (bookmark.name.empty())
        bookmark.name = std::to_string(bookmark.lineIndex);
    if (std::optional<LanguageId> language = child->textList()->currentLanguage(); language && !child->textList()->sourceColumnChosen())
        bookmark.language = *language;
    else
        bookmark.language = {-1, -1};
    try {
        doc.addBookmark(bookmark);
    } catch (const DaoException& error) {
        feedback_.messageText(error.report(), Icon::Stop);
        return;
    }
    statusBar()->showMessage(QString::fromStdString(fillPlaceholders(txt::BookmarkSet, {bookmark.name})), 5000);
}

void CMainFrame::stepBookmark(bool forward)
{
    CChildFrame* child = activeChild();
    if (!child)
        return;
    CQuillDoc& doc = child->document();
    std::vector<int> rows;
    std::vector<int> lines;
    try {
        for (const IdentRow& entry : doc.bookmarks()) {
            const std::optional<BookmarkRow> bookmark = doc.bookmark(entry.lineIndex);
            if (!bookmark || bookmark->window != txt::BookmarkWindowText)
                continue;
            const int row = doc.rows().rowOfLineIndex(bookmark->lineIndex);
            rows.push_back(row >= 0 && child->textList()->isRowShown(row) ? row : -1);
            lines.push_back(bookmark->lineIndex);
        }
    } catch (const DaoException& error) {
        feedback_.messageText(error.report(), Icon::Stop);
        return;
    }
    const int row = nextBookmarkedRow(rows, doc.rows().rowOfLineIndex(child->chosenItem().lineIndex), forward);
    if (row < 0) {
        statusBar()->showMessage(qs(txt::NoBookmarkInTable), 5000);
        return;
    }
    area_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(child->parentWidget()));
    child->chooseItem(doc.rows().item(row).lineIndex);
    landInTranslationBox();
}

} // namespace qmk
