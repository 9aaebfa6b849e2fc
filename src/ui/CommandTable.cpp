// The command table of the main window.
#include "ui/CommandTable.h"

#include <QIcon>
#include <QStyle>
#include <QApplication>

#include "database/ProjectRows.h"
#include "resources/CommandIds.h"
#include "ui/CMainFrame.h"
#include "resources/MenuTexts.h"
#include "resources/UiTexts.h"

namespace qmk {

const std::vector<CommandEntry>& commandTable()
{
    using namespace txt;
    static const std::vector<CommandEntry> table = {
        {uicmd::Open, MenuOpen, QKeySequence::Open, StatusOpen, "document-open", [](CMainFrame& f) { f.openWithDialog(); }},
        {uicmd::Close, MenuClose, QKeySequence(Qt::CTRL | Qt::Key_W), StatusClose, "window-close", [](CMainFrame& f) { f.closeActiveWindow(); }},
        {cmd::Save, MenuSave, QKeySequence::Save, StatusSave, "document-save", [](CMainFrame& f) { f.save(); }},
        {cmd::FileOptions, MenuOptions, {}, StatusOptions, "", nullptr},
        {cmd::ProjectFileOpen, MenuProjectFileOpen, {}, StatusOpen, "document-open", [](CMainFrame& f) { f.openSelectedProjectFile(); }},
        {cmd::ProjectFileRemove, MenuProjectFileRemove, {}, StatusClose, "list-remove", [](CMainFrame& f) { f.removeSelectedProjectFile(); }},
        {uicmd::Exit, MenuExit, QKeySequence::Quit, StatusExit, "application-exit", [](CMainFrame& f) { f.close(); }},

        {cmd::Find, MenuFind, QKeySequence(Qt::Key_F3), StatusFind, "edit-find", [](CMainFrame& f) { f.openFindDialog(false); }},
        {cmd::FindNext, MenuFindNext, QKeySequence(Qt::ALT | Qt::Key_F3), StatusFindNext, "", [](CMainFrame& f) { f.repeatFind(); }},
        {cmd::Replace, MenuReplace, QKeySequence(Qt::CTRL | Qt::Key_H), StatusReplace, "edit-find-replace", [](CMainFrame& f) { f.openFindDialog(true); }},
        {uicmd::FilterRows, MenuFilterRows, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), StatusFilterRows, "", [](CMainFrame& f) { f.focusFilter(); }},
        {uicmd::Undo, MenuUndo, QKeySequence::Undo, StatusUndo, "edit-undo", [](CMainFrame& f) { f.undoOrRedo(true); }},
        {uicmd::Redo, MenuRedo, QKeySequence(Qt::CTRL | Qt::Key_Y), StatusRedo, "edit-redo", [](CMainFrame& f) { f.undoOrRedo(false); }},
        {cmd::VersionBlockHeader, MenuVersionBlockHeader, {}, StatusVersionBlockHeader, "", [](CMainFrame& f) { f.editVersionBlockHeader(); }},
        {cmd::ExcludeItem, MenuExcludeItem, QKeySequence(Qt::CTRL | Qt::Key_X), StatusExcludeItem, "", [](CMainFrame& f) { f.toggleExclude(); }, true},
        {cmd::RemoveMarks, MenuRemoveMarks, {}, StatusRemoveMarks, "edit-clear", [](CMainFrame& f) { f.removeMarks(); }},
        {cmd::NextItem, MenuNextItem, QKeySequence(Qt::Key_F8), StatusNextItem, "go-next", [](CMainFrame& f) { f.stepItem(true); }},
        {cmd::PreviousItem, MenuPreviousItem, QKeySequence(Qt::SHIFT | Qt::Key_F8), StatusPreviousItem, "go-previous", [](CMainFrame& f) { f.stepItem(false); }},
        {uicmd::NextUntranslated, MenuNextUntranslated, QKeySequence(Qt::ALT | Qt::Key_Down), StatusNextUntranslated,
         "", [](CMainFrame& f) { f.goToItem(true, WantedItem::Untranslated); }},
        {uicmd::PreviousUntranslated, MenuPreviousUntranslated, QKeySequence(Qt::ALT | Qt::Key_Up),
         StatusPreviousUntranslated, "", [](CMainFrame& f) { f.goToItem(false, WantedItem::Untranslated); }},
        {uicmd::NextFlagged, MenuNextFlagged, QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Down), StatusNextFlagged, "",
         [](CMainFrame& f) { f.goToItem(true, WantedItem::Flagged); }},
        {uicmd::PreviousFlagged, MenuPreviousFlagged, QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Up),
         StatusPreviousFlagged, "", [](CMainFrame& f) { f.goToItem(false, WantedItem::Flagged); }},
        {uicmd::PseudoTranslate, MenuPseudoTranslate, {}, StatusPseudoTranslate, "", [](CMainFrame& f) { f.pseudoTranslate(); }},
        {uicmd::PreTranslate, MenuPreTranslate, {}, StatusPreTranslate, "", [](CMainFrame& f) { f.preTranslate(); }},
        {uicmd::ImportTmx, MenuImportTmx, {}, StatusImportTmx, "", [](CMainFrame& f) { f.importTmxIntoMemory(); }},
        {uicmd::ExportTmx, MenuExportTmx, {}, StatusExportTmx, "", [](CMainFrame& f) { f.exportMemoryAsTmx(); }},
        {uicmd::Statistics, MenuStatistics, {}, StatusStatisticsCommand, "", [](CMainFrame& f) { f.showStatistics(); }},
        {uicmd::AcceptSourceChange, MenuAcceptSourceChange, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A),
         StatusAcceptSourceChange, "", [](CMainFrame& f) { f.acceptSourceChange(); }},
        {cmd::Translate, MenuTranslateItem, QKeySequence(Qt::Key_F2), StatusTranslate, "accessories-text-editor", [](CMainFrame& f) { f.showTranslationBar(); }},
        {cmd::Bookmark, MenuBookmark, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B), StatusBookmark, "bookmark-new", [](CMainFrame& f) { f.bookmark(); }},
        {uicmd::SetBookmark, MenuSetBookmark, QKeySequence(Qt::CTRL | Qt::Key_F2), StatusSetBookmark, "", [](CMainFrame& f) { f.setBookmark(); }},
        {uicmd::NextBookmark, MenuNextBookmark, QKeySequence(Qt::ALT | Qt::Key_PageDown), StatusNextBookmark, "", [](CMainFrame& f) { f.stepBookmark(true); }},
        {uicmd::PreviousBookmark, MenuPreviousBookmark, QKeySequence(Qt::ALT | Qt::Key_PageUp), StatusPreviousBookmark, "", [](CMainFrame& f) { f.stepBookmark(false); }},
        {uicmd::ViewTranslateBar, MenuViewTranslateBar, QKeySequence(Qt::ALT | Qt::Key_1), StatusViewPanel, "", [](CMainFrame& f) { f.togglePanel(uicmd::ViewTranslateBar); }},
        {uicmd::ViewMemoryPanel, MenuViewMemoryPanel, QKeySequence(Qt::ALT | Qt::Key_2), StatusViewPanel, "", [](CMainFrame& f) { f.togglePanel(uicmd::ViewMemoryPanel); }},
        {uicmd::ViewChecksPanel, MenuViewChecksPanel, QKeySequence(Qt::ALT | Qt::Key_3), StatusViewPanel, "", [](CMainFrame& f) { f.togglePanel(uicmd::ViewChecksPanel); }},
        {uicmd::ViewProjectFilesPanel, MenuViewProjectFilesPanel, QKeySequence(Qt::ALT | Qt::Key_4), StatusViewPanel, "", [](CMainFrame& f) { f.togglePanel(uicmd::ViewProjectFilesPanel); }},
        {uicmd::NextWindow, MenuNextWindow, QKeySequence(Qt::CTRL | Qt::Key_F6), StatusNextWindow, "", [](CMainFrame& f) { f.stepWindow(true); }, false, QKeySequence(Qt::CTRL | Qt::Key_Tab)},
        {uicmd::PreviousWindow, MenuPreviousWindow, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6), StatusPreviousWindow, "", [](CMainFrame& f) { f.stepWindow(false); }, false, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)},
        {cmd::ShowDialogResources, MenuDialogResources, {}, StatusSwitch, "", [](CMainFrame& f) { f.toggleSwitch(ProjectSwitch::DialogEdit); }, true},
        {cmd::ShowMenuResources, MenuMenuResources, {}, StatusSwitch, "", [](CMainFrame& f) { f.toggleSwitch(ProjectSwitch::MenuEdit); }, true},
        {cmd::ShowStringtableResources, MenuStringtableResource, {}, StatusSwitch, "", [](CMainFrame& f) { f.toggleSwitch(ProjectSwitch::StringtableEdit); }, true},
        {cmd::ShowVersionInfoResources, MenuVersionInfoResources, {}, StatusSwitch, "", [](CMainFrame& f) { f.toggleSwitch(ProjectSwitch::VersionEdit); }, true},
        {cmd::ShowBitmapResources, MenuBitmapResources, {}, StatusSwitch, "", [](CMainFrame& f) { f.toggleSwitch(ProjectSwitch::BitmapEdit); }, true},
        {cmd::ShowFileIncludes, MenuFileIncludes, {}, StatusSwitch, "", [](CMainFrame& f) { f.toggleSwitch(ProjectSwitch::IncludeEdit); }, true},
        {cmd::ShowExcludedText, MenuExcludedText, {}, StatusSwitch, "", [](CMainFrame& f) { f.toggleSwitch(ProjectSwitch::ExcludeEdit); }, true},

        {cmd::ViewDialog, MenuViewDialog, QKeySequence(Qt::CTRL | Qt::Key_D), StatusViewPreview, "", [](CMainFrame& f) { f.previewChosenItem(cmd::ViewDialog); }},
        {cmd::ViewMenu, MenuViewMenu, QKeySequence(Qt::CTRL | Qt::Key_M), StatusViewPreview, "", [](CMainFrame& f) { f.previewChosenItem(cmd::ViewMenu); }},
        {cmd::ViewBitmap, MenuViewBitmap, QKeySequence(Qt::CTRL | Qt::Key_B), StatusViewPreview, "image-x-generic", [](CMainFrame& f) { f.previewChosenItem(cmd::ViewBitmap); }},
        {cmd::ViewSourceLanguage, MenuViewSourceLanguage, {}, StatusViewSource, "", [](CMainFrame& f) { f.showPreviewIn(false); }, true},
        {cmd::ViewTranslated, MenuViewTranslated, {}, StatusViewTranslated, "", [](CMainFrame& f) { f.showPreviewIn(true); }, true},
        {cmd::ShowInTextTable, MenuShowInTextTable, {}, StatusShowInTextTable, "", [](CMainFrame& f) { f.showInTextTable(f.activePreview()); }},

        {cmd::UpdateDatabase, MenuUpdateDatabase, {}, StatusUpdateDatabase, "view-refresh", [](CMainFrame& f) { f.updateDatabase(); }},
        {cmd::RefreshStatus, MenuRefreshStatus, QKeySequence(Qt::Key_F5), StatusRefreshStatus, "", [](CMainFrame& f) { f.refreshStatus(); }},
        {cmd::ShowChangedSourceText, MenuShowChangedSourceText, {}, StatusShowChangedSourceText, "", [](CMainFrame& f) { f.showChangedSourceText(); }},
        {cmd::ResourceEditor, MenuResourceEditor, {}, StatusResourceEditor, "", nullptr},
        {cmd::NewTranslation, MenuNewTranslation, {}, StatusNewTranslation, "list-add", [](CMainFrame& f) { f.newTranslation(); }},
        {cmd::DeleteTranslation, MenuDeleteTranslation, {}, StatusDeleteTranslation, "list-remove", [](CMainFrame& f) { f.deleteTranslation(); }},

        {cmd::ApplicationSettings, MenuOptions, QKeySequence::Preferences, StatusApplicationSettings, "preferences-system", [](CMainFrame& f) { f.applicationSettings(); }},
        {cmd::ToolbarSettings, MenuToolbars, {}, StatusToolbarSettings, "", [](CMainFrame& f) { f.toolbarSettings(); }},
        {cmd::ExportToExcel, MenuExportToExcel, {}, StatusExportToExcel, "x-office-spreadsheet", [](CMainFrame& f) { f.exportToWorkbook(); }},
        {cmd::ExportToDatabase, MenuExportToDatabase, {}, StatusExportToDatabase, "", [](CMainFrame& f) { f.exportToDatabase(); }},
        {cmd::ImportText, MenuImportText, {}, StatusImportText, "document-import", [](CMainFrame& f) { f.importText(); }},
        {uicmd::ExportForPlatforms, MenuExportPlatform, {}, StatusExportPlatform, "document-export", [](CMainFrame& f) { f.exportForPlatforms(); }},
        {uicmd::Tabbed, MenuTabbedWindows, {}, StatusTabbed, "", [](CMainFrame& f) { f.setTabbed(); }, true},
        {uicmd::HelpTopics, MenuHelpTopics, QKeySequence::HelpContents, StatusHelp, "help-contents", [](CMainFrame& f) { f.showHelp(); }},
        {uicmd::About, MenuAbout, {}, StatusAbout, "help-about", [](CMainFrame& f) { f.showAbout(); }},
    };
    return table;
}

