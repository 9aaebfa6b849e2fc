// Pairs the rows of an exported worksheet with Text Table rows: same Id and same source text
// (exact, case-sensitive), each pair kept once found, excluded rows never offered.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace qmk {

class TextTableRows;
class WorkbookReader;

struct WorkbookPair {
    int sheetRow = -1;  // counted from 0 (the sheet's row 3 is 2)
    int tableRow = -1;
    bool operator==(const WorkbookPair&) const = default;
};

class WorkbookPairSearch {
public:
    enum class Direction { Down, Up };
    // The search never starts above the sheet's row 2.
    static constexpr int FirstSearchRow = 1;

    // `sheet` and `rows` must outlive the search. Sheet rows from `dataEnd` on are not read;
    // the sheet's texts are turned into the project's code page to compare them with the rows.
    WorkbookPairSearch(const WorkbookReader& sheet, const TextTableRows& rows, int idColumn, int sourceColumn,
                       int projectCodePage, int dataEnd);

    // Starts over for the texts of one sheet column: no pairs, position at row 2 and row 0.
    void start(int textColumn);

    // The first pair from sheet row `from` on (included) in the direction; when the sheet is
    // exhausted the search runs once more from its other end. The pair found is the position.
    std::optional<WorkbookPair> find(int from, Direction direction);

    // The pair of one sheet row: none when its text cell is empty, nothing matches, or the
    // row it matches is excluded. A row found is the new position in the Text Table.
    std::optional<WorkbookPair> pairAt(int sheetRow);

    int dataEnd() const { return dataEnd_; }
    int textColumn() const { return textColumn_; }
    int tableRow() const { return tableRow_; }
    // Pairs found so far, excluded rows included.
    int pairsFound() const { return static_cast<int>(tableOfSheet_.size()); }

private:
    int match(int sheetRow);
    int firstFreeRow(const std::vector<int>& candidates) const;

    const WorkbookReader& sheet_;
    const TextTableRows& rows_;
    int idColumn_;
    int sourceColumn_;
    int projectCodePage_;
    int dataEnd_;
    int textColumn_ = -1;
    int tableRow_ = 0;
    // Text Table rows by Id and source text (bytes joined by a zero byte), in table order.
    std::unordered_map<std::string, std::vector<int>> rowsOfKey_;
    std::unordered_map<int, int> tableOfSheet_;
    std::unordered_map<int, int> sheetOfTable_;
};

} // namespace qmk
