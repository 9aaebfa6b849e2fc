// What a source update reads and writes: items by identifier among the lines it has not
// written yet, the lines it finds again, and the removal of the rows it did not find.
#include "database/UpdateStore.h"

#include <algorithm>

#include "database/CProjectDatabase.h"
#include "database/LineKinds.h"
#include "database/QueryCatalogue.h"
#include "database/QueryNames.h"
#include "database/StatementReaders.h"
#include "database/Transaction.h"
#include "database/TranslationColumnNames.h"

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

bool UpdateStore::setSourceText(int lineIndex, std::string_view sourceText)
{
    query(qn::Set_SourceText).bindTextOrNull("SourceText", sourceText).bind("LineIndex", lineIndex).execute();
    return db_.changes() > 0;
}

bool UpdateStore::rewriteLine(int lineIndex, int line, std::string_view beforeStr, std::string_view behindStr)
{
    query(qn::Rewrite_ResFileLine)
        .bind("Line", line)
        .bindTextOrNull("BeforeStr", beforeStr)
        .bindTextOrNull("BehindStr", behindStr)
        .bind("LineIndex", lineIndex)
        .execute();
    return db_.changes() > 0;
}

bool UpdateStore::setLineKind(int lineIndex, int lineKind)
{
    query(qn::Set_LineIdentSym).bind("LineIdentSym", lineKind).bind("LineIndex", lineIndex).execute();
    return db_.changes() > 0;
}

bool UpdateStore::setCaptionDialog(int lineIndex, int dlgLine)
{
    query(qn::Rewrite_DlgCaption).bind("DlgLine", dlgLine).bind("LineIndex", lineIndex).execute();
    return db_.changes() > 0;
}

bool UpdateStore::rewriteControl(const ControlRow& row)
{
    Statement rewrite = query(qn::Rewrite_DialogControl);
    bindControl(rewrite, row).execute();
    return db_.changes() > 0;
}

bool UpdateStore::rewriteMenuItem(const MenuItemRow& row)
{
    Statement rewrite = query(qn::Rewrite_MenuItem);
    bindMenuItem(rewrite, row).execute();
    return db_.changes() > 0;
}

bool UpdateStore::rewriteVersionBlockHeader(const VersionBlockHeaderRow& row)
{
    query(qn::Rewrite_VersionBlockHeader).bind("VersResLine", row.versResLine).bind("LineIndex", row.lineIndex).execute();
    return db_.changes() > 0;
}

bool UpdateStore::rewriteVersionValue(const VersionValueRow& row)
{
    Statement rewrite = query(qn::Rewrite_VersionBlockValues);
    bindVersionValue(rewrite, row).execute();
    return db_.changes() > 0;
}

std::vector<TextMatch> UpdateStore::dialogCaptions(std::string_view dlgIdent)
{
    Statement rows = query(qn::Dialog_Caption);
    rows.bind("DlgIdent", dlgIdent);
    return textMatches(rows);
}

std::vector<ControlMatch> UpdateStore::dialogControls(std::string_view dlgIdent, std::string_view itemIdent,
                                                           int lineKind)
{
    Statement rows = query(qn::Dialog_Control);
    rows.bind("DlgIdent", dlgIdent).bind("ItemIdent", itemIdent).bind("ItemIdentSym", lineKind);
    return controlMatches(rows, true);
}

std::vector<TextMatch> UpdateStore::menuItemsByIdent(std::string_view menuIdent, std::string_view itemIdent)
{
    Statement rows = query(qn::MenuItem_Line);
    rows.bind("MenuIdent", menuIdent).bind("ItemIdent", itemIdent);
    return textMatches(rows);
}

std::vector<TextMatch> UpdateStore::menuItemsOfKind(std::string_view menuIdent, int lineKind)
{
    Statement rows = query(qn::PopupItem_By_MenuIdent);
    rows.bind("MenuIdent", menuIdent).bind("ItemIdentSym", lineKind);
    return textMatches(rows);
}

std::vector<MenuItemMatch> UpdateStore::menuItemsOfMenusNamed(std::string_view menuIdent)
{
    Statement rows = query(qn::MenuItems_By_MenuIdent);
    rows.bind("MenuIdent", menuIdent);
    const int text = rows.column("SourceText");
    std::vector<MenuItemMatch> items;
    while (rows.step())
        items.push_back({rows.intField("LineIndex"), rows.intField("MenuLine"), rows.intField("Level"),
                         rows.intField("LineIdentSym"), rows.text("Name_ID"), rows.isNull(text) ? "" : rows.text(text)});
    return items;
}

