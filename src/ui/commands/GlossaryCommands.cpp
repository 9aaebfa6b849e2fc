// The glossary's commands.
#include "ui/commands/GlossaryCommands.h"

#include <QDockWidget>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "resources/CommandIds.h"
#include "ui/CGlossaryView.h"
#include "ui/CTranslDlgView.h"
#include "ui/commands/CommandContext.h"

namespace qmk {

void addGlossaryTerm(CommandContext& ctx)
{
    QDockWidget* panel = ctx.panel(uicmd::ViewGlossaryPanel);
    auto* view = panel ? qobject_cast<CGlossaryView*>(panel->widget()) : nullptr;
    if (!view)
        return;
    panel->show();  // what it says about the term added is read there
    CTranslDlgView& bar = ctx.translateForm();
    view->addTerm(bar.sourceEdit()->textCursor().selectedText(), bar.translationEdit()->textCursor().selectedText());
}

} // namespace qmk
