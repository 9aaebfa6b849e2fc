// Character sets with their display names and the font that shows them, and the
// default font of a target language derived from its character set.
#pragma once

#include <span>
#include <string_view>

namespace qmk {

struct CharsetRow {
    int charset;
    int textId;                 // numbered text of the display name
    std::string_view fontFace;
};

std::span<const CharsetRow> charsetRows();

// Index of the first row for this character set, or -1.
int findCharsetRow(int charset);

// The row's numbered text, or -1 when the set is not listed.
int charsetTextId(int charset);

// The display name of a character set; empty when it has none. The default set's
// text is the list-entry format "  - %1", not a name, so the default set has none.
std::string_view charsetName(int charset);

// The font that shows a language's character set; empty for the default set or a
// set without a row.
std::string_view defaultFont(int language, int sublanguage);

} // namespace qmk
