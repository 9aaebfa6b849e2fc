// The commands that change the translations.
#include "ui/commands/TranslationCommands.h"

#include <QApplication>
#include <QDockWidget>
#include <QMenu>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <algorithm>

#include "project/ChosenItem.h"
#include "project/CQuillDoc.h"
#include "resources/CommandIds.h"
#include "resources/MenuTexts.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"
#include "ui/CBlockHeaderDlg.h"
#include "ui/CChildFrame.h"
#include "ui/CDeleteTranslationDlg.h"
#include "ui/CNewTranslationDlg.h"
#include "ui/CPreviewView.h"
#include "ui/CRowListView.h"
#include "ui/CTextListView.h"
#include "ui/CTranslDlgView.h"
#include "ui/CTranslationSettingsSheet.h"
#include "ui/commands/CommandContext.h"

namespace qmk {
namespace {

void translationSettings(CommandContext& ctx, std::optional<LanguageId> language)
{
    CChildFrame* child = ctx.project();
    if (!child)
        return;
    CTranslationSettingsSheet sheet(child->document(), language, child->textList()->font(), &ctx.window());
    if (sheet.exec() == QDialog::Accepted) {
        child->updateTitle();
        ctx.translateForm().showChosen();
    }
}

} // namespace

void undoOrRedo(CommandContext& ctx, bool undo)
{
    CChildFrame* child = ctx.project();
    if (!child)
        return;
    CQuillDoc& doc = child->document();
    const CQuillDoc::HistoryMove move = undo ? doc.undo() : doc.redo();
    if (!move.result.done()) {
        QApplication::beep();
        return;
    }
    // Show what changed: its row (or control) selected and scrolled to, in its language.
    if (move.language)
        child->textList()->setCurrentLanguage(*move.language);
    if (move.lineIndex >= 0) {
        child->chooseItem(move.lineIndex);
        if (CPreviewView* preview = ctx.preview(); preview && &preview->document() == &doc)
            preview->selectLine(move.lineIndex);
    }
    ctx.showStatus(
        QString::fromStdString(fillPlaceholders(undo ? txt::StatusUndone : txt::StatusRedone, {move.label})));
}

void showTranslationBar(CommandContext& ctx)
{
    QDockWidget* bar = ctx.panel(uicmd::ViewTranslateBar);
    bar->show();
    bar->raise();
    ctx.translateForm().translationEdit()->setFocus();
}

void toggleExclude(CommandContext& ctx)
{
    if (CChildFrame* child = ctx.project()) {
        const ItemTexts item = itemTexts(child->document(), child->chosenItem().lineIndex, std::nullopt);
        if (item.found)
            child->document().setExcluded(child->chosenItem().lineIndex, !item.excluded);
    }
}

void removeMarks(CommandContext& ctx)
{
    if (CChildFrame* child = ctx.project())
        child->document().removeMarks();  // every column
}

void editVersionBlockHeader(CommandContext& ctx)
{
    CChildFrame* child = ctx.project();
    if (!child)
        return;
    CQuillDoc& doc = child->document();
    CTextListView* table = child->textList();
    const int line = child->chosenItem().lineIndex;
    const std::optional<LanguageId> language = table->currentLanguage();
    const bool editable = language && !table->sourceColumnChosen();
    const ItemTexts item = itemTexts(doc, line, editable ? language : std::nullopt);
    if (item.itemType != ItemType::BlockHeader)
        return;
    const std::string header = editable ? item.translation : item.source;
    const int column = editable ? doc.rows().columns().columnOfLanguage(*language) : TextTableColumns::SourceColumn;
    CBlockHeaderDlg dialog(header.empty() ? item.source : header, editable,
                           QString::fromStdString(doc.rows().columns().header(column)), &ctx.window());
    if (dialog.exec() != QDialog::Accepted || !editable)
        return;
    doc.storeTranslation(line, *language, dialog.header());
}

void acceptSourceChange(CommandContext& ctx)
{
    CChildFrame* child = ctx.project();
    const std::optional<LanguageId> language = child ? child->textList()->currentLanguage() : std::nullopt;
    if (language)
        child->document().acceptSourceChange(child->chosenItem().lineIndex, *language);
}

void newTranslation(CommandContext& ctx)
{
    CChildFrame* child = ctx.project();
    if (!child)
        return;
    const std::vector<LanguageId> before = child->document().rows().columns().translations();
    CNewTranslationDlg dialog(child->document(), &ctx.window());
    if (dialog.exec() == QDialog::Accepted) {
        // The translation just added is the one to work on: the bar and the gauge follow it.
        for (LanguageId id : child->document().rows().columns().translations())
            if (std::find(before.begin(), before.end(), id) == before.end())
                child->textList()->setCurrentLanguage(id);
        ctx.translationsChanged();
        ctx.projectFiles().refresh(child->document().scriptPath());
    }
}

void deleteTranslation(CommandContext& ctx)
{
    CChildFrame* child = ctx.project();
    if (!child)
        return;
    CQuillDoc& doc = child->document();
    if (doc.rows().columns().translations().empty()) {
        doc.DeleteTranslation({});  // says there is none to delete
        return;
    }
    CDeleteTranslationDlg dialog(doc, child->textList()->currentLanguage(), &ctx.window());
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen())
        return;
    const LanguageId deleted = *dialog.chosen();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    doc.DeleteTranslation(deleted);
    QApplication::restoreOverrideCursor();
    // A preview of the deleted translation goes on showing the source texts.
    for (CPreviewView* preview : ctx.previews())
        if (&preview->document() == &doc && preview->language() == deleted &&
            doc.rows().columns().columnOfLanguage(deleted) < 0)
            preview->setLanguage(std::nullopt);
    ctx.translateForm().showChosen();
    ctx.translationsChanged();
    ctx.projectFiles().refresh(doc.scriptPath());
}

void fillTranslationSettingsMenu(CommandContext& ctx, QMenu& menu)
{
    menu.clear();
    CChildFrame* child = ctx.project();
    menu.setEnabled(child != nullptr);
    if (!child)
        return;
    QAction* source = menu.addAction(QString::fromUtf8(txt::MenuSourceTextSettings));
    source->setData(cmd::SourceTextSettings);
    QObject::connect(source, &QAction::triggered, source, [&ctx] { translationSettings(ctx, std::nullopt); });
    const TextTableColumns& columns = child->document().rows().columns();
    int n = 0;
    for (LanguageId id : columns.translations()) {
        QAction* entry =
            menu.addAction(QString::fromStdString(columns.header(columns.columnOfLanguage(id))) + QStringLiteral("..."));
        entry->setData(cmd::FirstTranslationSettings + n++);
        QObject::connect(entry, &QAction::triggered, entry, [&ctx, id] { translationSettings(ctx, id); });
    }
}

void chooseListedLanguage(CommandContext& ctx, const QString& name)
{
    CChildFrame* child = ctx.project();
    if (!child)
        return;
    const TextTableColumns& columns = child->document().rows().columns();
    for (LanguageId id : columns.translations()) {
        if (QString::fromStdString(columns.header(columns.columnOfLanguage(id))) != name)
            continue;
        child->textList()->setCurrentLanguage(id);
        if (CPreviewView* preview = ctx.preview()) {
            preview->setLanguage(id);
            if (preview->selectedLine() >= 0)
                child->chooseItem(preview->selectedLine());
        }
    }
}

} // namespace qmk
