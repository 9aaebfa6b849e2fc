// Searching the Text Table.
#include "project/TextSearch.h"

#include <algorithm>

#include "project/SearchForm.h"
#include "project/TextCodec.h"
#include "project/TextTableRows.h"

namespace qmk {
namespace {

constexpr std::size_t kHistoryLength = SearchHistory::Length;

// The cell's text in the form the options compare.
std::string_view cellForm(const TextTableRows& rows, const SearchOptions& options, int row, int column,
                          std::string& scratch)
{
    if (!options.matchCase)
        return rows.foldedText(row, column);
    const std::string& display = rows.displayText(row, column);
    if (isValidUtf8(display))
        return display;  // its own form
    scratch = searchForm(display, false);
    return scratch;
}

bool cellMatches(const TextTableRows& rows, const SearchOptions& options, std::string_view pattern, int row,
                 int column, int from, int* position)
{
    if (options.changedItems) {
        const std::optional<LanguageId> language = rows.columns().languageOfColumn(column);
        *position = -1;
        return language && rows.item(row).isModified(*language);
    }
    std::string scratch;
    const std::string_view text = cellForm(rows, options, row, column, scratch);
    const std::size_t at = findInSearchForm(text, pattern, options.wholeWord, from > 0 ? byteOfCodePoint(text, from) : 0);
    *position = at == std::string_view::npos ? -1 : codePointsBefore(text, at);
    return *position >= 0;
}

std::string patternForm(const SearchOptions& options)
{
    return searchForm(options.pattern, !options.matchCase);
}

// Whether the row's source or its cell in `column` (a translation's) holds the folded pattern.
bool filterMatches(const TextTableRows& rows, int row, std::string_view pattern, int column)
{
    if (findInSearchForm(rows.foldedText(row, TextTableColumns::SourceColumn), pattern, false) != std::string_view::npos)
        return true;
    return column > TextTableColumns::SourceColumn && column < rows.columns().count() &&
           findInSearchForm(rows.foldedText(row, column), pattern, false) != std::string_view::npos;
}

} // namespace

int codePointCount(std::string_view text)
{
    const std::string form = searchForm(text, false);
    return codePointsBefore(form, form.size());
}

int findInText(std::string_view text, const SearchOptions& options, int from)
{
    if (from < 0)
        return -1;
    const std::string form = searchForm(text, !options.matchCase);
    const std::size_t at =
        findInSearchForm(form, patternForm(options), options.wholeWord, byteOfCodePoint(form, from));
    return at == std::string_view::npos ? -1 : codePointsBefore(form, at);
}

std::optional<CellHit> findNextCell(const TextTableRows& rows, const SearchOptions& options, int row, int column,
                                    int position, bool insideCells)
{
    const int count = rows.rowCount();
    if (options.columns.empty() || count == 0 || (!options.changedItems && options.pattern.empty()))
        return std::nullopt;
    const std::string pattern = patternForm(options);
    const int startRow = rows.isRow(row) ? row : 0;
    int found = -1;
    // A later occurrence in the starting cell comes first when searching inside cells.
    if (insideCells && rows.isRow(row) && std::find(options.columns.begin(), options.columns.end(), column) !=
                                              options.columns.end()) {
        if (cellMatches(rows, options, pattern, row, column, std::max(0, position), &found))
            return CellHit{row, column, found};
    }
    // Then every searched cell after it in reading order, wrapping, until the starting row
    // comes round again (its cells left of the start included).
    int r = startRow;
    auto next = std::upper_bound(options.columns.begin(), options.columns.end(), column);
    for (int visited = 0; visited <= count; ++visited) {
        for (; next != options.columns.end(); ++next)
            if (cellMatches(rows, options, pattern, r, *next, 0, &found))
                return CellHit{r, *next, insideCells ? found : -1};
        r = (r + 1) % count;
        next = options.columns.begin();
    }
    return std::nullopt;
}

std::vector<CellHit> findAllCells(const TextTableRows& rows, const SearchOptions& options)
{
    std::vector<CellHit> hits;
    if (options.columns.empty() || (!options.changedItems && options.pattern.empty()))
        return hits;
    const std::string pattern = patternForm(options);
    int found = -1;
    for (int row = 0; row < rows.rowCount(); ++row)
        for (int column : options.columns)
            if (cellMatches(rows, options, pattern, row, column, 0, &found))
                hits.push_back({row, column, -1});
    return hits;
}

std::vector<bool> rowsShownByFilter(const TextTableRows& rows, std::string_view filter, int column)
{
    if (filter.empty())
        return std::vector<bool>(static_cast<std::size_t>(rows.rowCount()), true);
    RowFilter once;
    return once.apply(rows, filter, column);
}

const std::vector<bool>& RowFilter::apply(const TextTableRows& rows, std::string_view text, int column)
{
    std::string pattern = searchForm(text, true);
    // A text that holds the previous one shows no row that one hid: only its rows are looked at.
    const bool narrows = !pattern_.empty() && rows_ == &rows && revision_ == rows.revision() && column_ == column &&
                         pattern.find(pattern_) != std::string::npos;
    if (pattern.empty()) {
        matching_.clear();
        shown_.clear();
    } else {
        if (!narrows) {
            matching_.resize(static_cast<std::size_t>(rows.rowCount()));
            for (int row = 0; row < rows.rowCount(); ++row)
                matching_[static_cast<std::size_t>(row)] = row;
        }
        std::erase_if(matching_, [&](int row) { return !filterMatches(rows, row, pattern, column); });
        shown_.assign(static_cast<std::size_t>(rows.rowCount()), false);
        for (int row : matching_)
            shown_[static_cast<std::size_t>(row)] = true;
    }
    pattern_ = std::move(pattern);
    rows_ = &rows;
    revision_ = rows.revision();
    column_ = column;
    return shown_;
}

void SearchHistory::add(const std::string& text)
{
    if (text.empty())
        return;
    std::erase(entries_, text);
    entries_.insert(entries_.begin(), text);
    if (entries_.size() > kHistoryLength)
        entries_.resize(kHistoryLength);
}

void SearchHistory::assign(std::vector<std::string> entries)
{
    entries_ = std::move(entries);
    if (entries_.size() > Length)
        entries_.resize(Length);
}

} // namespace qmk
