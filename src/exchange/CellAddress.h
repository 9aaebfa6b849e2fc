// Spreadsheet cell addresses: column letters (A..Z, AA..ZZ, AAA..) and "B3"-style references.
// Rows and columns are counted from 0 in code; "A1" is row 0, column 0.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qmk {

// The largest sheet the workbook format holds (1,048,576 rows, columns A to XFD).
inline constexpr int kSheetMaxRows = 1048576;
inline constexpr int kSheetMaxColumns = 16384;

struct CellAddress {
    int row = 0;     // 0-based
    int column = 0;  // 0-based
    friend bool operator==(const CellAddress&, const CellAddress&) = default;
    friend auto operator<=>(const CellAddress&, const CellAddress&) = default;
};

// "A" for 0, "Z" for 25, "AA" for 26, "ZZ" for 701, "AAA" for 702. Empty for a negative column.
std::string columnLetters(int column);

// The 0-based column of letters such as "AB" (upper or lower case); nothing when the text is
// empty, holds anything but letters, or names a column beyond the largest sheet.
std::optional<int> columnFromLetters(std::string_view letters);

// "B3" for row 2, column 1. Empty for a negative row or column.
std::string formatCellAddress(int row, int column);
inline std::string formatCellAddress(CellAddress a) { return formatCellAddress(a.row, a.column); }

// Reads "B3" (also "b3" and "$B$3"); nothing for anything else or beyond the largest sheet.
std::optional<CellAddress> parseCellAddress(std::string_view text);

} // namespace qmk
