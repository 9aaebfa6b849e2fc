// Searching the Text Table.
#include "project/TextSearch.h"

#include <algorithm>

#include "project/TextTableRows.h"

namespace qmk {
namespace {

constexpr std::size_t kHistoryLength = SearchHistory::Length;

std::u32string codePoints(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const std::size_t length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 1;
        if (length == 1 || i + length > text.size()) {
            out += static_cast<char32_t>(b < 0x80 ? b : 0xFFFD);
            ++i;
            continue;
        }
        char32_t c = b & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out += c;
        i += length;
    }
    return out;
}

// Lower case for the scripts translators meet most: Latin, Greek and Cyrillic.
char32_t folded(char32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 32;
    if (c < 0x80)
        return c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return c + 32;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) || (c >= 0x460 && c <= 0x4FF))
        return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) ? c + 1 : c;
    return c;
}

bool isWordCharacter(char32_t c)
{
    if (c < 0x80)
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (c < 0xC0 || c == 0xD7 || c == 0xF7)
        return false;
    return !((c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F));
}

int find(const std::u32string& text, const std::u32string& pattern, const SearchOptions& options, int from)
{
    if (pattern.empty() || from < 0)
        return -1;
    auto same = [&](char32_t a, char32_t b) { return options.matchCase ? a == b : folded(a) == folded(b); };
    for (std::size_t at = static_cast<std::size_t>(from); at + pattern.size() <= text.size(); ++at) {
        if (!std::equal(pattern.begin(), pattern.end(), text.begin() + static_cast<std::ptrdiff_t>(at), same))
            continue;
        if (options.wholeWord) {
            const bool before = at > 0 && isWordCharacter(text[at - 1]);
            const std::size_t end = at + pattern.size();
            const bool after = end < text.size() && isWordCharacter(text[end]);
            if (before || after)
                continue;
        }
        return static_cast<int>(at);
    }
    return -1;
}

bool cellMatches(const TextTableRows& rows, const SearchOptions& options, const std::u32string& pattern, int row,
                 int column, int from, int* position)
{
    if (options.changedItems) {
        const std::optional<LanguageId> language = rows.columns().languageOfColumn(column);
        *position = -1;
        return language && rows.item(row).isModified(*language);
    }
    *position = find(codePoints(rows.displayText(row, column)), pattern, options, from);
    return *position >= 0;
}

} // namespace

int codePointCount(std::string_view text)
{
    return static_cast<int>(codePoints(text).size());
}

int findInText(std::string_view text, const SearchOptions& options, int from)
{
    return find(codePoints(text), codePoints(options.pattern), options, from);
}

std::optional<CellHit> findNextCell(const TextTableRows& rows, const SearchOptions& options, int row, int column,
                                    int position, bool insideCells)
{
    const int count = rows.rowCount();
    if (options.columns.empty() || count == 0 || (!options.changedItems && options.pattern.empty()))
        return std::nullopt;
    const std::u32string pattern = codePoints(options.pattern);
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
    const std::u32string pattern = codePoints(options.pattern);
    int found = -1;
    for (int row = 0; row < rows.rowCount(); ++row)
        for (int column : options.columns)
            if (cellMatches(rows, options, pattern, row, column, 0, &found))
                hits.push_back({row, column, -1});
    return hits;
}

std::vector<bool> rowsShownByFilter(const TextTableRows& rows, std::string_view filter, int column)
{
    std::vector<bool> shown(static_cast<std::size_t>(rows.rowCount()), true);
    if (filter.empty())
        return shown;
    SearchOptions options;
    options.pattern = std::string(filter);
    options.matchCase = false;
    const std::u32string pattern = codePoints(options.pattern);
    for (int row = 0; row < rows.rowCount(); ++row) {
        bool match = find(codePoints(rows.displayText(row, TextTableColumns::SourceColumn)), pattern, options, 0) >= 0;
        if (!match && column > TextTableColumns::SourceColumn && column < rows.columns().count())
            match = find(codePoints(rows.displayText(row, column)), pattern, options, 0) >= 0;
        shown[static_cast<std::size_t>(row)] = match;
    }
    return shown;
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
