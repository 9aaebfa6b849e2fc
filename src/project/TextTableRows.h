// The rows of the Text Table without any widget: one row per shown text with its cells and
// item object, filled from the project database under the display switches. The export reads
// it and the user interface's table model wraps it, so both show the same rows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "database/ProjectRows.h"
#include "project/CObjectData.h"
#include "project/TextTableColumns.h"

namespace qmk {

class CProjectDatabase;
class Feedback;
struct TextTableRecord;

struct TextTableRow {
    std::vector<std::string> cells;  // Id, source, one per translation column
    CObjectData item;
    // How the row is shown and searched: made when first needed, dropped by a change of the row.
    struct Shown {
        // The cells as UTF-8; empty where the cell's own bytes are shown (most cells are ASCII),
        // and no list at all where every cell is.
        std::vector<std::string> display;
        // The case-folded search forms of the displayed cells, one after the other, each behind
        // its length: made on the row's first search, so the filter and Find fold a text once
        // per change instead of once per search.
        std::string folded;
    };
    mutable std::unique_ptr<Shown> shown;
    // The source text's words, counted when first asked for (the source changes only with a
    // refill of the rows).
    mutable int sourceWords = -1;

    const std::string& cell(int column) const { return cells.at(static_cast<std::size_t>(column)); }
};

// What a mutation did to the rows, in the order a table model applies it: a removal's rows are
// those of the table just before it (several removals come last row first), an insertion's
// those after it. A reset replaces every row.
struct RowChange {
    enum class Kind { Inserted, Removed, Changed, Reset };
    Kind kind = Kind::Reset;
    int first = 0;
    int count = 0;
    bool operator==(const RowChange&) const = default;
};

// Hears each insertion, removal and reset of rows as it happens: before the rows go or come
// (a Qt model must announce them first) and after. Changes of cells are not told here; they
// are collected for takeChanges().
class RowChangeListener {
public:
    virtual void rowsAboutToChange(const RowChange& change) = 0;
    virtual void rowsChangedNow(const RowChange& change) = 0;

protected:
    ~RowChangeListener() = default;
};

// Status gauge of one translation: whole percentages of the shown, not excluded texts.
// Translated and flagged texts are counted apart: their shares add up to at most 100.
struct GaugeFigures {
    int translatedPercent = 0;
    int modifiedPercent = 0;
    bool operator==(const GaugeFigures&) const = default;
};

// The figures of one dialog's or menu's texts, excluded ones left out.
GaugeFigures gaugeOf(const ResourceStatistics& stats);

class TextTableRows {
public:
    // Columns from the project; every row is deleted.
    void buildColumns(CProjectDatabase& db);
    const TextTableColumns& columns() const { return columns_; }

    int rowCount() const { return static_cast<int>(rows_.size()); }
    bool isRow(int row) const { return row >= 0 && row < rowCount(); }
    const TextTableRow& row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
    const CObjectData& item(int index) const { return row(index).item; }
    // -1 when no row has that LineIndex. Looked up in an index built on first use after a change.
    int rowOfLineIndex(int lineIndex) const;

    // The code page of each column's bytes (the source's, then each translation's text code
    // page); cells of a column without one are shown as they are.
    void setColumnCodePages(std::vector<int> codePages);
    // The cell as UTF-8 for display. A row is decoded once, when it is first shown, so
    // painting a page runs no conversion and no query; bytes that are not valid in their
    // code page are shown as they are.
    const std::string& displayText(int row, int column) const;
    // The same text for a pass over every row: the row's display is not kept for it.
    std::string passingDisplayText(int row, int column) const;
    // The display text's case-folded search form (SearchForm.h).
    std::string_view foldedText(int row, int column) const;
    // Counts every change of the rows, their texts or their display: a result computed from
    // the rows (a filter) still holds while this stays the same.
    std::uint64_t revision() const { return revision_; }
    // The words of the row's source text (WordCount.h), counted once.
    int sourceWords(int row) const;
    // True when every row's source words are counted (the statistics are then at hand).
    bool sourceWordsCounted() const;
    // Counts every change that can alter a translation's figures (texts, flags, excludes, rows):
    // figures computed from the rows still hold while this stays the same.
    std::uint64_t figuresRevision() const { return figuresRevision_; }

    // Rebuilds the columns and refills every row in script order. A failing read leaves the
    // table empty, reports the failure through feedback (when given) and returns false.
    bool reload(CProjectDatabase& db, const ProjectSwitches& switches, Feedback* feedback = nullptr);
    // Inserts the rows of one category at the top of the table in script order; returns how many.
    // A failing read changes nothing. ExcludeEdit has no rows of its own: use reload.
    int addCategory(CProjectDatabase& db, ProjectSwitch category, const ProjectSwitches& switches,
                    Feedback* feedback = nullptr);
    void removeItemType(ItemType type);
    void removeExcludedRows();