namespace {

// The desktop's icon where its theme has one; otherwise the style's own standard icon, so a
// toolbar never shows an empty square.
QIcon themedIcon(const char* name)
{
    struct Fallback {
        const char* name;
        QStyle::StandardPixmap pixmap;
    };
    static const Fallback fallbacks[] = {
        {"document-open", QStyle::SP_DialogOpenButton}, {"document-save", QStyle::SP_DialogSaveButton},
        {"window-close", QStyle::SP_DialogCloseButton}, {"application-exit", QStyle::SP_DialogCloseButton},
        {"go-next", QStyle::SP_ArrowForward},           {"go-previous", QStyle::SP_ArrowBack},
        {"view-refresh", QStyle::SP_BrowserReload},     {"help-contents", QStyle::SP_MessageBoxQuestion},
        {"help-about", QStyle::SP_MessageBoxInformation}, {"list-remove", QStyle::SP_TrashIcon},
        {"edit-clear", QStyle::SP_DialogResetButton},   {"list-add", QStyle::SP_FileDialogNewFolder},
        {"image-x-generic", QStyle::SP_FileIcon},       {"bookmark-new", QStyle::SP_FileDialogDetailedView},
        {"accessories-text-editor", QStyle::SP_FileDialogContentsView},
        {"preferences-system", QStyle::SP_FileDialogInfoView},
        {"x-office-spreadsheet", QStyle::SP_FileIcon}, {"document-import", QStyle::SP_ArrowDown}, {"document-export", QStyle::SP_ArrowUp},
        {"edit-find", QStyle::SP_FileDialogContentsView}, {"edit-find-replace", QStyle::SP_FileDialogDetailedView},
        {"edit-undo", QStyle::SP_ArrowBack},            {"edit-redo", QStyle::SP_ArrowForward},
    };
    QIcon fallback;
    for (const Fallback& f : fallbacks)
        if (qstrcmp(f.name, name) == 0)
            fallback = QApplication::style()->standardIcon(f.pixmap);
    return QIcon::fromTheme(QString::fromLatin1(name), fallback);
}

} // namespace

void useDesktopIconTheme()
{
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
}

CommandActions::CommandActions(QObject* owner)
{
    for (const CommandEntry& entry : commandTable()) {
        auto* action = new QAction(QString::fromUtf8(entry.text), owner);
        action->setObjectName(QStringLiteral("command%1").arg(entry.id));
        action->setData(entry.id);
        if (entry.alternate.isEmpty())
            action->setShortcut(entry.shortcut);
        else
            action->setShortcuts({entry.shortcut, entry.alternate});
        action->setStatusTip(QString::fromUtf8(entry.status));
        action->setToolTip(QString(entry.text).remove(QLatin1Char('&')));
        action->setCheckable(entry.checkable);
        if (entry.icon && *entry.icon)
            action->setIcon(themedIcon(entry.icon));
        actions_[entry.id] = action;
    }
}

QAction* CommandActions::action(int id) const
{
    auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

} // namespace qmk
