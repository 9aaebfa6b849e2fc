// Finding the next untranslated or flagged text.
#include "project/ItemNavigation.h"

#include <algorithm>

#include "project/TextTableRows.h"

namespace qmk {

int findItem(const TextTableRows& rows, int fromRow, int column, bool forward, WantedItem wanted,
             const std::vector<bool>* shown)
{
    const int count = rows.rowCount();
    const std::optional<LanguageId> language = rows.columns().languageOfColumn(column);
    if (count == 0 || !language)
        return -1;
    const bool filtered = shown && !shown->empty();
    auto matches = [&](int index) {
        if (filtered && (index >= static_cast<int>(shown->size()) || !(*shown)[static_cast<std::size_t>(index)]))
            return false;
        const TextTableRow& row = rows.row(index);
        if (row.item.excluded)
            return false;
        if (wanted == WantedItem::Untranslated)
            return row.cell(column).empty();
        const std::vector<LanguageId>& flagged = row.item.modifiedLanguages;
        return std::find(flagged.begin(), flagged.end(), *language) != flagged.end();
    };
    const int step = forward ? 1 : -1;
    const int start = fromRow < 0 || fromRow >= count ? (forward ? -1 : count) : fromRow;
    for (int offset = 1; offset <= count; ++offset) {
        const int index = ((start + step * offset) % count + count) % count;
        if (matches(index))
            return index;
    }
    return -1;
}

int nextBookmarkedRow(const std::vector<int>& bookmarkedRows, int fromRow, bool forward)
{
    int best = -1;  // the nearest row past fromRow in the direction
    int wrap = -1;  // the farthest row the other way, taken when none lies ahead
    for (int row : bookmarkedRows) {
        if (row < 0)
            continue;
        const bool ahead = forward ? row > fromRow : row < fromRow;
        if (ahead && (best < 0 || (forward ? row < best : row > best)))
            best = row;
        if (wrap < 0 || (forward ? row < wrap : row > wrap))
            wrap = row;
    }
    return best >= 0 ? best : wrap;
}

} // namespace qmk
