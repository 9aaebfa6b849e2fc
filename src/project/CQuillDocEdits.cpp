// The document's changes that views observe: stores, excludes, display switches and the reload
// of the Text Table rows, with the busy rule that keeps a second change out of a long one.
#include "project/CQuillDoc.h"

#include <algorithm>

#include "project/ProjectObserver.h"
#include "project/ReportedFailure.h"
#include "project/TranslationEncoding.h"
#include "resources/CountedText.h"
#include "resources/Feedback.h"
#include "resources/Messages.h"
#include "resources/Texts.h"
#include "resources/UiTexts.h"

namespace qmk {

CQuillDoc::LongOperation::LongOperation(CQuillDoc& doc) : doc_(doc), acquired_(!doc.busy_)
{
    if (!acquired_)
        return;
    doc_.busy_ = true;
    doc_.notify([](ProjectObserver& o) { o.busyChanged(true); });
}

CQuillDoc::LongOperation::~LongOperation()
{
    if (!acquired_)
        return;
    doc_.busy_ = false;
    doc_.notify([](ProjectObserver& o) { o.busyChanged(false); });
}

void CQuillDoc::notify(const std::function<void(ProjectObserver&)>& call)
{
    // A copy: an observer may unregister itself while it is told.
    const std::vector<ProjectObserver*> observers = observers_;
    for (ProjectObserver* observer : observers)
        call(*observer);
}

void CQuillDoc::addObserver(ProjectObserver* observer)
{
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void CQuillDoc::removeObserver(ProjectObserver* observer)
{
    std::erase(observers_, observer);
}

void CQuillDoc::notifyRowChanges()
{
    // Changed cells only: insertions, removals and resets are told as they happen.
    for (const RowChange& change : rows_.takeChanges())
        notify([&change](ProjectObserver& o) { o.rowsChanged(change); });
}

void CQuillDoc::rowsAboutToChange(const RowChange& change)
{
    notifyRowChanges();  // cells changed before refer to the rows as they still are
    notify([&change](ProjectObserver& o) { o.rowsAboutToChange(change); });
}

void CQuillDoc::rowsChangedNow(const RowChange& change)
{
    if (change.kind == RowChange::Kind::Reset)
        notify([](ProjectObserver& o) { o.tableReset(); });
    else
        notify([&change](ProjectObserver& o) { o.rowsChanged(change); });
}

bool CQuillDoc::loadRows()
{
    rowsLoaded_ = true;
    feedback_.status(txt::StatusReloadingTextTable);
    const bool read = rows_.reload(db_, switches_, &feedback_);
    feedback_.status({});
    // Each column's bytes are shown decoded from its own code page.
    const TextTableColumns& columns = rows_.columns();
    std::vector<int> codePages(static_cast<std::size_t>(columns.count()), 0);
    if (columns.count() > TextTableColumns::SourceColumn)
        codePages[TextTableColumns::SourceColumn] = codePage();
    for (int column = TextTableColumns::FirstTranslationColumn; column < columns.count(); ++column)
        if (std::optional<LanguageId> language = columns.languageOfColumn(column))
            codePages[static_cast<std::size_t>(column)] = translationCodePage(*language);
    rows_.setColumnCodePages(std::move(codePages));
    notifyRowChanges();
    return read;
}

OperationResult CQuillDoc::reloadRows()
{
    LongOperation operation(*this);
    if (!operation.acquired())
        return OperationResult::Refused;
    return loadRows() ? OperationResult::Done : OperationResult::Failed;
}

OperationResult CQuillDoc::storeTranslation(int lineIndex, LanguageId language, std::string_view text, bool flagged)
{
    if (busy_)
        return OperationResult::Refused;
    TranslationEdit edit;
    edit.lineIndex = lineIndex;
    edit.language = language;
    if (!reportFailure(feedback_, [&] {
            if (const std::optional<TranslatedText> before = db_.texts().translation(lineIndex, language)) {
                edit.textBefore = before->text;
                edit.flaggedBefore = before->modified;
            }
            return true;
        }, false, databasePath_.string()))
        return OperationResult::Failed;
    edit.textAfter = std::string(text);
    edit.flaggedAfter = flagged;
    const OperationResult result = writeTranslationText(lineIndex, language, text, flagged);
    if (result.done())
        history_.record(std::move(edit), storeLabel(text, language));
    return result;
}

OperationResult CQuillDoc::storeTranslation(const LongOperation& operation, int lineIndex, LanguageId language,
                                            std::string_view text, bool flagged)
{
    if (!operation.acquired())
        return OperationResult::Refused;
    const OperationResult result = writeTranslationText(lineIndex, language, text, flagged);
    // Without a recorded import, an older step undone over this text would drop it.
    if (result.done() && !importRecorded_)
        clearHistory();
    return result;
}

OperationResult CQuillDoc::writeTranslationText(int lineIndex, LanguageId language, std::string_view text,
                                                bool flagged)
{
    if (!reportFailure(feedback_, [&] { return db_.texts().setTranslation(lineIndex, language, text, flagged); },
                       false, databasePath_.string()))
        return OperationResult::Failed;
    modified_ = true;
    rows_.setCell(text, language, lineIndex, flagged);
    rows_.invalidateGauge();
    notify([&](ProjectObserver& o) { o.translationStored(lineIndex, language); });
    notifyRowChanges();
    return OperationResult::Done;
}

OperationResult CQuillDoc::acceptSourceChange(int lineIndex, LanguageId language)
{
    if (busy_)
        return OperationResult::Refused;
    bool read = false;
    const std::optional<TranslatedText> current = reportFailure(feedback_, [&] {
        std::optional<TranslatedText> text = db_.texts().translation(lineIndex, language);
        read = true;
        return text;
    }, std::optional<TranslatedText>{}, databasePath_.string());
    if (!read)
        return OperationResult::Failed;
    if (!current || !current->modified)
        return OperationResult::Cancelled;
    // The text is written back as it is, so that Undo and Redo move only the flag.
    TranslationEdit edit;
    edit.lineIndex = lineIndex;
    edit.language = language;
    edit.textBefore = current->text;
    edit.textAfter = current->text;
    edit.flaggedBefore = true;
    edit.flaggedAfter = false;
    const OperationResult result = writeTranslationText(lineIndex, language, current->text, false);
    if (result.done())
        history_.record(std::move(edit), acceptLabel(current->text, language));
    return result;
}

OperationResult CQuillDoc::setExcluded(int lineIndex, bool excluded)
{
    if (busy_)
        return OperationResult::Refused;
    TranslationEdit edit;
    edit.kind = TranslationEdit::Kind::Exclude;
    edit.lineIndex = lineIndex;
    const std::optional<bool> excludedBefore = reportFailure(feedback_, [&] {
        return std::optional<bool>(db_.texts().exclude(lineIndex).value_or(false));
    }, std::optional<bool>{}, databasePath_.string());
    if (!excludedBefore)
        return OperationResult::Failed;
    edit.excludedBefore = *excludedBefore;
    edit.excludedAfter = excluded;
    const OperationResult result = writeExclude(lineIndex, excluded);
    if (result.done())
        history_.record(std::move(edit), excludeLabel(lineIndex, excluded));
    return result;
}

OperationResult CQuillDoc::writeExclude(int lineIndex, bool excluded)
{
    if (!reportFailure(feedback_, [&] { return db_.texts().setExclude(lineIndex, excluded); }, false,
                       databasePath_.string()))
        return OperationResult::Failed;
    modified_ = true;
    rows_.setExcludedState(lineIndex, excluded);
    notify([&](ProjectObserver& o) { o.itemExcluded(lineIndex, excluded); });
    notifyRowChanges();
    return OperationResult::Done;
}

OperationResult CQuillDoc::toggleCategory(ProjectSwitch category, int selectedRow, int* rowToSelect)
{
    LongOperation operation(*this);
    if (!operation.acquired())
        return OperationResult::Refused;
    const int row = rows_.toggleCategory(db_, switches_, category, selectedRow, &feedback_);
    if (rowToSelect)
        *rowToSelect = row;
    notifyRowChanges();
    return OperationResult::Done;
}

void CQuillDoc::setMark(int row, int column)
{
    if (!rows_.isRow(row))
        return;
    rows_.setMark(row, column);
    notifyRowChanges();
}

void CQuillDoc::removeMarks(int column)
{
    rows_.removeMarks(column);
    notifyRowChanges();
}

void CQuillDoc::removeMarks()
{
    std::vector<TableMark> before = currentMarks();
    rows_.removeMarks();
    notifyRowChanges();
    recordMarks(std::move(before), txt::StepRemoveMarks);
}

void CQuillDoc::markCells(const std::vector<std::pair<int, int>>& cells)
{
    std::vector<TableMark> before = currentMarks();
    std::vector<TableMark> marks;
    for (const auto& [row, column] : cells)
        if (rows_.isRow(row))
            marks.emplace_back(rows_.item(row).lineIndex, column);
    showMarks(marks);
    recordMarks(std::move(before),
                fillPlaceholders(txt::StepMarkAll, {counted(static_cast<long long>(cells.size()), "text", "texts")}));
}

void CQuillDoc::showCellMarks(const std::vector<std::pair<int, int>>& cells)
{
    std::vector<TableMark> marks;
    for (const auto& [row, column] : cells)
        if (rows_.isRow(row))
            marks.emplace_back(rows_.item(row).lineIndex, column);
    if (marks.empty() && currentMarks().empty())
        return;  // nothing to tell the views
    showMarks(marks);
}

std::vector<TableMark> CQuillDoc::currentMarks() const
{
    std::vector<TableMark> marks;
    for (int row = 0; row < rows_.rowCount(); ++row)
        for (int column : rows_.item(row).marks)
            marks.emplace_back(rows_.item(row).lineIndex, column);
    return marks;
}

void CQuillDoc::showMarks(const std::vector<TableMark>& marks)
{
    rows_.removeMarks();
    for (const auto& [lineIndex, column] : marks)
        rows_.setMark(rows_.rowOfLineIndex(lineIndex), column);
    rows_.takeChanges();  // one change over the whole table instead of one a cell
    if (rows_.rowCount() > 0)
        notify([this](ProjectObserver& o) { o.rowsChanged({RowChange::Kind::Changed, 0, rows_.rowCount()}); });
}

void CQuillDoc::recordMarks(std::vector<TableMark> before, const std::string& label)
{
    TranslationEdit edit;
    edit.kind = TranslationEdit::Kind::Marks;
    edit.marksBefore = std::move(before);
    edit.marksAfter = currentMarks();
    if (edit.marksBefore != edit.marksAfter)
        history_.record(std::move(edit), label);
}

void CQuillDoc::translationsImported(const LongOperation& operation, bool anyStored)
{
    if (!operation.acquired())
        return;
    if (anyStored)
        modified_ = true;
    if (anyStored && !importRecorded_)
        clearHistory();
    rows_.invalidateGauge();
    afterTranslationsChanged();
}

void CQuillDoc::afterTranslationsChanged()
{
    notify([](ProjectObserver& o) { o.translationsChanged(); });
    if (rowsLoaded_)
        loadRows();
}

} // namespace qmk
