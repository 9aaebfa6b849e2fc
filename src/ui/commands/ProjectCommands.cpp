// The commands on a project as a whole.
#include "ui/commands/ProjectCommands.h"

#include <QApplication>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenu>

#include "app/IncludeExtensions.h"
#include "app/OpenProjects.h"
#include "app/ProfileFile.h"
#include "app/ProjectFileList.h"
#include "app/Settings.h"
#include "project/CQuillDoc.h"
#include "project/TextCodec.h"
#include "resources/MessageIds.h"
#include "resources/MenuTexts.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"
#include "ui/CAppSettingsSheet.h"
#include "ui/CChildFrame.h"
#include "ui/CMessageBoxFeedback.h"
#include "ui/CRowListView.h"
#include "ui/CSourceTextDialog.h"
#include "ui/CStatisticsDlg.h"
#include "ui/commands/CommandContext.h"
#include "writer/TranslatedScripts.h"

namespace qmk {
namespace {

constexpr char kRecentSection[] = "Recent File List";

struct RecentList {
    bool loaded = false;
    RecentFiles files;
};

RecentFiles& recentFiles(CommandContext& ctx)
{
    RecentList& recent = ctx.kept<RecentList>();
    if (!std::exchange(recent.loaded, true)) {
        std::vector<std::string> paths;
        for (int i = 1; i <= RecentFiles::Capacity; ++i)
            paths.push_back(ctx.settings().profile().getString(kRecentSection, "File" + std::to_string(i), ""));
        recent.files = RecentFiles(paths);
    }
    return recent.files;
}

} // namespace

void openWithDialog(CommandContext& ctx)
{
    const QStringList files = QFileDialog::getOpenFileNames(
        &ctx.window(), QString::fromUtf8(txt::OpenDialogTitle),
        QString::fromStdString(ctx.settings().lastProjectFolder()), QString::fromUtf8(txt::OpenFilterScripts));
    for (const QString& file : files)
        ctx.openDocument(file.toStdString());
}

void saveTranslations(CommandContext& ctx)
{
    CChildFrame* child = ctx.project();
    if (!child)
        return;
    CQuillDoc& doc = child->document();
    if (WriteTranslatedScripts(doc).done()) {
        doc.setModified(false);
        doc.UpdateProjectStatus();
    }
    child->updateTitle();
    ctx.projectFiles().refresh(doc.scriptPath());
}

void openSelectedProjectFile(CommandContext& ctx)
{
    const std::filesystem::path path = ctx.projectFiles().selectedPath();
    if (!path.empty() && !ctx.openDocument(path))
        ctx.feedback().messageText(fillPlaceholders(txt::CantOpenFile, {path.string()}), Icon::Stop);
}

void removeSelectedProjectFile(CommandContext& ctx)
{
    // Remove takes the project off the list for good (its files stay): off the stored list too.
    RemoveProjectFile(ctx.settings().profile(), ctx.projectFiles().selectedPath().string());
    ctx.projectFiles().removeSelected();
}

void updateDatabase(CommandContext& ctx)
{
    CChildFrame* child = ctx.project();
    if (!child)
        return;
    child->document().UpdateDatabase();
    child->updateTitle();
    ctx.projectFiles().refresh(child->document().scriptPath());
}

void refreshStatus(CommandContext& ctx)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::string changed;
    for (CChildFrame* child : ctx.projects()) {
        CQuillDoc& doc = child->document();
        if (doc.sourceChanged() || !doc.IsSourceChanged())
            continue;
        doc.setSourceChanged(true);
        child->updateTitle();
        changed += (changed.empty() ? "" : "\n") + doc.documentPath().string();
    }
    QApplication::restoreOverrideCursor();
    if (changed.empty())
        return;
    ctx.feedback().message(msg::SourceFilesChanged, {changed}, Icon::Information);
    ctx.projectFiles().fill(ReadProjectFiles(ctx.settings().profile()));
}

void showChangedSourceText(CommandContext& ctx)
{
    CChildFrame* child = ctx.project();
    if (!child || child->chosenItem().lineIndex < 0)
        return;
    CQuillDoc& doc = child->document();
    const std::optional<CQuillDoc::ChangedSourceText> texts = doc.changedSourceText(child->chosenItem().lineIndex);
    if (texts) {
        const int cp = doc.codePage();
        auto decode = [cp](const std::string& bytes) {
            return QString::fromStdString(decodeToUtf8(bytes, cp).value_or(bytes));
        };
        CSourceTextDialog(decode(texts->oldText), decode(texts->newText), &ctx.window()).exec();
    }
}

void showStatistics(CommandContext& ctx)
{
    if (CChildFrame* child = ctx.project())
        CStatisticsDlg(child->document(), &ctx.window()).exec();
}

void toggleSwitch(CommandContext& ctx, ProjectSwitch which)
{
    if (CChildFrame* child = ctx.project())
        child->toggleCategory(which);
}

void applicationSettings(CommandContext& ctx)
{
    CAppSettingsSheet sheet(ctx.settings(), ctx.feedback(), ctx.includeExtensions(), [&ctx] {
        ctx.includeExtensions() = splitIncludeExtensions(ctx.settings().includeExtensionSetting());
        ctx.applyMemorySettings();
    }, &ctx.window());
    sheet.exec();
}

void fillRecentMenu(CommandContext& ctx, QMenu& menu)
{
    menu.clear();
    int n = 0;
    for (const std::string& path : recentFiles(ctx).entries()) {
        QAction* entry = menu.addAction(QStringLiteral("&%1 %2").arg(++n).arg(QString::fromStdString(path)));
        entry->setStatusTip(QString::fromUtf8(txt::StatusRecentFile));
        QObject::connect(entry, &QAction::triggered, entry, [&ctx, path] { ctx.openDocument(path); });
    }
    menu.setEnabled(n > 0);
}

void rememberOpened(CommandContext& ctx, QMenu& menu, const std::filesystem::path& path)
{
    RecentFiles& recent = recentFiles(ctx);
    recent.opened(path.string());
    for (int i = 0; i < RecentFiles::Capacity; ++i) {
        const std::string value = i < static_cast<int>(recent.entries().size()) ? recent.entries()[i] : "";
        ctx.settings().profile().writeString(kRecentSection, "File" + std::to_string(i + 1), value);
    }
    fillRecentMenu(ctx, menu);
}

} // namespace qmk
