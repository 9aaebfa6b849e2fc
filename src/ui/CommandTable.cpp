// The command table of the main window.
#include "ui/CommandTable.h"

#include <QIcon>
#include <QStyle>
#include <QApplication>

#include "resources/CommandIds.h"
#include "resources/MenuTexts.h"
#include "resources/UiTexts.h"

namespace qmk {

const std::vector<CommandEntry>& commandTable()
{
    using namespace txt;
    static const std::vector<CommandEntry> table = {
        {uicmd::Open, MenuOpen, QKeySequence::Open, StatusOpen, "document-open"},
        {uicmd::Close, MenuClose, QKeySequence(Qt::CTRL | Qt::Key_W), StatusClose, "window-close"},
        {cmd::Save, MenuSave, QKeySequence::Save, StatusSave, "document-save"},
        {cmd::FileOptions, MenuOptions, {}, StatusOptions, ""},
        {cmd::ProjectFileOpen, MenuProjectFileOpen, {}, StatusOpen, "document-open"},
        {cmd::ProjectFileRemove, MenuProjectFileRemove, {}, StatusClose, "list-remove"},
        {uicmd::Exit, MenuExit, QKeySequence::Quit, StatusExit, "application-exit"},

        {cmd::Find, MenuFind, QKeySequence(Qt::Key_F3), StatusFind, "edit-find"},
        {cmd::FindNext, MenuFindNext, QKeySequence(Qt::ALT | Qt::Key_F3), StatusFindNext, ""},
        {cmd::Replace, MenuReplace, QKeySequence(Qt::CTRL | Qt::Key_H), StatusReplace, "edit-find-replace"},
        {uicmd::FilterRows, MenuFilterRows, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), StatusFilterRows, ""},
        {uicmd::Undo, MenuUndo, QKeySequence::Undo, StatusUndo, "edit-undo"},
        {uicmd::Redo, MenuRedo, QKeySequence(Qt::CTRL | Qt::Key_Y), StatusRedo, "edit-redo"},
        {cmd::VersionBlockHeader, MenuVersionBlockHeader, {}, StatusVersionBlockHeader, ""},
        {cmd::ExcludeItem, MenuExcludeItem, QKeySequence(Qt::CTRL | Qt::Key_X), StatusExcludeItem, "", true},
        {cmd::RemoveMarks, MenuRemoveMarks, {}, StatusRemoveMarks, "edit-clear"},
        {cmd::NextItem, MenuNextItem, QKeySequence(Qt::Key_F8), StatusNextItem, "go-next"},
        {cmd::PreviousItem, MenuPreviousItem, QKeySequence(Qt::SHIFT | Qt::Key_F8), StatusPreviousItem, "go-previous"},
        {cmd::Translate, MenuTranslateItem, QKeySequence(Qt::Key_F2), StatusTranslate, "accessories-text-editor"},
        {cmd::Bookmark, MenuBookmark, {}, StatusBookmark, "bookmark-new"},
        {cmd::ShowDialogResources, MenuDialogResources, {}, StatusSwitch, "", true},
        {cmd::ShowMenuResources, MenuMenuResources, {}, StatusSwitch, "", true},
        {cmd::ShowStringtableResources, MenuStringtableResource, {}, StatusSwitch, "", true},
        {cmd::ShowVersionInfoResources, MenuVersionInfoResources, {}, StatusSwitch, "", true},
        {cmd::ShowBitmapResources, MenuBitmapResources, {}, StatusSwitch, "", true},
        {cmd::ShowFileIncludes, MenuFileIncludes, {}, StatusSwitch, "", true},
        {cmd::ShowExcludedText, MenuExcludedText, {}, StatusSwitch, "", true},

        {cmd::ViewDialog, MenuViewDialog, QKeySequence(Qt::CTRL | Qt::Key_D), StatusViewPreview, ""},
        {cmd::ViewMenu, MenuViewMenu, QKeySequence(Qt::CTRL | Qt::Key_M), StatusViewPreview, ""},
        {cmd::ViewBitmap, MenuViewBitmap, QKeySequence(Qt::CTRL | Qt::Key_B), StatusViewPreview, "image-x-generic"},
        {cmd::ViewSourceLanguage, MenuViewSourceLanguage, {}, StatusViewSource, "", true},
        {cmd::ViewTranslated, MenuViewTranslated, {}, StatusViewTranslated, "", true},
        {cmd::ShowInTextTable, MenuShowInTextTable, {}, StatusShowInTextTable, ""},

        {cmd::UpdateDatabase, MenuUpdateDatabase, {}, StatusUpdateDatabase, "view-refresh"},
        {cmd::RefreshStatus, MenuRefreshStatus, QKeySequence(Qt::Key_F5), StatusRefreshStatus, ""},
        {cmd::ShowChangedSourceText, MenuShowChangedSourceText, {}, StatusShowChangedSourceText, ""},
        {cmd::ResourceEditor, MenuResourceEditor, {}, StatusResourceEditor, ""},
        {cmd::NewTranslation, MenuNewTranslation, {}, StatusNewTranslation, "list-add"},
        {cmd::DeleteTranslation, MenuDeleteTranslation, {}, StatusDeleteTranslation, "list-remove"},

        {cmd::ApplicationSettings, MenuOptions, QKeySequence::Preferences, StatusApplicationSettings, "preferences-system"},
        {cmd::ToolbarSettings, MenuToolbars, {}, StatusToolbarSettings, ""},
        {cmd::ExportToExcel, MenuExportToExcel, {}, StatusExportToExcel, "x-office-spreadsheet"},
        {cmd::ExportToDatabase, MenuExportToDatabase, {}, StatusExportToDatabase, ""},
        {cmd::ImportText, MenuImportText, {}, StatusImportText, "document-import"},
        {uicmd::ExportForPlatforms, MenuExportPlatform, {}, StatusExportPlatform, "document-export"},
        {uicmd::Tabbed, MenuTabbedWindows, {}, StatusTabbed, "", true},
        {uicmd::HelpTopics, MenuHelpTopics, QKeySequence::HelpContents, StatusHelp, "help-contents"},
        {uicmd::About, MenuAbout, {}, StatusAbout, "help-about"},
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
        action->setShortcut(entry.shortcut);
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