    // The row changes since the last call, oldest first; the list is emptied. With a listener
    // only the changed cells are collected here.
    std::vector<RowChange> takeChanges() { return std::exchange(changes_, {}); }
    void setListener(RowChangeListener* listener) { listener_ = listener; }

    // Stores a translation edited elsewhere in its cell and sets the cell's modified state
    // (cleared by an edit, restored by an undo). False when the language has no column or no
    // row has that LineIndex.
    bool setCell(std::string_view text, LanguageId language, int lineIndex, bool modified = false);
    // Sets the row's excluded state as the database holds it now.
    bool setExcludedState(int lineIndex, bool excluded);

    // The row the next-item command moves to from fromRow (-1: nothing selected): the next row,
    // wrapping, whose cell in the column is empty and that is not excluded; without one, simply
    // the next row. Only rows marked in `shown` count where it is given and not empty (a filter).
    // -1 when no row counts.
    int nextItem(int fromRow, int column, const std::vector<bool>* shown = nullptr) const;

    // Flips the row's excluded state once it is written to the database; the row stays.
    // False when there is no such row or the database has no text for its line.
    bool toggleExclude(int row, CProjectDatabase& db);

    void setMark(int row, int column);
    void removeMarks();
    // Removes the marks of one column from every row.
    void removeMarks(int column);

    // Flips and stores the switch, then adds or removes the category's rows (excluded text:
    // reloads, saying so through feedback). Returns the row to select: the row of the selected
    // row's line again, else 0, or -1 when the table is empty.
    int toggleCategory(CProjectDatabase& db, ProjectSwitches& switches, ProjectSwitch category, int selectedRow,
                       Feedback* feedback = nullptr);

    // Figures for the translation's gauge, cached until an edit, an exclude, a category change
    // or a reload. Counted from the rows where they hold every text the figures count (they
    // were filled under these switches and kept in step since), else read from the database;
    // both give the same figures.
    GaugeFigures gauge(CProjectDatabase& db, const ProjectSwitches& switches, LanguageId language);
    // The counts behind the gauge taken from the rows; nothing where the rows do not hold every
    // text counted under the switches (filled under others, or a hidden text taken back in).
    std::optional<TranslationStatistics> statistics(const ProjectSwitches& switches, LanguageId language) const;
    void invalidateGauge()
    {
        gaugeCache_.reset();
        ++figuresRevision_;
    }

private:
    using Accept = std::function<bool(const TextTableRecord&)>;
    std::vector<TextTableRow> fill(CProjectDatabase& db, const Accept& accept, Feedback* progress);
    // Takes the record's texts.
    TextTableRow makeRow(TextTableRecord& record, const std::vector<int>& cellOfTranslation) const;

    void rowsChanged()
    {
        lineIndexValid_ = false;
        wordsCountedAt_.reset();
    }
    const TextTableRow::Shown& decode(const TextTableRow& row) const;
    // The cell decoded from its column's code page; nothing where its bytes are shown as they are.
    std::optional<std::string> decodedCell(const TextTableRow& row, std::size_t column) const;
    const std::string& shownCell(const TextTableRow& row, std::size_t column) const;

    void removeRowsWhere(const std::function<bool(const TextTableRow&)>& remove);
    void removeMarksWhere(const std::function<bool(CObjectData&)>& removed);
    // Before a change of the rows' number: the listener hears it first.
    void announce(RowChange::Kind kind, int first, int count);
    // After a change: the listener hears insertions, removals and resets, the rest is collected.
    void record(RowChange::Kind kind, int first, int count);

    TextTableColumns columns_;
    std::vector<TextTableRow> rows_;
    std::vector<RowChange> changes_;
    RowChangeListener* listener_ = nullptr;
    std::vector<int> columnCodePages_;
    std::uint64_t revision_ = 0;
    std::uint64_t figuresRevision_ = 0;
    // The switches the rows were filled under, while they hold every text those count.
    std::optional<ProjectSwitches> filledUnder_;
    mutable std::optional<std::uint64_t> wordsCountedAt_;  // the revision at which every row was counted
    mutable std::unordered_map<int, int> rowOfLine_;
    mutable bool lineIndexValid_ = false;
    struct CachedGauge {
        LanguageId language;
        ProjectSwitches switches;
        GaugeFigures figures;
    };
    std::optional<CachedGauge> gaugeCache_;
};

} // namespace qmk
