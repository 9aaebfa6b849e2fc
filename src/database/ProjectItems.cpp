// The project's item rows by line key and its whole resources, as the resource tree, the
// previews and the workbook export read them.
#include "database/ProjectItems.h"

#include "database/CProjectDatabase.h"
#include "database/QueryCatalogue.h"
#include "database/QueryNames.h"
#include "database/StatementReaders.h"
#include "database/TranslationColumnNames.h"

namespace qmk {

namespace {

// A line lies in at most one item table, so every LineIndex appears once.
constexpr const char* OwningResourceIdentsSql =
    "SELECT c.LineIndex, d.Name_ID FROM DialogControl AS c JOIN Dialogs AS d ON d.LineIndex = c.DlgLine "
    "UNION ALL SELECT k.LineIndex, d.Name_ID FROM DlgCaption AS k JOIN Dialogs AS d ON d.LineIndex = k.DlgLine "
    "UNION ALL SELECT i.LineIndex, m.Name_ID FROM MenuItem AS i JOIN Menu AS m ON m.LineIndex = i.MenuLine "
    "UNION ALL SELECT v.LineIndex, r.Name_ID FROM VersionBlockValues AS v "
    "JOIN Version AS r ON r.LineIndex = v.VersResLine";

constexpr const char* ControlWidthsSql = "SELECT LineIndex, cx FROM DialogControl";

} // namespace

// --- Item rows by line key -------------------------------------------------------------

std::optional<DialogRow> ProjectItems::dialog(int lineIndex)
{
    Statement row = query(qn::Dialog_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    if (!row.step())
        return std::nullopt;
    return DialogRow{lineIndex, row.text("Name_ID"), row.intField("cx"), row.intField("cy")};
}

std::optional<CaptionRow> ProjectItems::caption(int lineIndex)
{
    Statement row = query(qn::Dialog_Caption_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    if (!row.step())
        return std::nullopt;
    return CaptionRow{lineIndex, row.intField("DlgLine")};
}

std::optional<ControlRow> ProjectItems::control(int lineIndex)
{
    Statement row = query(qn::Dialog_ItemIdent_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    if (!row.step())
        return std::nullopt;
    ControlRow control = readControl(row);
    control.dlgLine = row.intField("DlgLine");
    return control;
}

std::optional<int> ProjectItems::dialogOfControl(int lineIndex)
{
    Statement row = query(qn::Dialog_LineIndex_By_DlgItemIndex);
    row.bind("LineIndex", lineIndex);
    return firstInt(std::move(row));
}

std::optional<int> ProjectItems::dialogOfCaption(int lineIndex)
{
    Statement row = query(qn::Dialog_LineIndex_By_DlgCaptionIndex);
    row.bind("LineIndex", lineIndex);
    return firstInt(std::move(row));
}

std::optional<std::string> ProjectItems::menuIdent(int lineIndex)
{
    Statement row = query(qn::Menu_Ident_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    return firstText(std::move(row));
}

std::optional<int> ProjectItems::menuOfItem(int lineIndex)
{
    Statement row = query(qn::Menu_LineIndex_By_MenuItemIndex);
    row.bind("LineIndex", lineIndex);
    return firstInt(std::move(row));
}

std::optional<MenuItemRow> ProjectItems::menuItem(int lineIndex)
{
    Statement row = query(qn::MenuItem_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    if (!row.step())
        return std::nullopt;
    return MenuItemRow{lineIndex, row.intField("MenuLine"), row.intField("Level"), row.text("Name_ID"), 0};
}

std::optional<std::string> ProjectItems::menuItemIdent(int lineIndex)
{
    Statement row = query(qn::MenuItem_Ident_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    return firstText(std::move(row));
}

std::optional<std::string> ProjectItems::stringIdent(int lineIndex)
{
    Statement row = query(qn::Stringtable_String_Ident_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    return firstText(std::move(row));
}

std::optional<std::string> ProjectItems::bitmapIdent(int lineIndex)
{
    Statement row = query(qn::Bitmap_Ident_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    return firstText(std::move(row));
}

std::optional<VersionValueRow> ProjectItems::versionValue(int lineIndex)
{
    Statement row = query(qn::VersionValue_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    if (!row.step())
        return std::nullopt;
    return VersionValueRow{lineIndex, row.intField("VersResLine"), row.intField("BlockHeaderLine"), row.text("Value")};
}

std::optional<std::string> ProjectItems::versionOfBlockHeader(int lineIndex)
{
    Statement row = query(queries::VersionOfBlockHeader);
    row.bind("LineIndex", lineIndex);
    return firstText(std::move(row));
}

std::optional<IdentRow> ProjectItems::versionOfValue(int lineIndex)
{
    Statement row = query(queries::VersionOfValue);
    row.bind("LineIndex", lineIndex);
    if (!row.step())
        return std::nullopt;
    return IdentRow{row.intField("LineIndex"), row.text("Name_ID")};
}

// --- Whole resources -------------------------------------------------------------------

std::vector<TextRow> ProjectItems::dialogControlTexts(int dlgLineIndex)
{
    Statement rows = query(qn::ResourceStrings_Of_DialogControls);
    rows.bind("DlgLineIndex", dlgLineIndex);
    return textRows(rows, false);
}

std::vector<TextRow> ProjectItems::dialogCaptionTexts(int dlgLineIndex)
{
    Statement rows = query(qn::ResourceString_Of_DialogCaption);
    rows.bind("DlgLineIndex", dlgLineIndex);
    return textRows(rows, false);
}

std::vector<TextRow> ProjectItems::menuTexts(int menuLineIndex)
{
    Statement rows = query(qn::ResourceStrings_Of_Menu);
    rows.bind("MenuLineIndex", menuLineIndex);
    return textRows(rows, false);
}

std::vector<int> ProjectItems::versionBlockHeaderLines()
{
    Statement rows = query(qn::Version_BlockHeaders);
    std::vector<int> lines;
    while (rows.step())
        lines.push_back(static_cast<int>(rows.integer(0)));
    return lines;
}

std::vector<IdentRow> ProjectItems::resources(ResourceList which)
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

std::vector<DialogItemRow> ProjectItems::dialogTextItems(int dlgLineIndex)
{
    Statement rows = query(qn::DialogStringItems_By_DlgLineIndex);
    rows.bind("LineIndex", dlgLineIndex);
    std::vector<DialogItemRow> items;
    while (rows.step())
        items.push_back({rows.intField("LineIndex"), rows.text("Name_ID"), rows.intField("LineIdentSym")});
    return items;
}

std::vector<ControlRow> ProjectItems::dialogControlsForPreview(int dlgLineIndex)
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

std::vector<MenuItemRow> ProjectItems::menuItems(int menuLineIndex)
{
    Statement rows = query(qn::MenuItems_By_MenuLineIndex);
    rows.bind("LineIndex", menuLineIndex);
    std::vector<MenuItemRow> items;
    while (rows.step())
        items.push_back({rows.intField("LineIndex"), menuLineIndex, rows.intField("Level"), rows.text("Name_ID"),
                         rows.intField("LineIdentSym")});
    return items;
}

std::vector<int> ProjectItems::versionBlockHeadersOf(int versionLineIndex)
{
    Statement rows = query(qn::Version_BlockHeaders_By_VersionLineIndex);
    rows.bind("LineIndex", versionLineIndex);
    std::vector<int> lines;
    while (rows.step())
        lines.push_back(static_cast<int>(rows.integer(0)));
    return lines;
}

std::vector<IdentRow> ProjectItems::versionValuesOf(int blockHeaderLineIndex)
{
    Statement rows = query(qn::VersionValues_By_BlockHeaderLineIndex);
    rows.bind("LineIndex", blockHeaderLineIndex);
    std::vector<IdentRow> values;
    while (rows.step())
        values.push_back({rows.intField("LineIndex"), rows.text("Value")});
    return values;
}

std::unordered_map<int, std::string> ProjectItems::owningResourceIdents()
{
    std::unordered_map<int, std::string> idents;
    Statement rows = db_.prepare(OwningResourceIdentsSql);
    while (rows.step())
        idents.emplace(static_cast<int>(rows.integer(0)), rows.text(1));
    return idents;
}

std::unordered_map<int, int> ProjectItems::controlWidths()
{
    std::unordered_map<int, int> widths;
    Statement rows = db_.prepare(ControlWidthsSql);
    while (rows.step())
        widths.emplace(static_cast<int>(rows.integer(0)), static_cast<int>(rows.integer(1)));
    return widths;
}

} // namespace qmk
