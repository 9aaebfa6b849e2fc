// The commands on a project as a whole.
#include "ui/commands/ProjectCommands.h"

#include <QApplication>
#include <QFileDialog>
#include <QMainWindow>

#include "app/IncludeExtensions.h"
#include "app/ProjectFileList.h"
#include "app/Settings.h"
#include "database/DaoException.h"
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
    std::optional<CQuillDoc::ChangedSourceText> texts;
    try {
        texts = doc.changedSourceText(child->chosenItem().lineIndex);
    } catch (const DaoException& error) {
        ctx.feedback().messageText(error.report(), Icon::Stop);
        return;
    }
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

} // namespace qmk
