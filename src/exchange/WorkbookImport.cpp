// The workbook import engine: header check, language choice, the pair-by-pair import, import
// all and mark all, with their reports. Texts arrive as UTF-8 and are stored in the code page
// of the translation; a text that page cannot hold is reported, never stored in part.
#include "exchange/WorkbookImport.h"

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "database/Transaction.h"
#include "database/TranslationColumnNames.h"
#include "exchange/ImportedTranslation.h"
#include "exchange/WorkbookExport.h"
#include "project/CQuillDoc.h"
#include "project/TranslationForm.h"
#include "project/TextCodec.h"
#include "project/TextTableRows.h"
#include "project/TranslationEncoding.h"
#include "resources/Feedback.h"
#include "resources/Messages.h"
#include "resources/Texts.h"
#include "resources/WorkbookTexts.h"

namespace qmk {

namespace {

constexpr int ReportedTextsAtMost = 20;  // lines of the refusal report

const char* const FixedHeader[] = {txt::HeaderResourceIdent, txt::HeaderItemType, txt::HeaderId,
                                   txt::HeaderSourceText};

std::string joined(const std::vector<std::string>& parts, const char* separator)
{
    std::string all;
    for (const std::string& part : parts) {
        if (!all.empty())
            all += separator;
        all += part;
    }
    return all;
}

} // namespace

WorkbookImport::WorkbookImport(CQuillDoc& doc, Feedback& feedback)
    : doc_(doc), rows_(doc.rows()), feedback_(feedback)
{
}

WorkbookImport::~WorkbookImport() = default;

bool WorkbookImport::open(const std::filesystem::path& path)
{
    path_ = path;
    languages_.clear();
    chosen_ = -1;
    search_.reset();
    current_.reset();
    sheetMarks_.clear();
    refused_.clear();
    read_ = sheet_.open(path);
    exportId_ = sheet_.customProperty(WorkbookExport::ExportIdProperty);
    if (!read_) {
        feedback_.messageText(fillPlaceholders(txt::ImportReadFailed, {path.string(), sheet_.errorDetail()}),
                              Icon::Stop);
        return false;
    }
    if (!checkHeader())
        return false;
    int end = FirstDataRow;
    while (end < sheet_.rowCount() && !sheet_.text(end, IdColumn).empty())
        ++end;
    search_ = std::make_unique<WorkbookPairSearch>(sheet_, rows_, IdColumn, SourceColumn, doc_.codePage(), end);
    return true;
}

bool WorkbookImport::checkHeader()
{
    std::vector<std::string> header;
    for (int c = 0; c < sheet_.columnCount() && !sheet_.text(0, c).empty(); ++c)
        header.push_back(sheet_.text(0, c));
    bool fixed = header.size() >= std::size(FixedHeader);
    for (std::size_t c = 0; fixed && c < std::size(FixedHeader); ++c)
        fixed = header[c] == FixedHeader[c];
    if (!fixed) {
        feedback_.messageText(fillPlaceholders(txt::ImportBadHeader, {path_.string()}), Icon::Exclamation);
        return false;
    }
    if (header.size() == std::size(FixedHeader)) {
        feedback_.messageText(txt::ImportNoLanguages, Icon::Exclamation);
        return false;
    }
    // Unknown names are reported from the last column to the first.
    for (int c = static_cast<int>(header.size()) - 1; c >= FirstLanguageColumn; --c) {
        Language language{header[static_cast<std::size_t>(c)], {}, c};
        if (languageForColumnName(language.name, language.id.language, language.id.sublanguage))
            languages_.insert(languages_.begin(), language);
        else
            feedback_.messageText(fillPlaceholders(txt::ImportUnknownLanguage, {language.name}), Icon::Exclamation);
    }
    return !languages_.empty();
}

std::vector<std::string> WorkbookImport::languageNames() const
{
    std::vector<std::string> names;
    for (const Language& language : languages_)
        names.push_back(language.name);
    return names;
}

const WorkbookImport::Language* WorkbookImport::chosen() const
{
    return chosen_ < 0 ? nullptr : &languages_[static_cast<std::size_t>(chosen_)];
}

int WorkbookImport::tableColumn() const
{
    return chosen() ? rows_.columns().columnOfLanguage(chosen()->id) : -1;
}

int WorkbookImport::translationCodePageOfChoice() const
{
    if (walkCodePage_)
        return *walkCodePage_;
    return chosen() ? textCodePage(translationEncoding(doc_.database(), doc_.codePage(), chosen()->id))
                    : doc_.codePage();
}

bool WorkbookImport::chooseLanguage(const std::string& name)
{
    chosen_ = -1;
    current_.reset();
    for (std::size_t i = 0; i < languages_.size() && chosen_ < 0; ++i)
        if (languages_[i].name == name)
            chosen_ = static_cast<int>(i);
    if (chosen_ < 0 || !search_)
        return false;
    search_->start(chosen()->sheetColumn);
    current_ = search_->find(WorkbookPairSearch::FirstSearchRow, Direction::Down);
    if (!current_)
        feedback_.messageText(txt::ImportNoSameId, Icon::Information);
    return current_.has_value();
}

std::optional<WorkbookImport::PairView> WorkbookImport::currentView() const
{
    if (!current_)
        return std::nullopt;
    PairView view;
    view.pair = *current_;
    const TextTableRow& row = rows_.row(current_->tableRow);
    view.sourceText = decodeToUtf8(row.cell(TextTableColumns::SourceColumn), doc_.codePage()).value_or("");
    if (int column = tableColumn(); column >= 0)
        view.translation = decodeToUtf8(row.cell(column), translationCodePageOfChoice()).value_or("");
    view.sheetText = sheet_.text(current_->sheetRow, chosen()->sheetColumn);
    return view;
}

bool WorkbookImport::next(Direction direction)
{
    if (!chosen())
        return false;
    int from = direction == Direction::Down ? WorkbookPairSearch::FirstSearchRow : dataEnd() - 1;
    if (current_)
        from = current_->sheetRow + (direction == Direction::Down ? 1 : -1);
    std::optional<WorkbookPair> found = search_->find(from, direction);
    if (!found) {
        feedback_.messageText(txt::ImportNoSameId, Icon::Information);
        return false;
    }
    current_ = found;
    return true;
}

bool WorkbookImport::requireTranslation()
{
    if (!chosen())
        return false;
    if (tableColumn() >= 0)
        return true;
    feedback_.messageText(fillPlaceholders(txt::ImportNoSuchTranslation, {chosen()->name}), Icon::Exclamation);
    return false;
}

EncodeResult WorkbookImport::encodedTranslation(const WorkbookPair& pair) const
{
    return encodeFromUtf8(withEscapedLineBreaks(sheet_.text(pair.sheetRow, chosen()->sheetColumn)),
                          translationCodePageOfChoice());
}

WorkbookImport::Stored WorkbookImport::store(const CQuillDoc::LongOperation& operation, const WorkbookPair& pair,
                                             MarkTaken marks, std::optional<EncodeResult> encoded)
{
    const Language& language = *chosen();
    const EncodeResult bytes = encoded ? std::move(*encoded) : encodedTranslation(pair);
    if (!bytes.ok) {
        if (static_cast<int>(refused_.size()) < ReportedTextsAtMost)
            refused_.push_back(fillPlaceholders(txt::ImportRefusedLine,
                                                {std::to_string(pair.sheetRow + 1), sheet_.text(pair.sheetRow, IdColumn),
                                                 joined(bytes.unrepresentable, " ")}));
        else if (refused_.size() == ReportedTextsAtMost)
            refused_.push_back("...");
        return Stored::Refused;
    }
    const int lineIndex = rows_.item(pair.tableRow).lineIndex;
    if (!doc_.storeTranslation(operation, lineIndex, language.id, bytes.bytes))
        return Stored::Failed;
    if (marks.table)
        doc_.setMark(pair.tableRow, tableColumn());
    if (marks.sheet)
        sheetMarks_[{pair.sheetRow, language.sheetColumn}] = CellMark::Taken;
    return Stored::Yes;
}

bool WorkbookImport::differs(const WorkbookPair& pair, std::optional<EncodeResult>* encoded) const
{
    const std::string& text = sheet_.text(pair.sheetRow, chosen()->sheetColumn);
    if (text.empty())
        return false;
    int column = tableColumn();
    if (column < 0)
        return true;
    EncodeResult bytes = encodedTranslation(pair);
    const bool differing = !bytes.ok || bytes.bytes != rows_.row(pair.tableRow).cell(column);
    if (encoded)
        *encoded = std::move(bytes);
    return differing;
}

void WorkbookImport::reportRefused()
{
    if (refused_.empty())
        return;
    feedback_.messageText(fillPlaceholders(txt::ImportUnrepresentable, {path_.string(), joined(refused_, "\n")}),
                          Icon::Exclamation);
    refused_.clear();
}

bool WorkbookImport::importCurrent(MarkTaken marks)
{
    if (!current_ || !requireTranslation())
        return false;
    CQuillDoc::LongOperation operation(doc_);
    if (!operation.acquired())
        return false;
    Stored stored = store(operation, *current_, marks);
    reportRefused();
    if (stored != Stored::Yes)
        return false;
    next(Direction::Down);
    return true;
}

std::vector<int> WorkbookImport::walkOrder() const
{
    // Every data row once: from the current pair down to the end, then from the top.
    const int first = WorkbookPairSearch::FirstSearchRow;
    const int start = current_ ? current_->sheetRow : first;
    std::vector<int> order;
    for (int row = start; row < dataEnd(); ++row)
        order.push_back(row);
    for (int row = first; row < start; ++row)
        order.push_back(row);
    return order;
}

int WorkbookImport::importAll(MarkTaken marks)
{
    if (!requireTranslation())
        return 0;
    // Read once for the walk: a look-up per row would cost more than the rest of the row's work.
    walkCodePage_ = translationCodePageOfChoice();
    const int imported = importEveryPair(marks);
    walkCodePage_.reset();
    return imported;
}

int WorkbookImport::importEveryPair(MarkTaken marks)
{
    failedStores_ = 0;
    conflicts_.clear();
    conflictsLanguage_ = chosen()->id;
    kept_.clear();
    keptPairs_.clear();
    unchangedSinceExport_ = 0;
    int imported = 0, pairs = 0;
    {
        CQuillDoc::LongOperation operation(doc_);
        if (!operation.acquired())
            return 0;
        // One transaction for the whole walk: a disk sync per text would make a large sheet take
        // minutes. Texts stored before a cancel are kept, as they are one by one.
        try {
            loadSent();
            std::unique_ptr<Transaction> bulk = doc_.database().beginBulk();
            imported = storeDiffering(operation, marks, pairs);
            bulk->commit();
        } catch (const DaoException& error) {
            feedback_.messageText(error.report(), Icon::Stop);
            doc_.translationsImported(operation, false);  // the rows show what the database holds
            ++failedStores_;  // nothing of the walk was kept
            return 0;
        }
    }
    // Asked once the walk is stored, so that no question waits with the project held.
    if (!kept_.empty() &&
        (overwrite_ ||
         feedback_.askText(fillPlaceholders(txt::ImportReplaceExisting, {std::to_string(kept_.size())}), false)))
        imported += replaceKept(marks);
    bool refused = !refused_.empty();
    const bool notTaken = !conflicts_.empty() || !kept_.empty() || unchangedSinceExport_ > 0;
    if (imported > 0)
        feedback_.messageText(fillPlaceholders(txt::ImportAllDone, {std::to_string(imported)}), Icon::Information);
    else if (pairs == 0)
        feedback_.messageText(txt::ImportAllNoSameId, Icon::Information);
    else if (!refused && !notTaken)  // texts refused are not "actual": the refusal report says what happened
        feedback_.messageText(txt::ImportAllCurrent, Icon::Information);
    reportRefused();
    reportNotTaken();
    return imported;
}

void WorkbookImport::loadSent()
{
    sent_.clear();
    const std::string key = workbookExportKey(exportId_, chosen()->id);
    if (doc_.database().exports().knows(key, chosen()->id))
        sent_ = doc_.database().exports().sent(key);
}

UnitVerdict WorkbookImport::judge(const WorkbookPair& pair, ImportDisagreement& disagreement) const
{
    const std::string theirs = withEscapedLineBreaks(sheet_.text(pair.sheetRow, chosen()->sheetColumn));
    const std::string& cell = rows_.row(pair.tableRow).cell(tableColumn());
    // A translation its code page cannot decode counts as another translation, never as none.
    const std::string ours = decodeToUtf8(cell, translationCodePageOfChoice()).value_or(cell);
    const int lineIndex = rows_.item(pair.tableRow).lineIndex;
    const auto sent = sent_.find(lineIndex);
    const JudgedText sentText = sent == sent_.end() ? JudgedText{} : JudgedText{sent->second.text};
    const UnitVerdict verdict = judgeText({theirs}, {ours}, sent == sent_.end() ? nullptr : &sentText);
    if (verdict == UnitVerdict::Conflict || verdict == UnitVerdict::Existing) {  // listed: named and quoted
        const std::string& id = sheet_.text(pair.sheetRow, IdColumn);
        disagreement = {lineIndex, fillPlaceholders(txt::WorkbookRowId, {std::to_string(pair.sheetRow + 1), id}), id,
                        toPlatformForm(ours), toPlatformForm(theirs), false};
    }
    return verdict;
}

int WorkbookImport::storeDiffering(const CQuillDoc::LongOperation& operation, MarkTaken marks, int& pairs)
{
    const std::vector<int> order = walkOrder();
    const long total = static_cast<long>(order.size());
    FeedbackTask task(feedback_, fillPlaceholders(txt::TaskImportWorkbook, {path_.string()}), total);
    int imported = 0;
    for (long i = 0; i < total; ++i) {
        std::optional<WorkbookPair> pair = search_->pairAt(order[static_cast<std::size_t>(i)]);
        if (!pair)
            continue;
        ++pairs;
        current_ = pair;
        // Encoded once for the comparison and the store: converting is most of a row's cost.
        std::optional<EncodeResult> encoded;
        if (differs(*pair, &encoded) && !storeJudged(operation, *pair, marks, imported, std::move(encoded)))
            ++failedStores_;
        task.step(i + 1);
        if (task.cancelled())
            break;
    }
    return imported;
}

// Stores a differing pair as its verdict says; false when the database refused a store.
bool WorkbookImport::storeJudged(const CQuillDoc::LongOperation& operation, const WorkbookPair& pair, MarkTaken marks,
                                 int& imported, std::optional<EncodeResult> encoded)
{
    ImportDisagreement disagreement;
    switch (judge(pair, disagreement)) {
    case UnitVerdict::Same:
        return true;
    case UnitVerdict::UnchangedOnPlatform:
        ++unchangedSinceExport_;
        return true;
    case UnitVerdict::Existing:
        kept_.push_back(std::move(disagreement));
        keptPairs_.push_back(pair);
        return true;
    case UnitVerdict::Conflict: {
        // The newer work here stays, flagged so that somebody looks at both.
        conflicts_.push_back(std::move(disagreement));
        const CObjectData& item = rows_.item(pair.tableRow);
        if (item.isModified(chosen()->id))
            return true;
        const std::string ours = rows_.row(pair.tableRow).cell(tableColumn());
        return doc_.storeTranslation(operation, item.lineIndex, chosen()->id, ours, true).done();
    }
    case UnitVerdict::Store:
        break;
    }
    const Stored stored = store(operation, pair, marks, std::move(encoded));
    imported += stored == Stored::Yes;
    return stored != Stored::Failed;
}

int WorkbookImport::replaceKept(MarkTaken marks)
{
    CQuillDoc::LongOperation operation(doc_);
    if (!operation.acquired())
        return 0;
    int imported = 0;
    try {
        std::unique_ptr<Transaction> bulk = doc_.database().beginBulk();
        for (const WorkbookPair& pair : keptPairs_) {
            const Stored stored = store(operation, pair, marks);
            imported += stored == Stored::Yes;
            failedStores_ += stored == Stored::Failed;
        }
        bulk->commit();
    } catch (const DaoException& error) {
        feedback_.messageText(error.report(), Icon::Stop);
        doc_.translationsImported(operation, false);
        ++failedStores_;
        return 0;
    }
    kept_.clear();
    keptPairs_.clear();
    return imported;
}

void WorkbookImport::reportNotTaken()
{
    if (unchangedSinceExport_ > 0)
        feedback_.messageText(fillPlaceholders(txt::WorkbookUnchangedSinceExport, {std::to_string(unchangedSinceExport_)}),
                              Icon::Information);
    std::string lines;
    for (const ImportDisagreement& conflict : conflicts_)
        lines += conflict.id + ": " + fillPlaceholders(txt::WorkbookConflict, {conflict.ours, conflict.theirs}) + "\n";
    for (const ImportDisagreement& kept : kept_)
        lines += kept.id + ": " + fillPlaceholders(txt::WorkbookKeptExisting, {kept.ours, kept.theirs}) + "\n";
    if (lines.empty())
        return;
    lines.pop_back();
    feedback_.messageText(fillPlaceholders(txt::ImportWorkbookNotTaken,
                                           {path_.string(), std::to_string(conflicts_.size() + kept_.size()), lines}),
                          Icon::Exclamation);
}

int WorkbookImport::markAll()
{
    if (!chosen())
        return 0;
    const int column = tableColumn();
    const int sheetColumn = chosen()->sheetColumn;
    doc_.removeMarks(TextTableColumns::SourceColumn);
    if (column >= 0)
        doc_.removeMarks(column);
    int marked = 0, pairs = 0;
    for (int row : walkOrder()) {
        std::optional<WorkbookPair> pair = search_->pairAt(row);
        if (!pair)
            continue;
        ++pairs;
        current_ = pair;
        if (!differs(*pair)) {
            sheetMarks_[{pair->sheetRow, sheetColumn}] = CellMark::NotTaken;
            continue;
        }
        doc_.setMark(pair->tableRow, TextTableColumns::SourceColumn);
        if (column >= 0)
            doc_.setMark(pair->tableRow, column);
        sheetMarks_[{pair->sheetRow, sheetColumn}] = CellMark::Taken;
        ++marked;
    }
    if (marked > 0)
        feedback_.messageText(fillPlaceholders(txt::MarkAllDone, {std::to_string(marked)}), Icon::Information);
    else if (pairs > 0)
        feedback_.messageText(txt::MarkAllNoDifference, Icon::Information);
    else
        feedback_.messageText(txt::MarkAllNoSameId, Icon::Information);
    return marked;
}

bool WorkbookImport::saveMarks()
{
    if (sheetMarks_.empty())
        return true;
    WorkbookMarker marker;
    bool ok = marker.open(path_);
    for (auto it = sheetMarks_.begin(); ok && it != sheetMarks_.end(); ++it)
        ok = marker.mark(it->first.first, it->first.second, it->second);
    if (ok)
        ok = marker.save();
    if (!ok) {
        feedback_.messageText(fillPlaceholders(txt::ImportMarksFailed, {path_.string(), marker.errorDetail()}),
                              Icon::Stop);
        return false;
    }
    sheetMarks_.clear();
    return true;
}

} // namespace qmk
