// Moving to the next or previous text a translator still has to look at, as the editors they use
// do: an untranslated one (empty, not excluded) or a flagged one (its source changed after it was
// translated), in one translation's column, among the rows a filter shows, wrapping at the ends.
#pragma once

#include <vector>

namespace qmk {

class TextTableRows;

enum class WantedItem { Untranslated, Flagged };

// The row, or -1 when no row of the kind is shown (the starting row counts last).
int findItem(const TextTableRows& rows, int fromRow, int column, bool forward, WantedItem wanted,
             const std::vector<bool>* shown = nullptr);

// The next or previous of the bookmarked rows (in any order, -1 for a bookmark whose row is not
// shown) after `fromRow`, wrapping; a bookmark on `fromRow` itself only when it is the only one.
// -1 when no bookmarked row is shown.
int nextBookmarkedRow(const std::vector<int>& bookmarkedRows, int fromRow, bool forward);

} // namespace qmk
