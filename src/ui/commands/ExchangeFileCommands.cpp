// The Project menu's exchanges with other files.
#include "ui/commands/ExchangeFileCommands.h"

#include <QMainWindow>
#include <QStringList>

#include "app/Settings.h"
#include "project/CQuillDoc.h"
#include "ui/CChildFrame.h"
#include "ui/CMessageBoxFeedback.h"
#include "ui/CExportPicturesDlg.h"
#include "ui/CRowListView.h"
#include "ui/ExchangeCommands.h"
#include "ui/commands/CommandContext.h"

namespace qmk {
namespace {

// The workbook column entries chosen last in this run.
struct ExportedColumns {
    QStringList entries;
};

} // namespace

void exportToWorkbook(CommandContext& ctx)
{
    if (CChildFrame* child = ctx.project())
        exportTextToWorkbook(&ctx.window(), *child, ctx.feedback(), ctx.kept<ExportedColumns>().entries);
}

void exportToDatabase(CommandContext& ctx)
{
    if (CChildFrame* child = ctx.project())
        exportTextToDatabase(&ctx.window(), *child, ctx.feedback(), ctx.openDatabases());
}

void importText(CommandContext& ctx)
{
    CChildFrame* child = ctx.project();
    if (!child || !qmk::importText(&ctx.window(), *child, ctx.feedback(), ctx.settings().profile()))
        return;
    ctx.translationsChanged();
    child->updateTitle();
    ctx.projectFiles().refresh(child->document().scriptPath());
}

void exportForPlatforms(CommandContext& ctx)
{
    if (CChildFrame* child = ctx.project())
        ctx.showStatus(qmk::exportForPlatforms(&ctx.window(), *child, ctx.feedback()));
}

void exportPictures(CommandContext& ctx)
{
    if (CChildFrame* child = ctx.project())
        qmk::exportPictures(child->document(), &ctx.window());
}

} // namespace qmk
