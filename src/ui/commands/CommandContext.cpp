// The command context's own part: what every window offers alike.
#include "ui/commands/CommandContext.h"

#include <QMainWindow>
#include <QStatusBar>

#include "project/CQuillDoc.h"
#include "ui/CChildFrame.h"
#include "ui/CPreviewView.h"
#include "ui/CRowListView.h"
#include "ui/CTextListView.h"

namespace qmk {

void CommandContext::showStatus(const QString& text, int timeout)
{
    window().statusBar()->showMessage(text, timeout);
}

CommandState commandState(CommandContext& ctx)
{
    CommandState state;
    CChildFrame* child = ctx.project();
    CPreviewView* preview = ctx.preview();
    state.projectFileSelected = !ctx.projectFiles().selectedPath().empty();
    state.preview = preview != nullptr;
    state.previewItems = preview ? preview->itemCount() : 0;
    state.previewTranslated = preview && preview->language().has_value();
    state.previewItemSelected = preview && preview->selectedLine() >= 0;
    if (!child)
        return state;
    CQuillDoc& doc = child->document();
    const std::optional<LanguageId> language = child->textList()->currentLanguage();
    state.project = true;
    state.chosenType = child->chosenItem().type;
    state.item = itemTexts(doc, child->chosenItem().lineIndex, language);
    state.rows = doc.rows().rowCount();
    state.translations = static_cast<int>(doc.rows().columns().translations().size());
    state.translationCurrent = language.has_value();
    state.switches = doc.switches();
    state.canUndo = doc.history().nextUndo() != nullptr;
    state.canRedo = doc.history().nextRedo() != nullptr;
    const SearchOptions& search = child->search().options;
    state.findRepeatable = !search.columns.empty() && (!search.pattern.empty() || search.changedItems);
    return state;
}

} // namespace qmk
