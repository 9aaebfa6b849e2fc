// The command table of the main window: one row per command, grouped by the menu it sits in.
#include "ui/CommandTable.h"

#include <QIcon>
#include <QStyle>
#include <QApplication>

#include "database/ProjectRows.h"
#include "resources/CommandIds.h"
#include "resources/GlossaryTexts.h"
#include "ui/commands/CheckCommands.h"
#include "ui/commands/CommandContext.h"
#include "ui/commands/ExchangeFileCommands.h"
#include "ui/commands/GlossaryCommands.h"
#include "ui/commands/MemoryCommands.h"
#include "ui/commands/NavigationCommands.h"
#include "ui/commands/ProjectCommands.h"
#include "ui/commands/TranslationCommands.h"
#include "ui/commands/WindowCommands.h"
#include "resources/MenuTexts.h"
#include "resources/PictureTexts.h"
#include "resources/UiTexts.h"

namespace qmk {

const std::vector<CommandEntry>& commandTable()
{
    using namespace txt;
    static const std::vector<CommandEntry> table = {
        {uicmd::Open, MenuOpen, QKeySequence::Open, StatusOpen, "document-open",
         {Menu::File, 1, 1}, openWithDialog},
        {uicmd::Close, MenuClose, QKeySequence(Qt::CTRL | Qt::Key_W), StatusClose, "window-close",
         {Menu::File, 1}, closeActiveWindow},
        {cmd::Save, MenuSave, QKeySequence::Save, StatusSave, "document-save",
         {Menu::File, 1, 1}, saveTranslations},

        {cmd::ProjectFileOpen, MenuProjectFileOpen, {}, StatusOpen, "document-open",
         {Menu::ProjectFileList, 1}, openSelectedProjectFile},
        {cmd::ProjectFileRemove, MenuProjectFileRemove, {}, StatusClose, "list-remove",
         {Menu::ProjectFileList, 1}, removeSelectedProjectFile},

        {cmd::FileOptions, MenuOptions, {}, StatusOptions, "",
         {Menu::File, 2}, nullptr},
        {uicmd::ExportPictures, MenuExportPictures, {}, StatusExportPictures, "image-x-generic",
         {Menu::File, 3}, exportPictures},
        {uicmd::Exit, MenuExit, QKeySequence::Quit, StatusExit, "application-exit",
         {Menu::File, 4}, exitProgram},

        {uicmd::Undo, MenuUndo, QKeySequence::Undo, StatusUndo, "edit-undo",
         {Menu::Edit, 1}, [](CommandContext& c) { undoOrRedo(c, true); }},
        {uicmd::Redo, MenuRedo, QKeySequence(Qt::CTRL | Qt::Key_Y), StatusRedo, "edit-redo",
         {Menu::Edit, 1}, [](CommandContext& c) { undoOrRedo(c, false); }},
        {cmd::Translate, MenuTranslateItem, QKeySequence(Qt::Key_F2), StatusTranslate, "accessories-text-editor",
         {Menu::Edit, 2}, showTranslationBar},
        {cmd::NextItem, MenuNextItem, QKeySequence(Qt::Key_F8), StatusNextItem, "go-next",
         {Menu::Edit, 2, 2}, [](CommandContext& c) { stepItem(c, true); }},
        {cmd::PreviousItem, MenuPreviousItem, QKeySequence(Qt::SHIFT | Qt::Key_F8), StatusPreviousItem, "go-previous",
         {Menu::Edit, 2}, [](CommandContext& c) { stepItem(c, false); }},
        {uicmd::NextUntranslated, MenuNextUntranslated, QKeySequence(Qt::ALT | Qt::Key_Down), StatusNextUntranslated, "",
         {Menu::Edit, 3}, [](CommandContext& c) { goToItem(c, true, WantedItem::Untranslated); }},
        {uicmd::PreviousUntranslated, MenuPreviousUntranslated, QKeySequence(Qt::ALT | Qt::Key_Up), StatusPreviousUntranslated, "",
         {Menu::Edit, 3}, [](CommandContext& c) { goToItem(c, false, WantedItem::Untranslated); }},
        {uicmd::NextFlagged, MenuNextFlagged, QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Down), StatusNextFlagged, "",
         {Menu::Edit, 3}, [](CommandContext& c) { goToItem(c, true, WantedItem::Flagged); }},
        {uicmd::PreviousFlagged, MenuPreviousFlagged, QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Up), StatusPreviousFlagged, "",
         {Menu::Edit, 3}, [](CommandContext& c) { goToItem(c, false, WantedItem::Flagged); }},
        {uicmd::AcceptSourceChange, MenuAcceptSourceChange, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), StatusAcceptSourceChange, "",
         {Menu::Edit, 4}, acceptSourceChange},
        {cmd::ExcludeItem, MenuExcludeItem, QKeySequence(Qt::CTRL | Qt::Key_X), StatusExcludeItem, "",
         {Menu::Edit, 4}, toggleExclude, true},
        {cmd::RemoveMarks, MenuRemoveMarks, {}, StatusRemoveMarks, "edit-clear",
         {Menu::Edit, 4}, removeMarks},
        {cmd::VersionBlockHeader, MenuVersionBlockHeader, {}, StatusVersionBlockHeader, "",
         {Menu::Edit, 4}, editVersionBlockHeader},

        {cmd::Find, MenuFind, QKeySequence(Qt::Key_F3), StatusFind, "edit-find",
         {Menu::Search, 1}, [](CommandContext& c) { openFindDialog(c, false); }},
        {cmd::FindNext, MenuFindNext, QKeySequence(Qt::ALT | Qt::Key_F3), StatusFindNext, "",
         {Menu::Search, 1}, repeatFind},
        {cmd::Replace, MenuReplace, QKeySequence(Qt::CTRL | Qt::Key_H), StatusReplace, "edit-find-replace",
         {Menu::Search, 1}, [](CommandContext& c) { openFindDialog(c, true); }},
        {uicmd::FilterRows, MenuFilterRows, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), StatusFilterRows, "",
         {Menu::Search, 1}, focusFilter},
        {cmd::Bookmark, MenuBookmark, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B), StatusBookmark, "bookmark-new",
         {Menu::Search, 2}, bookmark},
        {uicmd::SetBookmark, MenuSetBookmark, QKeySequence(Qt::CTRL | Qt::Key_F2), StatusSetBookmark, "",
         {Menu::Search, 2}, setBookmark},
        {uicmd::NextBookmark, MenuNextBookmark, QKeySequence(Qt::ALT | Qt::Key_PageDown), StatusNextBookmark, "",
         {Menu::Search, 2}, [](CommandContext& c) { stepBookmark(c, true); }},
        {uicmd::PreviousBookmark, MenuPreviousBookmark, QKeySequence(Qt::ALT | Qt::Key_PageUp), StatusPreviousBookmark, "",
         {Menu::Search, 2}, [](CommandContext& c) { stepBookmark(c, false); }},

        {cmd::UpdateDatabase, MenuUpdateDatabase, {}, StatusUpdateDatabase, "view-refresh",
         {Menu::Project, 1, 2}, updateDatabase},
        {cmd::RefreshStatus, MenuRefreshStatus, QKeySequence(Qt::Key_F5), StatusRefreshStatus, "",
         {Menu::Project, 1}, refreshStatus},
        {cmd::ShowChangedSourceText, MenuShowChangedSourceText, {}, StatusShowChangedSourceText, "",
         {Menu::Project, 1}, showChangedSourceText},
        {cmd::ViewDialog, MenuViewDialog, QKeySequence(Qt::CTRL | Qt::Key_D), StatusViewPreview, "",
         {Menu::Project, 2}, [](CommandContext& c) { previewChosenItem(c, cmd::ViewDialog); }},
        {cmd::ViewMenu, MenuViewMenu, QKeySequence(Qt::CTRL | Qt::Key_M), StatusViewPreview, "",
         {Menu::Project, 2}, [](CommandContext& c) { previewChosenItem(c, cmd::ViewMenu); }},
        {cmd::ViewBitmap, MenuViewBitmap, QKeySequence(Qt::CTRL | Qt::Key_B), StatusViewPreview, "image-x-generic",
         {Menu::Project, 2}, [](CommandContext& c) { previewChosenItem(c, cmd::ViewBitmap); }},
        {cmd::ViewSourceLanguage, MenuViewSourceLanguage, {}, StatusViewSource, "",
         {Menu::Project, 2}, [](CommandContext& c) { showPreviewIn(c, false); }, true},
        {cmd::ViewTranslated, MenuViewTranslated, {}, StatusViewTranslated, "",
         {Menu::Project, 2}, [](CommandContext& c) { showPreviewIn(c, true); }, true},
        {cmd::ShowInTextTable, MenuShowInTextTable, {}, StatusShowInTextTable, "",
         {Menu::Project, 2}, [](CommandContext& c) { showInTextTable(c, c.preview()); }},
        {cmd::ExportToExcel, MenuExportToExcel, {}, StatusExportToExcel, "x-office-spreadsheet",
         {Menu::Project, 3}, exportToWorkbook},
        {cmd::ExportToDatabase, MenuExportToDatabase, {}, StatusExportToDatabase, "",
         {Menu::Project, 3}, exportToDatabase},
        {uicmd::ExportForPlatforms, MenuExportPlatform, {}, StatusExportPlatform, "document-export",
         {Menu::Project, 3}, exportForPlatforms},
        {cmd::ImportText, MenuImportText, {}, StatusImportText, "document-import",
         {Menu::Project, 3}, importText},
        {uicmd::Statistics, MenuStatistics, {}, StatusStatisticsCommand, "",
         {Menu::Project, 4}, showStatistics},
        {cmd::ResourceEditor, MenuResourceEditor, {}, StatusResourceEditor, "",
         {Menu::Project, 4}, nullptr},

        {cmd::NewTranslation, MenuNewTranslation, {}, StatusNewTranslation, "list-add",
         {Menu::Translation, 1}, newTranslation},
        {cmd::DeleteTranslation, MenuDeleteTranslation, {}, StatusDeleteTranslation, "list-remove",
         {Menu::Translation, 1}, deleteTranslation},
        {uicmd::PreTranslate, MenuPreTranslate, {}, StatusPreTranslate, "",
         {Menu::Translation, 2}, preTranslate},
        {uicmd::ImportTmx, MenuImportTmx, {}, StatusImportTmx, "",
         {Menu::Translation, 2}, importTmxIntoMemory},
        {uicmd::ExportTmx, MenuExportTmx, {}, StatusExportTmx, "",
         {Menu::Translation, 2}, exportMemoryAsTmx},
        {uicmd::PseudoTranslate, MenuPseudoTranslate, {}, StatusPseudoTranslate, "",
         {Menu::Translation, 2}, pseudoTranslate},
        {uicmd::AddGlossaryTerm, MenuAddGlossaryTerm, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T), StatusAddGlossaryTerm, "",
         {Menu::Translation, 2}, addGlossaryTerm},

        {cmd::ShowDialogResources, MenuDialogResources, {}, StatusSwitch, "",
         {Menu::View, 1}, [](CommandContext& c) { toggleSwitch(c, ProjectSwitch::DialogEdit); }, true},
        {cmd::ShowMenuResources, MenuMenuResources, {}, StatusSwitch, "",
         {Menu::View, 1}, [](CommandContext& c) { toggleSwitch(c, ProjectSwitch::MenuEdit); }, true},
        {cmd::ShowStringtableResources, MenuStringtableResource, {}, StatusSwitch, "",
         {Menu::View, 1}, [](CommandContext& c) { toggleSwitch(c, ProjectSwitch::StringtableEdit); }, true},
        {cmd::ShowVersionInfoResources, MenuVersionInfoResources, {}, StatusSwitch, "",
         {Menu::View, 1}, [](CommandContext& c) { toggleSwitch(c, ProjectSwitch::VersionEdit); }, true},
        {cmd::ShowBitmapResources, MenuBitmapResources, {}, StatusSwitch, "",
         {Menu::View, 1}, [](CommandContext& c) { toggleSwitch(c, ProjectSwitch::BitmapEdit); }, true},
        {cmd::ShowFileIncludes, MenuFileIncludes, {}, StatusSwitch, "",
         {Menu::View, 1}, [](CommandContext& c) { toggleSwitch(c, ProjectSwitch::IncludeEdit); }, true},
        {cmd::ShowExcludedText, MenuExcludedText, {}, StatusSwitch, "",
         {Menu::View, 1}, [](CommandContext& c) { toggleSwitch(c, ProjectSwitch::ExcludeEdit); }, true},
        {cmd::ToolbarSettings, MenuToolbars, {}, StatusToolbarSettings, "",
         {Menu::View, 2}, toolbarSettings},
        {uicmd::Tabbed, MenuTabbedWindows, {}, StatusTabbed, "",
         {Menu::View, 2}, setTabbed, true},
        {uicmd::ViewTranslateBar, MenuViewTranslateBar, QKeySequence(Qt::ALT | Qt::Key_1), StatusViewPanel, "",
         {Menu::View, 4}, [](CommandContext& c) { togglePanel(c, uicmd::ViewTranslateBar); }},
        {uicmd::ViewMemoryPanel, MenuViewMemoryPanel, QKeySequence(Qt::ALT | Qt::Key_2), StatusViewPanel, "",
         {Menu::View, 4}, [](CommandContext& c) { togglePanel(c, uicmd::ViewMemoryPanel); }},
        {uicmd::ViewChecksPanel, MenuViewChecksPanel, QKeySequence(Qt::ALT | Qt::Key_3), StatusViewPanel, "",
         {Menu::View, 4}, [](CommandContext& c) { togglePanel(c, uicmd::ViewChecksPanel); }},
        {uicmd::ViewProjectFilesPanel, MenuViewProjectFilesPanel, QKeySequence(Qt::ALT | Qt::Key_4), StatusViewPanel, "",
         {Menu::View, 4}, [](CommandContext& c) { togglePanel(c, uicmd::ViewProjectFilesPanel); }},
        {uicmd::ViewGlossaryPanel, MenuViewGlossaryPanel, QKeySequence(Qt::ALT | Qt::Key_5), StatusViewPanel, "",
         {Menu::View, 4}, [](CommandContext& c) { togglePanel(c, uicmd::ViewGlossaryPanel); }},

        {cmd::ApplicationSettings, MenuOptions, QKeySequence::Preferences, StatusApplicationSettings, "preferences-system",
         {Menu::Settings, 1}, applicationSettings},

        {uicmd::NextWindow, MenuNextWindow, QKeySequence(Qt::CTRL | Qt::Key_F6), StatusNextWindow, "",
         {Menu::Window, 2}, [](CommandContext& c) { stepWindow(c, true); }, false, QKeySequence(Qt::CTRL | Qt::Key_Tab)},
        {uicmd::PreviousWindow, MenuPreviousWindow, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6), StatusPreviousWindow, "",
         {Menu::Window, 2}, [](CommandContext& c) { stepWindow(c, false); }, false, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)},

        {uicmd::HelpTopics, MenuHelpTopics, QKeySequence::HelpContents, StatusHelp, "help-contents",
         {Menu::Help, 1, 3}, showHelp},
        {uicmd::About, MenuAbout, {}, StatusAbout, "help-about",
         {Menu::Help, 2}, showAbout},
    };
    return table;
}

const CommandEntry* commandEntry(int id)
{
    for (const CommandEntry& entry : commandTable())
        if (entry.id == id)
            return &entry;
    return nullptr;
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
