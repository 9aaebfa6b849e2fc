// The commands on the window itself.
#include "ui/commands/WindowCommands.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDockWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QMessageBox>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QUrl>
#include <algorithm>
#include <filesystem>

#include "project/CQuillDoc.h"
#include "resources/CommandIds.h"
#include "resources/MenuTexts.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"
#include "ui/CChildFrame.h"
#include "ui/CMessageBoxFeedback.h"
#include "ui/CToolbarSettingsSheet.h"
#include "ui/CTranslDlgView.h"
#include "ui/commands/CommandContext.h"
#include "ui/commands/CommandMenus.h"

namespace qmk {
namespace {

QString qs(const char* text) { return QString::fromUtf8(text); }

} // namespace

void closeActiveWindow(CommandContext& ctx)
{
    if (QMdiSubWindow* window = ctx.area().currentSubWindow())
        window->close();
}

void exitProgram(CommandContext& ctx)
{
    ctx.window().close();
}

void stepWindow(CommandContext& ctx, bool forward)
{
    if (forward)
        ctx.area().activateNextSubWindow();
    else
        ctx.area().activatePreviousSubWindow();
    if (QMdiSubWindow* window = ctx.area().activeSubWindow())
        window->widget()->setFocus(Qt::OtherFocusReason);
}

void setTabbed(CommandContext& ctx)
{
    ctx.area().setViewMode(ctx.action(uicmd::Tabbed)->isChecked() ? QMdiArea::TabbedView : QMdiArea::SubWindowView);
    keepTabsOutOfTheTabOrder(ctx.area());
}

void togglePanel(CommandContext& ctx, int command)
{
    QDockWidget* panel = ctx.panel(command);
    if (!panel)
        return;
    const bool translateBar = command == uicmd::ViewTranslateBar;
    QWidget* focused = QApplication::focusWidget();
    if (panel->isVisible() && !panel->widget()->visibleRegion().isEmpty() && focused && panel->isAncestorOf(focused)) {
        panel->hide();
        if (!translateBar)
            ctx.landInTranslationBox();
        return;
    }
    panel->show();
    panel->raise();
    if (translateBar) {
        ctx.translateForm().focusTranslation();
        return;
    }
    // The panel's first control that takes the focus.
    for (QWidget* widget : panel->widget()->findChildren<QWidget*>())
        if (widget->isVisibleTo(panel) && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus)) {
            widget->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    panel->widget()->setFocus(Qt::ShortcutFocusReason);
}

void toolbarSettings(CommandContext& ctx)
{
    QMainWindow& window = ctx.window();
    CToolbarSettingsSheet sheet({{qs(txt::BarEditToolbar), window.findChild<QToolBar*>(QStringLiteral("editToolBar"))},
                                 {qs(txt::MenuProjectFileList), ctx.panel(uicmd::ViewProjectFilesPanel)},
                                 {qs(txt::BarStatusbar), window.statusBar()},
                                 {qs(txt::BarLanguageToolbar), window.findChild<QToolBar*>(QStringLiteral("languageToolBar"))}},
                                &window);
    sheet.exec();
}

void showHelp(CommandContext& ctx)
{
    // The manual installed with the program (share/qmk32 beside its bin folder), a copy the setup
    // program put next to it, and last the source tree's while developing; when none is there,
    // the message names the installed place.
    const std::filesystem::path programFolder = QApplication::applicationDirPath().toStdString();
    const std::filesystem::path places[] = {(programFolder / QMK_MANUAL_FROM_BINDIR).lexically_normal(),
                                            programFolder / "manual.md", QMK_MANUAL_PATH};
    for (const std::filesystem::path& place : places) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(place, ec)) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(place.string())));
            return;
        }
    }
    ctx.feedback().messageText(fillPlaceholders(txt::ManualNotFound, {places[0].string()}), Icon::Exclamation);
}

void showAbout(CommandContext& ctx)
{
    QMessageBox::about(&ctx.window(), QApplication::applicationName(),
                       QString::fromStdString(fillPlaceholders(txt::AboutText, {QMK_VERSION})));
}

void fillWindowMenu(CommandContext& ctx, QMenu& menu)
{
    menu.clear();
    menu.addAction(qs(txt::MenuCascade), &ctx.area(), &QMdiArea::cascadeSubWindows);
    menu.addAction(qs(txt::MenuTile), &ctx.area(), &QMdiArea::tileSubWindows);
    menu.addSeparator();
    for (int id : commandsIn(Menu::Window)) {
        if (id == 0)
            menu.addSeparator();
        else
            menu.addAction(ctx.action(id));
    }
    const QList<QMdiSubWindow*> windows = ctx.area().subWindowList();
    if (windows.isEmpty())
        return;
    menu.addSeparator();
    int n = 0;
    for (QMdiSubWindow* window : windows) {
        ++n;
        // The first nine by their number, as desktop programs number their windows.
        const QString title = window->windowTitle().replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* entry = menu.addAction(n <= 9 ? QStringLiteral("&%1 %2").arg(n).arg(title) : title);
        entry->setCheckable(true);
        entry->setChecked(window == ctx.area().activeSubWindow());
        entry->setStatusTip(qs(txt::StatusWindowEntry));
        QObject::connect(entry, &QAction::triggered, entry, [&ctx, window = QPointer<QMdiSubWindow>(window)] {
            if (window)
                ctx.area().setActiveSubWindow(window);
        });
    }
}

void keepTabsOutOfTheTabOrder(QMdiArea& area)
{
    // As a Tab stop the tab bar would bring another window forward on the way from the table
    // to the panels.
    for (QTabBar* tabs : area.findChildren<QTabBar*>())
        tabs->setFocusPolicy(Qt::NoFocus);
}

void withoutOwnShortcuts(QMdiSubWindow& window)
{
    if (QMenu* menu = window.systemMenu())
        for (QAction* entry : menu->actions())
            entry->setShortcut({});
}

void distinguishTitles(const std::vector<CChildFrame*>& open)
{
    for (CChildFrame* child : open) {
        const std::filesystem::path path = child->document().documentPath();
        const bool shared = std::any_of(open.begin(), open.end(), [&](CChildFrame* other) {
            return other != child && other->document().documentPath().filename() == path.filename();
        });
        child->setTitleSuffix(shared ? QStringLiteral(" (%1)").arg(QString::fromStdString(path.parent_path().string()))
                                     : QString());
    }
}

} // namespace qmk
