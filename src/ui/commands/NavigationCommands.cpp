// The commands that move through a project.
#include "ui/commands/NavigationCommands.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <algorithm>

#include "app/ProfileFile.h"
#include "app/SearchHistoryFile.h"
#include "app/Settings.h"
#include "project/CQuillDoc.h"
#include "project/PreviewTarget.h"
#include "project/TextSearch.h"
#include "resources/CommandIds.h"
#include "resources/MenuTexts.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"
#include "ui/CBookmarkDlg.h"
#include "ui/CChildFrame.h"
#include "ui/CFindDlg.h"
#include "ui/CMessageBoxFeedback.h"
#include "ui/CPreviewView.h"
#include "ui/CTextListView.h"
#include "ui/commands/CommandContext.h"

namespace qmk {
namespace {

// What Find and Replace remember for the window's life: the histories (kept in the settings
// file too), the columns searched and Replace's own options.
struct FindMemory {
    bool loaded = false;
    SearchHistory searches;
    SearchHistory replacements;
    std::vector<std::string> findWhere;
    std::vector<std::string> replaceWhere;
    bool replaceMatchCase = false;
    bool replaceWholeWord = false;
};

FindMemory& findMemory(CommandContext& ctx)
{
    FindMemory& memory = ctx.kept<FindMemory>();
    if (!std::exchange(memory.loaded, true)) {
        loadSearchHistory(memory.searches, ctx.settings().profile(), "Text");
        loadSearchHistory(memory.replacements, ctx.settings().profile(), "ReplaceText");
    }
    return memory;
}

void goToBookmark(CommandContext& ctx, CChildFrame* child, const BookmarkRow& bookmark)
{
    CTextListView* table = child->textList();
    const bool translated = bookmark.language.language >= 0 && child->document().hasTranslation(bookmark.language);
    if (translated)
        table->setCurrentLanguage(bookmark.language);
    if (bookmark.window == txt::BookmarkWindowText) {
        ctx.bringForward(*child);
        child->chooseItem(bookmark.lineIndex);
        if (table->selectedRow() < 0)
            ctx.feedback().messageText(txt::ItemNotInTextTable, Icon::Information);
        else
            ctx.landInTranslationBox();
        return;
    }
    // A preview at the item, in the bookmark's language.
    const std::optional<PreviewTarget> target =
        previewTargetOfBookmark(child->document(), bookmark.lineIndex, bookmark.window);
    if (!target)
        return;
    if (CPreviewView* preview = ctx.openPreview(*child, *target); preview && !translated)
        preview->setLanguage(std::nullopt);
    ctx.landInTranslationBox();
}

} // namespace

void stepItem(CommandContext& ctx, bool forward)
{
    if (CPreviewView* preview = ctx.preview())
        preview->step(forward);
    else if (CChildFrame* child = ctx.project(); child && forward)
        child->textList()->nextItem();
    ctx.landInTranslationBox();
}

void goToItem(CommandContext& ctx, bool forward, WantedItem wanted)
{
    CChildFrame* child = ctx.project();
    if (!child || !child->textList()->currentLanguage())
        return;
    if (child->textList()->goToItem(forward, wanted)) {
        ctx.landInTranslationBox();
        return;
    }
    const std::string language = child->document().rows().columns().header(child->textList()->currentColumn());
    const char* text = wanted == WantedItem::Untranslated ? txt::NoUntranslatedLeft : txt::NoFlaggedLeft;
    ctx.showStatus(QString::fromStdString(fillPlaceholders(text, {language})), 5000);
}

void openFindDialog(CommandContext& ctx, bool replace)
{
    CChildFrame* child = ctx.project();
    if (!child)
        return;
    FindMemory& memory = findMemory(ctx);
    ProfileFile& profile = ctx.settings().profile();
    CFindDlg dialog(replace ? CFindDlg::Mode::Replace : CFindDlg::Mode::Find,
                    {child, &ctx.translateForm(), ctx.feedback(), memory.searches, memory.replacements,
                     replace ? memory.replaceWhere : memory.findWhere,
                     [&memory, &profile] {
                         saveSearchHistory(memory.searches, profile, "Text");
                         saveSearchHistory(memory.replacements, profile, "ReplaceText");
                     }},
                    &ctx.window());
    // Find keeps its options in the settings file; Replace keeps its own for the run.
    if (!replace) {
        dialog.matchCaseBox()->setChecked(profile.getInt("FINDSTRING", "MatchCase", 1) != 0);
        dialog.wholeWordBox()->setChecked(profile.getInt("FINDSTRING", "WholeWord", 0) != 0);
        dialog.setDirectionDown(profile.getInt("FINDSTRING", "FindDirectory", 2) != 0);
    } else {
        dialog.matchCaseBox()->setChecked(memory.replaceMatchCase);
        dialog.wholeWordBox()->setChecked(memory.replaceWholeWord);
    }
    dialog.exec();
    if (!replace) {
        profile.writeInt("FINDSTRING", "MatchCase", dialog.matchCaseBox()->isChecked() ? 1 : 0);
        profile.writeInt("FINDSTRING", "WholeWord", dialog.wholeWordBox()->isChecked() ? 1 : 0);
        profile.writeInt("FINDSTRING", "FindDirectory", dialog.directionDown() ? 1 : 0);
    } else {
        memory.replaceMatchCase = dialog.matchCaseBox()->isChecked();
        memory.replaceWholeWord = dialog.wholeWordBox()->isChecked();
    }
}

void repeatFind(CommandContext& ctx)
{
    CChildFrame* child = ctx.project();
    if (!child)
        return;
    CChildFrame::SearchState& state = child->search();
    if (std::exchange(state.marksUntilSearch, false))
        child->document().showCellMarks({});  // what Replace All or an import marked
    CTextListView* table = child->textList();
    const int start = std::max(0, child->document().rows().rowOfLineIndex(child->chosenItem().lineIndex));
    const int column = state.hit.row == start ? state.hit.column : -1;
    // A repeat that finds nothing says nothing.
    if (const std::optional<CellHit> hit = findNextCell(child->document().rows(), state.options, start, column)) {
        state.hit = *hit;
        if (std::optional<LanguageId> language = child->document().rows().columns().languageOfColumn(hit->column))
            table->setCurrentLanguage(*language);
        child->chooseItem(child->document().rows().item(hit->row).lineIndex);
        ctx.landInTranslationBox();
    }
}

void focusFilter(CommandContext& ctx)
{
    if (CChildFrame* child = ctx.project()) {
        ctx.bringForward(*child);
        child->filterBox()->setFocus();
        child->filterBox()->selectAll();
    }
}

void bookmark(CommandContext& ctx)
{
    CChildFrame* child = ctx.project();
    if (!child)
        return;
    CBookmarkDlg::Place place;
    if (CPreviewView* preview = ctx.preview()) {
        static const char* const kWindows[] = {"Dialog", "Menu", txt::WordBitmap};
        place = {preview->selectedLine(), kWindows[static_cast<int>(preview->kind())], preview->language()};
    } else {
        CTextListView* table = child->textList();
        place.lineIndex = child->chosenItem().lineIndex;
        place.window = txt::BookmarkWindowText;
        if (!table->sourceColumnChosen())
            place.language = table->currentLanguage();
    }
    CBookmarkDlg dialog(child->document(), ctx.feedback(), place, &ctx.window());
    if (dialog.exec() == QDialog::Accepted && dialog.target())
        goToBookmark(ctx, child, *dialog.target());
}

void setBookmark(CommandContext& ctx)
{
    CChildFrame* child = ctx.project();
    if (!child || child->chosenItem().lineIndex < 0)
        return;
    CQuillDoc& doc = child->document();
    const int row = doc.rows().rowOfLineIndex(child->chosenItem().lineIndex);
    BookmarkRow bookmark;
    bookmark.lineIndex = child->chosenItem().lineIndex;
    bookmark.window = txt::BookmarkWindowText;
    bookmark.name = row >= 0 ? doc.rows().row(row).cell(TextTableColumns::IdColumn) : std::string();
    if (bookmark.name.empty())
        bookmark.name = std::to_string(bookmark.lineIndex);
    if (std::optional<LanguageId> language = child->textList()->currentLanguage(); language && !child->textList()->sourceColumnChosen())
        bookmark.language = *language;
    else
        bookmark.language = {-1, -1};
    if (!doc.addBookmark(bookmark))
        return;  // reported
    ctx.showStatus(QString::fromStdString(fillPlaceholders(txt::BookmarkSet, {bookmark.name})), 5000);
}

void stepBookmark(CommandContext& ctx, bool forward)
{
    CChildFrame* child = ctx.project();
    if (!child)
        return;
    CQuillDoc& doc = child->document();
    std::vector<int> rows;
    for (const IdentRow& entry : doc.bookmarks()) {
        const std::optional<BookmarkRow> bookmark = doc.bookmark(entry.lineIndex);
        if (!bookmark || bookmark->window != txt::BookmarkWindowText)
            continue;
        const int row = doc.rows().rowOfLineIndex(bookmark->lineIndex);
        rows.push_back(row >= 0 && child->textList()->isRowShown(row) ? row : -1);
    }
    const int row = nextBookmarkedRow(rows, doc.rows().rowOfLineIndex(child->chosenItem().lineIndex), forward);
    if (row < 0) {
        ctx.showStatus(QString::fromUtf8(txt::NoBookmarkInTable), 5000);
        return;
    }
    ctx.bringForward(*child);
    child->chooseItem(doc.rows().item(row).lineIndex);
    ctx.landInTranslationBox();
}

void previewChosenItem(CommandContext& ctx, int command)
{
    CChildFrame* child = ctx.project();
    if (!child)
        return;
    const CChildFrame::ChosenItem chosen = child->chosenItem();
    const std::optional<PreviewTarget> target = previewTargetOf(child->document(), chosen.lineIndex, chosen.type);
    const PreviewKind wanted = command == cmd::ViewDialog ? PreviewKind::Dialog
                               : command == cmd::ViewMenu ? PreviewKind::Menu
                                                          : PreviewKind::Bitmap;
    if (target && target->kind == wanted)
        ctx.openPreview(*child, *target);
}

void showPreviewIn(CommandContext& ctx, bool translated)
{
    CPreviewView* preview = ctx.preview();
    CChildFrame* child = ctx.project();
    if (!preview || !child)
        return;
    if (!translated) {
        preview->setLanguage(std::nullopt);
        return;
    }
    // The translation the language list names.
    const TextTableColumns& columns = child->document().rows().columns();
    for (LanguageId id : columns.translations())
        if (QString::fromStdString(columns.header(columns.columnOfLanguage(id))) == ctx.listedLanguage())
            preview->setLanguage(id);
}

void showInTextTable(CommandContext& ctx, CPreviewView* preview)
{
    CChildFrame* child = preview ? ctx.projectOf(*preview) : nullptr;
    if (!child || preview->selectedLine() < 0)
        return;
    if (preview->language())
        child->textList()->setCurrentLanguage(*preview->language());
    child->chooseItem(preview->selectedLine());
    if (child->textList()->selectedRow() < 0) {
        ctx.feedback().messageText(txt::ItemNotInTextTable, Icon::Information);
        return;
    }
    ctx.bringForward(*child);
    child->textList()->setFocus();
}

} // namespace qmk
