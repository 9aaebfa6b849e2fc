// CProjectDatabase, part three: items found by identifier (source update, script import)
// and the whole-resource lists of the resource tree and the previews.
#include "database/CProjectDatabase.h"

#include "database/QueryCatalogue.h"
#include "database/QueryNames.h"

namespace qmk {

namespace {

std::vector<ControlMatch> controlMatches(Statement& rows, bool kindFromLine)
{
    std::vector<ControlMatch> matches;
    int source = rows.column("SourceText");
    int flags = rows.column("Flags");
    int dialog = rows.column("DlgLine");
    while (rows.step()) {
        ControlMatch m;
        m.lineIndex = rows.intField("LineIndex");
        if (dialog >= 0)
            m.dlgLine = static_cast<int>(rows.integer(dialog));
        if (source >= 0)
            m.sourceText = rows.text(source);
        m.type = rows.intField(kindFromLine ? "LineIdentSym" : "Type");
        if (flags >= 0)
            m.flags = static_cast<std::uint32_t>(rows.integer(flags));
        m.x = rows.intField("x");
        m.y = rows.intField("y");
        m.cx = rows.intField("cx");
        m.cy = rows.intField("cy");
        matches.push_back(std::move(m));
    }
    return matches;
}

} // namespace

std::vector<TextMatch> CProjectDatabase::dialogCaptions(std::string_view dlgIdent)
{
    Statement rows = query(qn::Dialog_Caption);
    rows.bind("DlgIdent", dlgIdent);
    return textMatches(rows);
}

std::vector<ControlMatch> CProjectDatabase::dialogControls(std::string_view dlgIdent, std::string_view itemIdent,
                                                           int lineKind)
{
    Statement rows = query(qn::Dialog_Control);
    rows.bind("DlgIdent", dlgIdent).bind("ItemIdent", itemIdent).bind("ItemIdentSym", lineKind);
    return controlMatches(rows, true);
}

std::vector<ControlMatch> CProjectDatabase::dialogControlsOfDialog(int dlgLineIndex, std::string_view itemIdent)
{
    Statement rows = query(qn::Dialog_Controls_By_DlgLineIndex_ItemIdent);
    rows.bind("DlgLineIndex", dlgLineIndex).bind("ItemIdent", itemIdent);
    return controlMatches(rows, false);
}

std::vector<TextMatch> CProjectDatabase::sharedDialogCaptions(int dlgLineIndex)
{
    Statement rows = query(queries::SharedDialogCaptions);
    rows.bind("DlgLineIndex", dlgLineIndex);
    return textMatches(rows);
}

std::optional<TextMatch> CProjectDatabase::unchangedDialogCaption(int dlgLineIndex)
{
    Statement rows = query(queries::UnchangedDialogCaption);
    rows.bind("DlgLineIndex", dlgLineIndex);
    std::vector<TextMatch> matches = textMatches(rows);
    if (matches.empty())
        return std::nullopt;
    return matches.front();
}

std::vector<TextMatch> CProjectDatabase::menuItemsByIdent(std::string_view menuIdent, std::string_view itemIdent)
{
    Statement rows = query(qn::MenuItem_Line);
    rows.bind("MenuIdent", menuIdent).bind("ItemIdent", itemIdent);
    return textMatches(rows);
}

std::vector<TextMatch> CProjectDatabase::menuItemsOfKind(std::string_view menuIdent, int lineKind)
{
    Statement rows = query(qn::PopupItem_By_MenuIdent);
    rows.bind("MenuIdent", menuIdent).bind("ItemIdentSym", lineKind);
    return textMatches(rows);
}

std::vector<TextMatch> CProjectDatabase::stringsByIdent(std::string_view nameId)
{
    Statement rows = query(qn::StringtableString_By_Ident);
    rows.bind("Name_ID", nameId);
    return textMatches(rows);
}

std::vector<TextMatch> CProjectDatabase::stringSourceTexts(std::string_view itemIdent)
{
    Statement rows = query(qn::StringTable_SourceString_By_ItemIdent);
    rows.bind("ItemIdent", itemIdent);
    return textMatches(rows);
}

std::vector<TextMatch> CProjectDatabase::bitmapsByIdent(std::string_view nameId)
{
    Statement rows = query(qn::BitmapString_By_Ident);
    rows.bind("Name_ID", nameId);
    return textMatches(rows);
}

std::vector<TextMatch> CProjectDatabase::bitmapSourceTexts(std::string_view itemIdent)
{
    Statement rows = query(qn::Bitmap_By_ItemIdent);
    rows.bind("ItemIdent", itemIdent);
    return textMatches(rows);
}

std::vector<TextMatch> CProjectDatabase::versionValuesByIdent(std::string_view versIdent, std::string_view valueIdent)
{
    Statement rows = query(qn::VersionValue_By_ResIdent_ValueIdent);
    rows.bind("VersIdent", versIdent).bind("ValueIdent", valueIdent);
    return textMatches(rows);
}

std::vector<TextMatch> CProjectDatabase::versionValuesOfVersion(int versionLineIndex, std::string_view itemIdent)
{
    Statement rows = query(qn::VersionValue_By_VersionIndex_ItemIdent);
    rows.bind("VersionLineIndex", versionLineIndex).bind("ItemIdent", itemIdent);
    return textMatches(rows);
}

std::vector<VersionValueMatch> CProjectDatabase::allVersionValuesOfVersion(int versionLineIndex)
{
    Statement rows = query(qn::VersionValues_By_VersionIndex);
    rows.bind("VersionLineIndex", versionLineIndex);
    std::vector<VersionValueMatch> values;
    while (rows.step())
        values.push_back({rows.intField("LineIndex"), rows.text("Value"), rows.text("SourceText")});
    return values;
}

std::vector<TextMatch> CProjectDatabase::versionBlockHeadersOfVersion(int versionLineIndex)
{
    Statement rows = query(qn::VersionBlockHeader_By_VersionIndex);
    rows.bind("VersionLineIndex", versionLineIndex);
    return textMatches(rows);
}

std::optional<int> CProjectDatabase::includeLine(std::string_view fileName)
{
    Statement rows = query(queries::IncludeLineByFileName);
    rows.bind("IncludeFile", fileName);
    if (!rows.step())
        return std::nullopt;
    return rows.intField("LineIndex");
}

int CProjectDatabase::includeLineCount()
{
    Statement rows = query(queries::IncludeLinesForCount);
    int count = 0;
    while (rows.step())
        ++count;
    return count;
}

std::vector<TextMatch> CProjectDatabase::includeLines()
{
    Statement rows = query(queries::IncludeLinesInOrder);
    return textMatches(rows);
}

// --- Whole resources -------------------------------------------------------------------

std::vector<TextRow> CProjectDatabase::dialogControlTexts(int dlgLineIndex)
{
    Statement rows = query(qn::ResourceStrings_Of_DialogControls);
    rows.bind("DlgLineIndex", dlgLineIndex);
    return textRows(rows, false);
}

std::vector<TextRow> CProjectDatabase::dialogCaptionTexts(int dlgLineIndex)
{
    Statement rows = query(qn::ResourceString_Of_DialogCaption);
    rows.bind("DlgLineIndex", dlgLineIndex);
    return textRows(rows, false);
}

std::vector<TextRow> CProjectDatabase::menuTexts(int menuLineIndex)
{
    Statement rows = query(qn::ResourceStrings_Of_Menu);
    rows.bind("MenuLineIndex", menuLineIndex);
    return textRows(rows, false);
}

std::vector<int> CProjectDatabase::versionBlockHeaderLines()
{
    Statement rows = query(qn::Version_BlockHeaders);
    std::vector<int> lines;
    while (rows.step())
        lines.push_back(static_cast<int>(rows.integer(0)));
    return lines;
}

std::vector<IdentRow> CProjectDatabase::resources(ResourceList which)
{
    std::string_view name = qn::Dialogs_Line_Id;
    switch (which) {
    case ResourceList::Dialogs:
        break;
    case ResourceList::Menus:
        name = qn::Menus_Line_Id;
        break;
    case ResourceList::StringtableStrings:
        name = qn::StringtableString_Line_Id;
        break;
    case ResourceList::Bitmaps:
        name = qn::Bitmaps_Line_Id;
        break;
    case ResourceList::Versions:
        name = qn::Versions_Line_Id;
        break;
    }
    Statement rows = query(name);
    std::vector<IdentRow> list;
    while (rows.step())
        list.push_back({rows.intField("LineIndex"), rows.text("Name_ID")});
    return list;
}

std::vector<DialogItemRow> CProjectDatabase::dialogTextItems(int dlgLineIndex)
{
    Statement rows = query(qn::DialogStringItems_By_DlgLineIndex);
    rows.bind("LineIndex", dlgLineIndex);
    std::vector<DialogItemRow> items;
    while (rows.step())
        items.push_back({rows.intField("LineIndex"), rows.text("Name_ID"), rows.intField("LineIdentSym")});
    return items;
}

std::vector<ControlRow> CProjectDatabase::dialogControlsForPreview(int dlgLineIndex)
{
    Statement rows = query(qn::Dialog_Controls_By_Dialog_LineIndex);
    rows.bind("DlgLineIndex", dlgLineIndex);
    std::vector<ControlRow> controls;
    while (rows.step()) {
        ControlRow c;
        c.lineIndex = rows.intField("LineIndex");
        c.dlgLine = dlgLineIndex;
        c.nameId = rows.text("Name_ID");
        c.className = rows.text("Class");
        c.x = rows.intField("x");
        c.y = rows.intField("y");
        c.cx = rows.intField("cx");
        c.cy = rows.intField("cy");
        c.type = rows.intField("Type");
        c.flags = static_cast<std::uint32_t>(rows.integer("Flags"));
        c.hasText = rows.flag("HasText");
        controls.push_back(std::move(c));
    }
    return controls;
}

std::vector<MenuItemRow> CProjectDatabase::menuItems(int menuLineIndex)
{
    Statement rows = query(qn::MenuItems_By_MenuLineIndex);
    rows.bind("LineIndex", menuLineIndex);
    std::vector<MenuItemRow> items;
    while (rows.step())
        items.push_back({rows.intField("LineIndex"), menuLineIndex, rows.intField("Level"), rows.text("Name_ID"),
                         rows.intField("LineIdentSym")});
    return items;
}

std::vector<int> CProjectDatabase::versionBlockHeadersOf(int versionLineIndex)
{
    Statement rows = query(qn::Version_BlockHeaders_By_VersionLineIndex);
    rows.bind("LineIndex", versionLineIndex);
    std::vector<int> lines;
    while (rows.step())
        lines.push_back(static_cast<int>(rows.integer(0)));
    return lines;
}

std::vector<IdentRow> CProjectDatabase::versionValuesOf(int blockHeaderLineIndex)
{
    Statement rows = query(qn::VersionValues_By_BlockHeaderLineIndex);
    rows.bind("LineIndex", blockHeaderLineIndex);
    std::vector<IdentRow> values;
    while (rows.step())
        values.push_back({rows.intField("LineIndex"), rows.text("Value")});
    return values;
}

} // namespace qmk
