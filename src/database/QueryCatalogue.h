// Every SQL text of the project database, compiled in: the stored queries under their names,
// the queries the program runs itself, and the row writes. Parameters are ":Name" style.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qmk::queries {

// The SQL of a catalogue entry; an unknown name throws DaoException.
std::string_view sql(std::string_view name);
bool contains(std::string_view name);
// Names of the stored queries a project database offers (the read queries by their given names).
const std::vector<std::string_view>& storedQueryNames();

// Names of the queries the program supplies itself.
inline constexpr const char* IncludeLineByFileName = "Sql_IncludeLine_By_FileName";
inline constexpr const char* TextsWithLineKind = "Sql_Texts_With_LineIdentSym";
inline constexpr const char* VersionOfBlockHeader = "Sql_Version_Of_BlockHeader";
inline constexpr const char* VersionOfValue = "Sql_Version_Of_Value";
inline constexpr const char* ExcludeByLineIndex = "Sql_Exclude_By_LineIndex";
inline constexpr const char* ProjectSourceFile = "Sql_Project_SourceFile";
inline constexpr const char* IncludeLinesInOrder = "Sql_IncludeLines_In_Order";
inline constexpr const char* TextTableItemIdents = "Sql_TextTable_ItemIdents";
inline constexpr const char* ScriptLinesOfKind = "Sql_ScriptLines_Of_Kind";
inline constexpr const char* StoredStrings = "Sql_Stored_Strings";
inline constexpr const char* StoredBitmaps = "Sql_Stored_Bitmaps";
inline constexpr const char* StoredCaptions = "Sql_Stored_Captions";
inline constexpr const char* StoredControls = "Sql_Stored_Controls";
inline constexpr const char* StoredMenuItems = "Sql_Stored_MenuItems";
// The quality checks: their texts with items and lines, ignored findings
// and switched-off checks (the last two in tables made when first written).
inline constexpr const char* CheckTexts = "Sql_Check_Texts";
inline constexpr const char* CheckTextsOfOwner = "Sql_Check_Texts_Of_Owner";
inline constexpr const char* CheckTextByLineIndex = "Sql_Check_Text_By_LineIndex";
inline constexpr const char* CheckTextsAfter = "Sql_Check_Texts_After";
inline constexpr const char* CreateCheckIgnore = "Sql_Create_CheckIgnore";
inline constexpr const char* CheckIgnoreRows = "Sql_CheckIgnore_Rows";
inline constexpr const char* AddCheckIgnore = "Sql_Add_CheckIgnore";
inline constexpr const char* DeleteCheckIgnore = "Sql_Delete_CheckIgnore";
inline constexpr const char* DeleteCheckIgnoreOfLanguage = "Sql_Delete_CheckIgnore_Of_Language";
inline constexpr const char* CreateCheckSetting = "Sql_Create_CheckSetting";
inline constexpr const char* CheckSettingRows = "Sql_CheckSetting_Rows";
inline constexpr const char* SetCheckSetting = "Sql_Set_CheckSetting";
// The translated scripts a project wrote, with what it wrote into them (a table made when
// first written).
inline constexpr const char* CreateWrittenScript = "Sql_Create_WrittenScript";
inline constexpr const char* WrittenScriptByFileName = "Sql_WrittenScript_By_FileName";
inline constexpr const char* SetWrittenScript = "Sql_Set_WrittenScript";
// What the exports to platforms and workbooks sent (tables made by the first export).
inline constexpr const char* CreateExportRecord = "Sql_Create_ExportRecord";
inline constexpr const char* CreateExportSent = "Sql_Create_ExportSent";
inline constexpr const char* AddExportRecord = "Sql_Add_ExportRecord";
inline constexpr const char* AddExportSent = "Sql_Add_ExportSent";
inline constexpr const char* DeleteExportSent = "Sql_Delete_ExportSent";
inline constexpr const char* ExportRecordById = "Sql_ExportRecord_By_Id";
inline constexpr const char* ExportSentRows = "Sql_ExportSent_Rows";
inline constexpr const char* ForgetOldExportTexts = "Sql_Forget_Old_Export_Texts";
inline constexpr const char* ForgetOldExports = "Sql_Forget_Old_Exports";

// One query of the removal after a source update: the rows it selects and the statement
// that deletes exactly those rows.
struct ObsoleteRowQuery {
    const char* name;
    const char* deleteSql;
};
// In the order the removal runs them (the lines themselves last).
const std::vector<ObsoleteRowQuery>& obsoleteRowQueries();

// Fills the column placeholders of a write template: {C} a column, {T} a translation's text
// column and {M} its flag column, each quoted as an identifier.
std::string withColumn(std::string_view sqlTemplate, std::string_view column);
std::string withTranslationColumns(std::string_view sqlTemplate, std::string_view translationColumn);

} // namespace qmk::queries
