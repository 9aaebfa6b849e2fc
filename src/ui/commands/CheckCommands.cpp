// The commands of the quality checks.
#include "ui/commands/CheckCommands.h"

#include "checks/PseudoTranslation.h"
#include "project/CQuillDoc.h"
#include "project/WordCount.h"
#include "resources/MenuTexts.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"
#include "ui/CChildFrame.h"
#include "ui/CMessageBoxFeedback.h"
#include "ui/CTextListView.h"
#include "ui/commands/CommandContext.h"

namespace qmk {

void pseudoTranslate(CommandContext& ctx)
{
    CChildFrame* child = ctx.project();
    const std::optional<LanguageId> language = child ? child->textList()->currentLanguage() : std::nullopt;
    if (!language)
        return;
    CQuillDoc& doc = child->document();
    const TranslationWordCounts& counts = doc.wordCounts(*language);
    const std::string name = doc.rows().columns().header(doc.rows().columns().columnOfLanguage(*language));
    if (!ctx.feedback().askText(
            fillPlaceholders(txt::AskPseudoTranslate, {std::to_string(counts.untranslated.texts), name}), false))
        return;
    const PseudoResult result = qmk::pseudoTranslate(doc, *language);
    if (result.outcome == OperationResult::Done)
        ctx.showStatus(QString::fromStdString(fillPlaceholders(
            txt::PseudoTranslateDone, {std::to_string(result.filled), std::to_string(result.kept)})));
}

void goToFinding(CommandContext& ctx, int lineIndex)
{
    CChildFrame* child = ctx.project();
    if (!child)
        return;
    child->chooseItem(lineIndex);
    if (child->textList()->selectedRow() < 0) {
        ctx.feedback().messageText(txt::ItemNotInTextTable, Icon::Information);
        return;
    }
    ctx.bringForward(*child);
    ctx.landInTranslationBox();
}

} // namespace qmk
