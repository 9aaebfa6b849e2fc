// The document's edit history: Undo and Redo of stores, excludes, grouped steps and imports,
// each named so that the window can say what it took back.
#include <algorithm>
#include <unordered_map>
#include <utility>

#include "database/DaoException.h"
#include "database/Transaction.h"
#include "project/CQuillDoc.h"
#include "project/ProjectObserver.h"
#include "project/TextCodec.h"
#include "resources/Feedback.h"
#include "resources/Messages.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

constexpr std::size_t kLabelCharacters = 40;

// At most kLabelCharacters characters of a UTF-8 text, one line, "..." where it was cut.
std::string shortened(const std::string& text)
{
    std::string shown;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80 && characters++ == kLabelCharacters)
            return shown + "...";
        shown += (byte == '\n' || byte == '\r') ? ' ' : text[i];
    }
    return shown;
}

} // namespace

std::string CQuillDoc::storeLabel(std::string_view text, LanguageId language)
{
    const std::string shown = decodeToUtf8(text, translationCodePage(language)).value_or(std::string(text));
    return fillPlaceholders(txt::StepStore, {shortened(shown), languageName(language)});
}

std::string CQuillDoc::acceptLabel(std::string_view text, LanguageId language)
{
    const std::string shown = decodeToUtf8(text, translationCodePage(language)).value_or(std::string(text));
    return fillPlaceholders(txt::StepAcceptSourceChange, {shortened(shown), languageName(language)});
}

std::string CQuillDoc::excludeLabel(int lineIndex, bool excluded)
{
    std::string source;
    const int row = rows_.rowOfLineIndex(lineIndex);
    if (row >= 0) {
        source = rows_.displayText(row, TextTableColumns::SourceColumn);
    } else if (std::optional<TextRow> text = db_.texts().text(lineIndex)) {
        source = decodeToUtf8(text->sourceText, codePage()).value_or(text->sourceText);
    }
    return fillPlaceholders(excluded ? txt::StepExclude : txt::StepInclude, {shortened(source)});
}

void CQuillDoc::beginEditStep(const std::string& label) { history_.beginGroup(label); }

void CQuillDoc::endEditStep()
{
    history_.endGroup();
    if (!history_.grouping())
        notify([](ProjectObserver& o) { o.editStepEnded(); });
}

void CQuillDoc::clearHistory()
{
    if (!history_.canUndo() && !history_.canRedo())
        return;
    history_.clear();
    feedback_.status(txt::HistoryCleared);
}

OperationResult CQuillDoc::applyEdit(const TranslationEdit& edit, bool forward)
{
    if (edit.kind == TranslationEdit::Kind::Exclude)
        return writeExclude(edit.lineIndex, forward ? edit.excludedAfter : edit.excludedBefore);
    if (edit.kind == TranslationEdit::Kind::IgnoreFinding)
        return writeIgnored({edit.lineIndex, edit.language, edit.check}, forward ? edit.ignoredAfter : edit.ignoredBefore);
    if (edit.kind == TranslationEdit::Kind::Marks) {
        showMarks(forward ? edit.marksAfter : edit.marksBefore);
        return OperationResult::Done;
    }
    return forward ? writeTranslationText(edit.lineIndex, edit.language, edit.textAfter, edit.flaggedAfter)
                   : writeTranslationText(edit.lineIndex, edit.language, edit.textBefore, edit.flaggedBefore);
}

CQuillDoc::HistoryMove CQuillDoc::undo() { return moveInHistory(false); }

CQuillDoc::HistoryMove CQuillDoc::redo() { return moveInHistory(true); }