std::vector<TextMatch> UpdateStore::stringsByIdent(std::string_view nameId)
{
    Statement rows = query(qn::StringtableString_By_Ident);
    rows.bind("Name_ID", nameId);
    return textMatches(rows);
}

std::vector<TextMatch> UpdateStore::bitmapsByIdent(std::string_view nameId)
{
    Statement rows = query(qn::BitmapString_By_Ident);
    rows.bind("Name_ID", nameId);
    return textMatches(rows);
}

std::vector<TextMatch> UpdateStore::versionValuesByIdent(std::string_view versIdent, std::string_view valueIdent)
{
    Statement rows = query(qn::VersionValue_By_ResIdent_ValueIdent);
    rows.bind("VersIdent", versIdent).bind("ValueIdent", valueIdent);
    return textMatches(rows);
}

std::vector<VersionValueMatch> UpdateStore::allVersionValuesOfVersion(int versionLineIndex)
{
    Statement rows = query(qn::VersionValues_By_VersionIndex);
    rows.bind("VersionLineIndex", versionLineIndex);
    std::vector<VersionValueMatch> values;
    while (rows.step())
        values.push_back({rows.intField("LineIndex"), rows.text("Value"), rows.text("SourceText")});
    return values;
}

std::vector<TextMatch> UpdateStore::versionBlockHeadersOfVersion(int versionLineIndex)
{
    Statement rows = query(qn::VersionBlockHeader_By_VersionIndex);
    rows.bind("VersionLineIndex", versionLineIndex);
    return textMatches(rows);
}

std::optional<int> UpdateStore::includeLine(std::string_view fileName)
{
    Statement rows = query(queries::IncludeLineByFileName);
    rows.bind("IncludeFile", fileName);
    if (!rows.step())
        return std::nullopt;
    return rows.intField("LineIndex");
}


std::vector<TextMatch> UpdateStore::includeLines()
{
    Statement rows = query(queries::IncludeLinesInOrder);
    return textMatches(rows);
}

UpdateStore::Removal UpdateStore::removeObsoleteRows()
{
    Removal removal;
    Transaction transaction(db_);
    for (const queries::ObsoleteRowQuery& obsolete : queries::obsoleteRowQueries()) {
        db_.prepare(obsolete.deleteSql).execute();
        if (std::string_view(obsolete.name) == "Obsolete_Strings_At_TableResourceText")
            removal.removedTexts = db_.changes();
    }
    for (const LanguageId& id : owner_.languages().translationIds()) {
        std::string name = translationColumnName(id.language, id.sublanguage);
        if (name.empty() || !db_.fieldExists("ResourceText", name) ||
            !db_.fieldExists("ResourceText", modifiedColumnName(name)))
            continue;
        db_.prepare(queries::withTranslationColumns(queries::sql(qn::Pass_Changes_To_Translation), name)).execute();
        removal.flaggedTranslations += db_.changes();
    }
    query(qn::Clear_Modified).execute();
    query(qn::Clear_Added).execute();
    transaction.commit();
    return removal;
}

std::vector<StoredItem> UpdateStore::storedItems(StoredItemTable table)
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

void UpdateStore::markLinesFound(const std::vector<int>& lineIndexes)
{
    if (!lineIndexes.empty())
        query(qn::Mark_ResFileLines_Found).bind("LineIndexes", jsonArray(lineIndexes)).execute();
}

void UpdateStore::relinkControls(const std::vector<int>& lineIndexes, int dlgLine)
{
    if (!lineIndexes.empty())
        query(qn::Relink_DialogControls).bind("DlgLine", dlgLine).bind("LineIndexes", jsonArray(lineIndexes)).execute();
}

void UpdateStore::relinkMenuItems(const std::vector<int>& lineIndexes, int menuLine)
{
    if (!lineIndexes.empty())
        query(qn::Relink_MenuItems).bind("MenuLine", menuLine).bind("LineIndexes", jsonArray(lineIndexes)).execute();
}

} // namespace qmk
