// Searching the Text Table's cells: matching a text (case folded and word boundaries found in
// Unicode, whatever code page the cell was stored in), finding the next matching cell from a
// place in the table with wrap, marking every match, finding inside a cell for replace, and the
// histories of search and replacement texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qmk {

class TextTableRows;

struct SearchOptions {
    std::string pattern;  // UTF-8
    bool matchCase = true;
    bool wholeWord = false;
    bool changedItems = false;  // look for translations flagged for review instead of a text
    std::vector<int> columns;   // Text Table columns to search, ascending
};

// The first occurrence of the pattern in the text at or after `from` (both UTF-8; offsets in
// code points) that counts under the options; -1 when none does.
int findInText(std::string_view text, const SearchOptions& options, int from = 0);
// The length of a UTF-8 text in code points.
int codePointCount(std::string_view text);

struct CellHit {
    int row = -1;
    int column = -1;
    int position = -1;  // code points into the cell's text (replace); -1 for a whole-cell hit
    bool operator==(const CellHit&) const = default;
};

// The next matching cell after (row, column) in reading order — the columns to the right, then
// the next rows, wrapping after the last row — back to the starting row at most. With
// `insideCells` the scan looks first for a later occurrence in the starting cell after
// `position` (replace). Nothing without searched columns or a hit.
std::optional<CellHit> findNextCell(const TextTableRows& rows, const SearchOptions& options, int row, int column,
                                    int position = -1, bool insideCells = false);
// Every matching cell, in table order.
std::vector<CellHit> findAllCells(const TextTableRows& rows, const SearchOptions& options);

// The rows a filter of the Text Table shows: those whose source or translation in `column`
// holds the text, case ignored. An empty filter shows every row.
std::vector<bool> rowsShownByFilter(const TextTableRows& rows, std::string_view filter, int column);

// The same filter kept from one keystroke to the next: a text that holds the previous one (same
// column, rows unchanged since) looks again only at the rows that one showed.
class RowFilter {
public:
    // Each row's state under the text; empty when the text is (every row is shown).
    const std::vector<bool>& apply(const TextTableRows& rows, std::string_view text, int column);
    const std::vector<bool>& shown() const { return shown_; }

private:
    std::string pattern_;  // the folded form of the last text
    const TextTableRows* rows_ = nullptr;
    std::uint64_t revision_ = 0;
    int column_ = -1;
    std::vector<int> matching_;  // the rows shown_ marks, ascending
    std::vector<bool> shown_;
};

// Ten texts, newest first, each once (exact comparison).
class SearchHistory {
public:
    static constexpr std::size_t Length = 10;
    void add(const std::string& text);
    const std::vector<std::string>& entries() const { return entries_; }
    // The entries kept from an earlier run (app/SearchHistoryFile.h), newest first.
    void assign(std::vector<std::string> entries);

private:
    std::vector<std::string> entries_;
};

} // namespace qmk