// Reverts the newest step's edits (newest first) or applies the step undone last (oldest
// first); the step moves over only when every edit worked.
CQuillDoc::HistoryMove CQuillDoc::moveInHistory(bool forward)
{
    HistoryMove move;
    const EditStep* step = forward ? history_.nextRedo() : history_.nextUndo();
    if (busy_ || !step || step->edits.empty())
        return move;
    move.label = step->label;
    const TranslationEdit& first = step->edits.front();
    move.lineIndex = first.kind == TranslationEdit::Kind::Marks ? -1 : first.lineIndex;
    if (first.kind == TranslationEdit::Kind::Text || first.kind == TranslationEdit::Kind::IgnoreFinding)
        move.language = first.language;
    move.result = OperationResult::Done;
    std::unique_ptr<Transaction> bulk;  // a step of many edits (an import) is one transaction
    try {
        if (step->edits.size() > 1)
            bulk = db_.beginBulk();
    } catch (const DaoException& e) {
        reportDatabaseError(e.report());
        move.result = OperationResult::Failed;
        return move;
    }
    replayingStep_ = step->edits.size() > 1;
    if (forward) {
        for (auto it = step->edits.begin(); it != step->edits.end() && move.result.done(); ++it)
            move.result = applyEdit(*it, true);
    } else {
        for (auto it = step->edits.rbegin(); it != step->edits.rend() && move.result.done(); ++it)
            move.result = applyEdit(*it, false);
    }
    if (std::exchange(replayingStep_, false))
        notify([](ProjectObserver& o) { o.editStepEnded(); });
    try {
        if (bulk && move.result.done())
            bulk->commit();
    } catch (const DaoException& e) {
        reportDatabaseError(e.report());
        move.result = OperationResult::Failed;
    }
    if (!move.result.done() && bulk) {
        // Rolled back: the rows show what the database holds again.
        bulk.reset();
        if (rowsLoaded_)
            loadRows();
        return move;
    }
    if (move.result.done()) {
        if (forward)
            history_.redone();
        else
            history_.undone();
    }
    return move;
}

CQuillDoc::RecordedImport::RecordedImport(CQuillDoc& doc, const std::string& fileName) : doc_(doc)
{
    if (doc_.importRecorded_ || !doc_.db_.isOpen())
        return;
    label_ = fillPlaceholders(txt::StepImport, {fileName});
    try {
        languages_ = doc_.db_.languages().translationIds();
        for (LanguageId language : languages_)
            encodings_.push_back(doc_.translationEncoding(language));
        doc_.db_.texts().forEachTextInLineOrder([this](const TextRow& row) { before_.push_back(row); });
    } catch (const DaoException&) {
        before_.clear();  // nothing to compare with: the history starts anew after the import
    }
    doc_.importRecorded_ = true;
    taken_ = true;
}

// Every translation the import changed becomes an edit of one step; a language the import
// added had empty texts before.
CQuillDoc::RecordedImport::~RecordedImport()
{
    if (!taken_)
        return;
    doc_.importRecorded_ = false;
    std::vector<LanguageId> languagesAfter;
    std::vector<TextRow> after;
    try {
        languagesAfter = doc_.db_.languages().translationIds();
        for (std::size_t i = 0; i < languages_.size(); ++i) {
            if (std::find(languagesAfter.begin(), languagesAfter.end(), languages_[i]) == languagesAfter.end() ||
                doc_.translationEncoding(languages_[i]) != encodings_[i]) {
                doc_.clearHistory();  // the import converted or dropped texts older steps hold
                return;
            }
        }
        doc_.db_.texts().forEachTextInLineOrder([&after](const TextRow& row) { after.push_back(row); });
    } catch (const DaoException&) {
        doc_.clearHistory();
        return;
    }
    std::unordered_map<int, const TextRow*> rowBefore;
    for (const TextRow& row : before_)
        rowBefore.emplace(row.lineIndex, &row);
    std::vector<TranslationEdit> edits;
    for (const TextRow& row : after) {
        auto found = rowBefore.find(row.lineIndex);
        for (std::size_t i = 0; i < languagesAfter.size() && i < row.translations.size(); ++i) {
            TranslationEdit edit;
            edit.lineIndex = row.lineIndex;
            edit.language = languagesAfter[i];
            edit.textAfter = row.translations[i].text;
            edit.flaggedAfter = row.translations[i].modified;
            const auto was = std::find(languages_.begin(), languages_.end(), edit.language);
            if (found != rowBefore.end() && was != languages_.end()) {
                const auto index = static_cast<std::size_t>(was - languages_.begin());
                if (index < found->second->translations.size()) {
                    edit.textBefore = found->second->translations[index].text;
                    edit.flaggedBefore = found->second->translations[index].modified;
                }
            }
            if (edit.textBefore != edit.textAfter || edit.flaggedBefore != edit.flaggedAfter)
                edits.push_back(std::move(edit));
        }
    }
    if (before_.empty() && !after.empty()) {
        doc_.clearHistory();
        return;
    }
    doc_.history_.beginGroup(label_);
    for (TranslationEdit& edit : edits)
        doc_.history_.record(std::move(edit), label_);
    doc_.history_.endGroup();
}

} // namespace qmk
