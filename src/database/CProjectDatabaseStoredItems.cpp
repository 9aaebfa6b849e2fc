// CProjectDatabase: the items a running source update has not found again yet, read a table at
// a time, and the writes of items found unchanged, gathered into one statement each.
#include "database/CProjectDatabase.h"

#include <algorithm>

#include "database/QueryCatalogue.h"
#include "database/QueryNames.h"

namespace qmk {

namespace {

const char* storedItemsQuery(StoredItemTable table)
{
    switch (table) {
    case StoredItemTable::Strings:
        return queries::StoredStrings;
    case StoredItemTable::Bitmaps:
        return queries::StoredBitmaps;
    case StoredItemTable::Captions:
        return queries::StoredCaptions;
    case StoredItemTable::Controls:
        return queries::StoredControls;
    case StoredItemTable::MenuItems:
        break;
    }
    return queries::StoredMenuItems;
}

// Column numbers of the fields a stored-item query may select; -1 where it does not.
struct StoredItemColumns {
    explicit StoredItemColumns(const Statement& rows)
        : lineIndex(rows.column("LineIndex")), lineKind(rows.column("LineIdentSym")), owner(rows.column("Owner")),
          nameId(rows.column("Name_ID")), sourceText(rows.column("SourceText")), line(rows.column("Line")),
          beforeStr(rows.column("BeforeStr")), behindStr(rows.column("BehindStr")), className(rows.column("Class")),
          x(rows.column("x")), y(rows.column("y")), cx(rows.column("cx")), cy(rows.column("cy")),
          type(rows.column("Type")), flags(rows.column("Flags")), level(rows.column("Level"))
    {
    }
    int lineIndex, lineKind, owner, nameId, sourceText, line, beforeStr, behindStr;
    int className, x, y, cx, cy, type, flags, level;
};

int intOr(const Statement& rows, int column)
{
    return column >= 0 ? static_cast<int>(rows.integer(column)) : 0;
}

std::string jsonArray(const std::vector<int>& values)
{
    std::string json = "[";
    for (int value : values) {
        if (json.size() > 1)
            json += ',';
        json += std::to_string(value);
    }
    json += ']';
    return json;
}

std::string textOr(const Statement& rows, int column)
{
    return column >= 0 ? rows.text(column) : std::string();
}

} // namespace

std::vector<StoredItem> CProjectDatabase::storedItems(StoredItemTable table)
{
    Statement rows = query(storedItemsQuery(table));
    const StoredItemColumns c(rows);
    std::vector<StoredItem> items;
    while (rows.step()) {
        StoredItem item;
        item.lineIndex = intOr(rows, c.lineIndex);
        item.lineKind = intOr(rows, c.lineKind);
        item.owner = textOr(rows, c.owner);
        item.nameId = textOr(rows, c.nameId);
        item.sourceText = textOr(rows, c.sourceText);
        item.line = intOr(rows, c.line);
        item.beforeStr = textOr(rows, c.beforeStr);
        item.behindStr = textOr(rows, c.behindStr);
        item.className = textOr(rows, c.className);
        item.x = intOr(rows, c.x);
        item.y = intOr(rows, c.y);
        item.cx = intOr(rows, c.cx);
        item.cy = intOr(rows, c.cy);
        item.type = intOr(rows, c.type);
        item.flags = c.flags >= 0 ? static_cast<std::uint32_t>(rows.integer(c.flags)) : 0;
        item.level = intOr(rows, c.level);
        items.push_back(std::move(item));
    }
    std::sort(items.begin(), items.end(), [](const StoredItem& a, const StoredItem& b) {
        return a.line != b.line ? a.line < b.line : a.lineIndex < b.lineIndex;
    });
    return items;
}

void CProjectDatabase::markLinesFound(const std::vector<int>& lineIndexes)
{
    if (!lineIndexes.empty())
        query(qn::Mark_ResFileLines_Found).bind("LineIndexes", jsonArray(lineIndexes)).execute();
}

void CProjectDatabase::relinkControls(const std::vector<int>& lineIndexes, int dlgLine)
{
    if (!lineIndexes.empty())
        query(qn::Relink_DialogControls).bind("DlgLine", dlgLine).bind("LineIndexes", jsonArray(lineIndexes)).execute();
}

void CProjectDatabase::relinkMenuItems(const std::vector<int>& lineIndexes, int menuLine)
{
    if (!lineIndexes.empty())
        query(qn::Relink_MenuItems).bind("MenuLine", menuLine).bind("LineIndexes", jsonArray(lineIndexes)).execute();
}

} // namespace qmk
