// The pair search of the workbook import. A sheet row looks for its Text Table row from the
// current table position forward, wrapping to row 0, so that repeated items ("IDOK", "OK" in
// every dialog) pair up in order; rows are found through an index, not by scanning the table.
#include "exchange/WorkbookPairSearch.h"

#include <algorithm>

#include "exchange/WorkbookReader.h"
#include "project/TextCodec.h"
#include "project/TextTableRows.h"

namespace qmk {

namespace {

std::string keyOf(const std::string& id, const std::string& source)
{
    std::string key = id;
    key.push_back('\0');
    key += source;
    return key;
}

} // namespace

WorkbookPairSearch::WorkbookPairSearch(const WorkbookReader& sheet, const TextTableRows& rows, int idColumn,
                                       int sourceColumn, int projectCodePage, int dataEnd)
    : sheet_(sheet), rows_(rows), idColumn_(idColumn), sourceColumn_(sourceColumn),
      projectCodePage_(projectCodePage), dataEnd_(dataEnd)
{
    for (int t = 0; t < rows_.rowCount(); ++t) {
        const TextTableRow& row = rows_.row(t);
        const std::string& id = row.cell(TextTableColumns::IdColumn);
        if (!id.empty())
            rowsOfKey_[keyOf(id, row.cell(TextTableColumns::SourceColumn))].push_back(t);
    }
}

void WorkbookPairSearch::start(int textColumn)
{
    textColumn_ = textColumn;
    tableRow_ = 0;
    tableOfSheet_.clear();
    sheetOfTable_.clear();
}

int WorkbookPairSearch::firstFreeRow(const std::vector<int>& candidates) const
{
    auto from = std::lower_bound(candidates.begin(), candidates.end(), tableRow_);
    for (auto it = from; it != candidates.end(); ++it)
        if (!sheetOfTable_.count(*it))
            return *it;
    for (auto it = candidates.begin(); it != from; ++it)
        if (!sheetOfTable_.count(*it))
            return *it;
    return -1;
}

int WorkbookPairSearch::match(int sheetRow)
{
    auto known = tableOfSheet_.find(sheetRow);
    if (known != tableOfSheet_.end())
        return known->second;
    const std::string& id = sheet_.text(sheetRow, idColumn_);
    if (id.empty())
        return -1;
    EncodeResult idBytes = encodeFromUtf8(id, projectCodePage_);
    EncodeResult sourceBytes = encodeFromUtf8(sheet_.text(sheetRow, sourceColumn_), projectCodePage_);
    if (!idBytes.ok || !sourceBytes.ok)
        return -1;  // no row of the project can hold these texts
    auto candidates = rowsOfKey_.find(keyOf(idBytes.bytes, sourceBytes.bytes));
    if (candidates == rowsOfKey_.end())
        return -1;
    int tableRow = firstFreeRow(candidates->second);
    if (tableRow >= 0) {
        tableOfSheet_.emplace(sheetRow, tableRow);
        sheetOfTable_.emplace(tableRow, sheetRow);
    }
    return tableRow;
}

std::optional<WorkbookPair> WorkbookPairSearch::pairAt(int sheetRow)
{
    if (textColumn_ < 0 || sheetRow < FirstSearchRow || sheetRow >= dataEnd_)
        return std::nullopt;
    if (sheet_.text(sheetRow, textColumn_).empty())
        return std::nullopt;
    int tableRow = match(sheetRow);
    if (tableRow < 0 || !rows_.isRow(tableRow))
        return std::nullopt;
    tableRow_ = tableRow;
    if (rows_.item(tableRow).excluded)
        return std::nullopt;
    return WorkbookPair{sheetRow, tableRow};
}

std::optional<WorkbookPair> WorkbookPairSearch::find(int from, Direction direction)
{
    const int step = direction == Direction::Down ? 1 : -1;
    const int restart = direction == Direction::Down ? FirstSearchRow : dataEnd_ - 1;
    int row = std::clamp(from, FirstSearchRow - 1, dataEnd_);
    for (int pass = 0; pass < 2; ++pass) {
        for (; row >= FirstSearchRow && row < dataEnd_; row += step)
            if (auto pair = pairAt(row))
                return pair;
        row = restart;
    }
    return std::nullopt;
}

} // namespace qmk
