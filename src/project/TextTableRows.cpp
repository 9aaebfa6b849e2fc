// Filling, editing and trimming the Text Table's rows. Every fill reads the texts with one
// query that also carries each item's identifier and dialog, so no row costs a look-up.
#include "project/TextTableRows.h"

#include <algorithm>
#include <stdexcept>

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "project/GroupStartRule.h"
#include "project/ItemLineKinds.h"
#include "project/SearchForm.h"
#include "project/TextCodec.h"
#include "project/WordCount.h"
#include "resources/Feedback.h"
#include "resources/Texts.h"
#include "resources/UiTexts.h"

namespace qmk {

namespace {

bool isDialogCategoryRecord(const TextTableRecord& record)
{
    return categoryOfLineKind(record.text.lineKind) == ProjectSwitch::DialogEdit;
}

bool sameSwitches(const ProjectSwitches& a, const ProjectSwitches& b)
{
    for (int i = 0; i < ProjectSwitchCount; ++i)
        if (a.get(static_cast<ProjectSwitch>(i)) != b.get(static_cast<ProjectSwitch>(i)))
            return false;
    return true;
}

CountedKinds countedKinds(const ProjectSwitches& switches)
{
    CountedKinds kinds;
    kinds.bitmaps = switches.bitmapEdit;
    kinds.versions = switches.versionEdit;
    kinds.includes = switches.includeEdit;
    kinds.menus = switches.menuEdit;
    kinds.dialogs = switches.dialogEdit;
    kinds.stringtables = switches.stringtableEdit;
    return kinds;
}

// A row's folded forms: each cell's length as a base-128 number, low digits first, then the form.
void appendLength(std::string& out, std::size_t length)
{
    do {
        const auto digit = static_cast<unsigned char>(length & 0x7F);
        length >>= 7;
        out += static_cast<char>(length ? digit | 0x80 : digit);
    } while (length);
}

std::size_t readLength(std::string_view bytes, std::size_t& at)
{
    std::size_t length = 0;
    for (int shift = 0; at < bytes.size(); shift += 7) {
        const auto digit = static_cast<unsigned char>(bytes[at++]);
        length |= static_cast<std::size_t>(digit & 0x7F) << shift;
        if (!(digit & 0x80))
            break;
    }
    return length;
}

} // namespace

void TextTableRows::buildColumns(CProjectDatabase& db)
{
    rows_.clear();
    rowsChanged();
    ++revision_;
    filledUnder_.reset();
    columns_.build(db);
    invalidateGauge();
}

int TextTableRows::rowOfLineIndex(int lineIndex) const
{
    if (!lineIndexValid_) {
        rowOfLine_.clear();
        rowOfLine_.reserve(rows_.size());
        for (std::size_t i = 0; i < rows_.size(); ++i)
            rowOfLine_.emplace(rows_[i].item.lineIndex, static_cast<int>(i));
        lineIndexValid_ = true;
    }
    auto found = rowOfLine_.find(lineIndex);
    return found == rowOfLine_.end() ? -1 : found->second;
}

TextTableRow TextTableRows::makeRow(TextTableRecord& record, const std::vector<int>& cellOfTranslation) const
{
    TextRow& text = record.text;
    TextTableRow row;
    CObjectData& item = row.item;
    item.lineKind = text.lineKind;
    item.itemType = text.lineKind == itemkind::NoLine ? ItemType::None : itemTypeOfLineKind(text.lineKind);
    item.lineIndex = text.lineIndex;
    item.excluded = text.exclude;
    item.idText = idText(item.itemType, record.itemIdent);

    row.cells.resize(static_cast<std::size_t>(columns_.count()));
    row.cells[TextTableColumns::IdColumn] = item.idText;
    row.cells[TextTableColumns::SourceColumn] = std::move(text.sourceText);
    for (std::size_t i = 0; i < text.translations.size() && i < cellOfTranslation.size(); ++i) {
        int column = cellOfTranslation[i];
        if (column < 0)
            continue;
        row.cells[static_cast<std::size_t>(column)] = std::move(text.translations[i].text);
        if (text.translations[i].modified)
            item.addModified(*columns_.languageOfColumn(column));
    }
    return row;
}

std::vector<TextTableRow> TextTableRows::fill(CProjectDatabase& db, const Accept& accept, Feedback* progress)
{
    // The database hands out translations in its own order; place each in the column of its language.
    std::vector<int> cellOfTranslation;
    for (const LanguageId& id : db.languages().translationIds())
        cellOfTranslation.push_back(columns_.columnOfLanguage(id));

    const long texts = db.texts().textCount();
    std::optional<FeedbackTask> task;
    if (progress)
        task.emplace(*progress, txt::TaskReadTexts, texts);
    long done = 0;
    GroupStartRule groups;
    std::vector<TextTableRow> filled;
    filled.reserve(static_cast<std::size_t>(texts));
    db.texts().forEachTextTableRecord([&](TextTableRecord& record) {
        if (task)
            task->step(++done);
        if (!accept(record))
            return;
        TextTableRow row = makeRow(record, cellOfTranslation);
        row.item.groupStart = groups.next(row.item.itemType, record.dialogLine);
        filled.push_back(std::move(row));
    });
    return filled;
}

void TextTableRows::announce(RowChange::Kind kind, int first, int count)
{
    if (listener_ && kind != RowChange::Kind::Changed)
        listener_->rowsAboutToChange({kind, first, count});
}

void TextTableRows::record(RowChange::Kind kind, int first, int count)
{
    ++revision_;
    if (listener_ && kind != RowChange::Kind::Changed)
        listener_->rowsChangedNow({kind, first, count});
    else
        changes_.push_back({kind, first, count});
}

bool TextTableRows::reload(CProjectDatabase& db, const ProjectSwitches& switches, Feedback* feedback)
{
    announce(RowChange::Kind::Reset, 0, 0);
    rows_.clear();
    rowsChanged();
    invalidateGauge();
    filledUnder_.reset();
    bool read = true;
    try {
        columns_.build(db);
        rows_ = fill(
            db, [&](const TextTableRecord& r) { return isShown(r.text.lineKind, r.text.exclude, switches); },
            feedback);
        filledUnder_ = switches;
    } catch (const DaoException& error) {
        rows_.clear();
        if (feedback)
            feedback->messageText(error.report(), Icon::Stop);
        read = false;
    }
    rowsChanged();
    record(RowChange::Kind::Reset, 0, 0);
    return read;
}

int TextTableRows::addCategory(CProjectDatabase& db, ProjectSwitch category, const ProjectSwitches& switches,
                               Feedback* feedback)
{
    if (category == ProjectSwitch::ExcludeEdit)
        return 0;
    Accept accept = [&](const TextTableRecord& r) {
        if (r.text.exclude && !switches.excludeEdit)
            return false;
        if (category == ProjectSwitch::DialogEdit)
            return isDialogCategoryRecord(r);
        return categoryOfLineKind(r.text.lineKind) == category;
    };
    std::vector<TextTableRow> added;
    try {
        added = fill(db, accept, categoryShowsProgress(category) ? feedback : nullptr);
    } catch (const DaoException& error) {
        filledUnder_.reset();  // the category's texts are missing
        if (feedback)
            feedback->messageText(error.report(), Icon::Stop);
        return 0;
    }
    const int count = static_cast<int>(added.size());
    if (count > 0)
        announce(RowChange::Kind::Inserted, 0, count);
    rows_.insert(rows_.begin(), std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    rowsChanged();
    if (count > 0)
        record(RowChange::Kind::Inserted, 0, count);
    invalidateGauge();
    return static_cast<int>(added.size());
}

void TextTableRows::removeItemType(ItemType type)
{
    removeRowsWhere([type](const TextTableRow& r) { return r.item.itemType == type; });
}

void TextTableRows::removeExcludedRows()
{
    removeRowsWhere([](const TextTableRow& r) { return r.item.excluded; });
}

void TextTableRows::removeRowsWhere(const std::function<bool(const TextTableRow&)>& remove)
{
    // Runs of removed rows, reported last first so that each range still names the rows it
    // removes when the ranges are applied one after the other.
    std::vector<std::pair<int, int>> runs;
    for (int i = 0; i < rowCount(); ++i) {
        if (!remove(rows_[static_cast<std::size_t>(i)]))
            continue;
        if (!runs.empty() && runs.back().first + runs.back().second == i)
            ++runs.back().second;
        else
            runs.push_back({i, 1});
    }
    if (runs.empty())
        return;
    // Scattered rows (excluded texts all over the table) are cheaper to show afresh than to
    // take out run by run.
    constexpr std::size_t kMostRunsTold = 64;
    if (listener_ && runs.size() > kMostRunsTold) {
        announce(RowChange::Kind::Reset, 0, 0);
        std::erase_if(rows_, remove);
        rowsChanged();
        record(RowChange::Kind::Reset, 0, 0);
        return;
    }
    if (!listener_) {
        std::erase_if(rows_, remove);
        rowsChanged();
        for (auto run = runs.rbegin(); run != runs.rend(); ++run)
            record(RowChange::Kind::Removed, run->first, run->second);
        return;
    }
    // A listener hears each run before it goes, last first, so every range names the rows of
    // the table as it is at that moment.
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        announce(RowChange::Kind::Removed, run->first, run->second);
        const auto begin = rows_.begin() + run->first;
        rows_.erase(begin, begin + run->second);
        rowsChanged();
        record(RowChange::Kind::Removed, run->first, run->second);
    }
}

void TextTableRows::setColumnCodePages(std::vector<int> codePages)
{
    columnCodePages_ = std::move(codePages);
    ++revision_;
    for (TextTableRow& row : rows_) {
        row.shown.reset();
        row.sourceWords = -1;
    }
    invalidateGauge();
}

std::optional<std::string> TextTableRows::decodedCell(const TextTableRow& r, std::size_t column) const
{
    const std::string& bytes = r.cells[column];
    const int codePage = column < columnCodePages_.size() ? columnCodePages_[column] : 0;
    if (codePage > 0 && hasBytesAbove127(bytes))
        if (std::optional<std::string> decoded = decodeToUtf8(bytes, codePage); decoded && *decoded != bytes)
            return decoded;
    return std::nullopt;
}

const TextTableRow::Shown& TextTableRows::decode(const TextTableRow& r) const
{
    if (r.shown)
        return *r.shown;
    r.shown = std::make_unique<TextTableRow::Shown>();
    // Most rows are ASCII: their display list stays empty and costs nothing.
    std::vector<std::string>& display = r.shown->display;
    for (std::size_t c = 0; c < r.cells.size(); ++c)
        if (std::optional<std::string> decoded = decodedCell(r, c)) {
            display.resize(r.cells.size());
            display[c] = std::move(*decoded);
        }
    return *r.shown;
}

const std::string& TextTableRows::shownCell(const TextTableRow& r, std::size_t column) const
{
    const TextTableRow::Shown& shown = decode(r);
    if (column < shown.display.size() && !shown.display[column].empty())
        return shown.display[column];
    return r.cells.at(column);
}

int TextTableRows::sourceWords(int rowIndex) const
{
    const TextTableRow& r = row(rowIndex);
    if (r.sourceWords >= 0)
        return r.sourceWords;
    // Counted without keeping the row's display: counting every row must not decode them all.
    const std::size_t source = TextTableColumns::SourceColumn;
    if (r.shown) {
        r.sourceWords = countWords(shownCell(r, source));
    } else {
        const std::optional<std::string> decoded = decodedCell(r, source);
        r.sourceWords = countWords(decoded ? *decoded : r.cells.at(source));
    }
    return r.sourceWords;
}

bool TextTableRows::sourceWordsCounted() const
{
    if (wordsCountedAt_ == revision_)
        return true;
    if (!std::all_of(rows_.begin(), rows_.end(), [](const TextTableRow& r) { return r.sourceWords >= 0; }))
        return false;
    wordsCountedAt_ = revision_;
    return true;
}

const std::string& TextTableRows::displayText(int rowIndex, int column) const
{
    return shownCell(row(rowIndex), static_cast<std::size_t>(column));
}

std::string TextTableRows::passingDisplayText(int rowIndex, int column) const
{
    const TextTableRow& r = row(rowIndex);
    if (r.shown)
        return shownCell(r, static_cast<std::size_t>(column));
    std::optional<std::string> decoded = decodedCell(r, static_cast<std::size_t>(column));
    return decoded ? std::move(*decoded) : r.cells.at(static_cast<std::size_t>(column));
}

std::string_view TextTableRows::foldedText(int rowIndex, int column) const
{
    const TextTableRow& r = row(rowIndex);
    if (column < 0 || column >= static_cast<int>(r.cells.size()))
        throw std::out_of_range("TextTableRows::foldedText");
    const TextTableRow::Shown& shown = decode(r);
    if (shown.folded.empty()) {
        std::string form;
        for (std::size_t c = 0; c < r.cells.size(); ++c) {
            form.clear();
            appendSearchForm(form, shownCell(r, c), true);
            appendLength(r.shown->folded, form.size());
            r.shown->folded += form;
        }
    }
    std::size_t at = 0;
    for (int c = 0;; ++c) {
        const std::size_t length = readLength(shown.folded, at);
        if (c == column)
            return std::string_view(shown.folded).substr(at, length);
        at += length;
    }
}

bool TextTableRows::setExcludedState(int lineIndex, bool excluded)
{
    const int index = rowOfLineIndex(lineIndex);
    if (index < 0) {
        // A hidden excluded text taken back in counts again, and no row holds it.
        if (!excluded)
            filledUnder_.reset();
        return false;
    }
    rows_[static_cast<std::size_t>(index)].item.excluded = excluded;
    invalidateGauge();
    record(RowChange::Kind::Changed, index, 1);
    return true;
}

bool TextTableRows::setCell(std::string_view text, LanguageId language, int lineIndex, bool modified)
{
    int column = columns_.columnOfLanguage(language);
    int index = rowOfLineIndex(lineIndex);
    if (column < 0 || index < 0)
        return false;
    TextTableRow& row = rows_[static_cast<std::size_t>(index)];
    row.cells[static_cast<std::size_t>(column)] = std::string(text);
    row.shown.reset();
    if (modified)
        row.item.addModified(language);
    else
        row.item.removeModified(language);
    invalidateGauge();
    record(RowChange::Kind::Changed, index, 1);
    return true;
}

int TextTableRows::nextItem(int fromRow, int column, const std::vector<bool>* shown) const
{
    const int count = rowCount();
    if (count == 0)
        return -1;
    const bool filtered = shown && !shown->empty();
    auto counts = [&](int index) {
        return !filtered || (index < static_cast<int>(shown->size()) && (*shown)[static_cast<std::size_t>(index)]);
    };
    const int start = (fromRow < 0 || fromRow >= count - 1) ? 0 : fromRow + 1;
    const bool checkCells = column >= 0 && column < columns_.count();
    int firstCounted = -1;
    int index = start;
    do {
        if (counts(index)) {
            if (firstCounted < 0)
                firstCounted = index;
            const TextTableRow& row = rows_[static_cast<std::size_t>(index)];
            if (!checkCells || (row.cells[static_cast<std::size_t>(column)].empty() && !row.item.excluded))
                return index;
        }
        index = (index + 1) % count;
    } while (index != start);
    return firstCounted;
}

bool TextTableRows::toggleExclude(int row, CProjectDatabase& db)
{
    if (!isRow(row))
        return false;
    CObjectData& item = rows_[static_cast<std::size_t>(row)].item;
    if (!db.texts().setExclude(item.lineIndex, !item.excluded))
        return false;
    item.excluded = !item.excluded;
    invalidateGauge();
    record(RowChange::Kind::Changed, row, 1);
    return true;
}

void TextTableRows::setMark(int row, int column)
{
    if (isRow(row) && column >= 0 && column < columns_.count()) {
        rows_[static_cast<std::size_t>(row)].item.setMark(column);
        record(RowChange::Kind::Changed, row, 1);
    }
}

void TextTableRows::removeMarks()
{
    removeMarksWhere([](CObjectData& item) { return std::exchange(item.marks, {}).empty() == false; });
}

void TextTableRows::removeMarks(int column)
{
    removeMarksWhere([column](CObjectData& item) { return item.marks.erase(column) > 0; });
}

void TextTableRows::removeMarksWhere(const std::function<bool(CObjectData&)>& removed)
{
    // One change over the rows from the first to the last that lost a mark.
    int first = -1, last = -1;
    for (int row = 0; row < rowCount(); ++row) {
        if (!removed(rows_[static_cast<std::size_t>(row)].item))
            continue;
        if (first < 0)
            first = row;
        last = row;
    }
    if (first >= 0)
        record(RowChange::Kind::Changed, first, last - first + 1);
}

int TextTableRows::toggleCategory(CProjectDatabase& db, ProjectSwitches& switches, ProjectSwitch category,
                                  int selectedRow, Feedback* feedback)
{
    // Rows added or removed keep the rows holding every counted text only where they did.
    const bool complete = filledUnder_ && sameSwitches(*filledUnder_, switches);
    bool on = !switches.get(category);
    switches.set(category, on);
    db.writeSwitch(category, on);
    std::optional<int> remembered;
    if (isRow(selectedRow))
        remembered = item(selectedRow).lineIndex;

    if (on && category == ProjectSwitch::ExcludeEdit) {
        if (feedback)
            feedback->status(txt::StatusAddExcludedText);
        reload(db, switches, feedback);
    } else {
        if (on)
            addCategory(db, category, switches, feedback);
        else if (category == ProjectSwitch::ExcludeEdit)
            removeExcludedRows();
        else
            for (ItemType type : itemTypesOfCategory(category))
                removeItemType(type);
        if (complete && filledUnder_)
            filledUnder_ = switches;
        else
            filledUnder_.reset();
    }
    invalidateGauge();

    if (rows_.empty())
        return -1;
    int again = remembered ? rowOfLineIndex(*remembered) : -1;
    return again >= 0 ? again : 0;
}

GaugeFigures gaugeOf(const ResourceStatistics& stats)
{
    const long long total = stats.texts - stats.excluded;
    if (total <= 0)
        return {};
    return GaugeFigures{static_cast<int>(stats.translated * 100LL / total), static_cast<int>(stats.changed * 100LL / total)};
}

std::optional<TranslationStatistics> TextTableRows::statistics(const ProjectSwitches& switches,
                                                               LanguageId language) const
{
    const int column = columns_.columnOfLanguage(language);
    if (!filledUnder_ || !sameSwitches(*filledUnder_, switches) || column < 0)
        return std::nullopt;
    const CountedKinds kinds = countedKinds(switches);
    TranslationStatistics stats;
    for (const TextTableRow& row : rows_) {
        if (row.item.excluded || !kinds.counts(row.item.lineKind))
            continue;
        ++stats.total;
        if (row.item.isModified(language))
            ++stats.changed;
        else if (!row.cells[static_cast<std::size_t>(column)].empty())
            ++stats.translated;
    }
    return stats;
}

GaugeFigures TextTableRows::gauge(CProjectDatabase& db, const ProjectSwitches& switches, LanguageId language)
{
    if (gaugeCache_ && gaugeCache_->language == language && sameSwitches(gaugeCache_->switches, switches))
        return gaugeCache_->figures;
    const std::optional<TranslationStatistics> counted = statistics(switches, language);
    const TranslationStatistics stats =
        counted ? *counted : db.languages().translationStatistics(language, countedKinds(switches));
    GaugeFigures figures;
    if (stats.total > 0) {
        figures.translatedPercent = static_cast<int>(static_cast<long long>(stats.translated) * 100 / stats.total);
        figures.modifiedPercent = static_cast<int>(static_cast<long long>(stats.changed) * 100 / stats.total);
    }
    gaugeCache_ = CachedGauge{language, switches, figures};
    return figures;
}

} // namespace qmk
