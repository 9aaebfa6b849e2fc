// Every SQL text of the project database, in one place. Look-ups that a source update uses
// see only lines it has not written yet (Added = 0); lists come in script order (Line).
// Line kinds appear in the texts as placeholders: {Popup}, {Includes}, {DataStrings}.
#include "database/QueryCatalogue.h"

#include <sqlite3.h>

#include <unordered_map>

#include "database/DaoException.h"
#include "database/SqliteDatabase.h"
#include "parser/LineKindGroups.h"

namespace qmk::queries {

namespace {

struct Entry {
    const char* name;
    const char* sql;
};

// Read queries under the names the rest of the program knows them by.
constexpr Entry StoredQueries[] = {
    // Look-up of one text by line key.
    {"GetResTextRecord_ByLine", "SELECT * FROM ResourceText WHERE LineIndex = :LineIndex"},
    {"ResourceText_Old_By_LineIndex", "SELECT SourceText_Old FROM ResourceText WHERE LineIndex = :LineIndex"},
    {"ResLineValues_By_LineIndex",
     "SELECT l.LineIndex, l.Line, l.Added, l.LineIdentSym, l.BeforeStr, l.BehindStr, t.SourceText, t.Exclude, "
     "t.Modified FROM ResFileLine AS l LEFT JOIN ResourceText AS t ON t.LineIndex = l.LineIndex "
     "WHERE l.LineIndex = :LineIndex"},
    {"LineIdentSym_By_LineIndex", "SELECT LineIdentSym FROM ResFileLine WHERE LineIndex = :LineIndex"},
    {"AllLineIndex", "SELECT LineIndex FROM ResFileLine ORDER BY LineIndex"},

    // Item rows by line key.
    {"Dialog_By_LineIndex", "SELECT LineIndex, Name_ID, cx, cy FROM Dialogs WHERE LineIndex = :LineIndex"},
    {"Dialog_Caption_By_LineIndex", "SELECT LineIndex, DlgLine FROM DlgCaption WHERE LineIndex = :LineIndex"},
    {"Dialog_ItemIdent_By_LineIndex",
     "SELECT LineIndex, DlgLine, Name_ID, Class, x, y, cx, cy, Type, Flags FROM DialogControl "
     "WHERE LineIndex = :LineIndex"},
    {"Dialog_LineIndex_By_DlgItemIndex", "SELECT DlgLine FROM DialogControl WHERE LineIndex = :LineIndex"},
    {"Dialog_LineIndex_By_DlgCaptionIndex", "SELECT DlgLine FROM DlgCaption WHERE LineIndex = :LineIndex"},
    {"Menu_Ident_By_LineIndex", "SELECT Name_ID FROM Menu WHERE LineIndex = :LineIndex"},
    {"Menu_LineIndex_By_MenuItemIndex", "SELECT MenuLine FROM MenuItem WHERE LineIndex = :LineIndex"},
    {"MenuItem_By_LineIndex", "SELECT LineIndex, MenuLine, Level, Name_ID FROM MenuItem WHERE LineIndex = :LineIndex"},
    {"MenuItem_Ident_By_LineIndex", "SELECT Name_ID FROM MenuItem WHERE LineIndex = :LineIndex"},
    {"Stringtable_String_Ident_By_LineIndex", "SELECT Name_ID FROM StringtableString WHERE LineIndex = :LineIndex"},
    {"Bitmap_Ident_By_LineIndex", "SELECT Name_ID FROM Bitmap WHERE LineIndex = :LineIndex"},
    {"VersionValue_By_LineIndex",
     "SELECT LineIndex, VersResLine, BlockHeaderLine, Value FROM VersionBlockValues WHERE LineIndex = :LineIndex"},

    // Items by identifier. A resource given by its line key stands for every resource of the same
    // identifier, so that a source update finds the items of the old resource from the new one.
    {"Dialog_Caption",
     "SELECT t.SourceText, t.LineIndex FROM Dialogs AS d JOIN DlgCaption AS c ON c.DlgLine = d.LineIndex "
     "JOIN ResourceText AS t ON t.LineIndex = c.LineIndex JOIN ResFileLine AS l ON l.LineIndex = c.LineIndex "
     "WHERE d.Name_ID = :DlgIdent AND l.Added = 0 ORDER BY l.Line, l.LineIndex"},
    {"Dialog_Control",
     "SELECT c.LineIndex, c.DlgLine, l.LineIdentSym, c.x, c.y, c.cx, c.cy FROM Dialogs AS d "
     "JOIN DialogControl AS c ON c.DlgLine = d.LineIndex JOIN ResFileLine AS l ON l.LineIndex = c.LineIndex "
     "JOIN ResourceText AS t ON t.LineIndex = c.LineIndex "
     "WHERE d.Name_ID = :DlgIdent AND c.Name_ID = :ItemIdent AND l.LineIdentSym = :ItemIdentSym AND l.Added = 0 "
     "ORDER BY l.Line, l.LineIndex"},
    {"Dialog_Controls_By_DlgLineIndex_ItemIdent",
     "SELECT t.SourceText, c.LineIndex, c.Type, c.Flags, c.x, c.y, c.cx, c.cy FROM Dialogs AS d1 "
     "JOIN Dialogs AS d ON d.Name_ID = d1.Name_ID JOIN DialogControl AS c ON c.DlgLine = d.LineIndex "
     "JOIN ResourceText AS t ON t.LineIndex = c.LineIndex JOIN ResFileLine AS l ON l.LineIndex = c.LineIndex "
     // "+" keeps the planner off the Name_ID index: an identifier such as IDC_STATIC is shared
     // by thousands of controls, while a dialog has a few dozen.
     "WHERE d1.LineIndex = :DlgLineIndex AND +c.Name_ID = :ItemIdent AND l.Added = 0 ORDER BY l.Line, l.LineIndex"},
    {"MenuItem_Line",
     "SELECT t.SourceText, t.LineIndex FROM Menu AS m JOIN MenuItem AS i ON i.MenuLine = m.LineIndex "
     "JOIN ResourceText AS t ON t.LineIndex = i.LineIndex JOIN ResFileLine AS l ON l.LineIndex = i.LineIndex "
     "WHERE m.Name_ID = :MenuIdent AND i.Name_ID = :ItemIdent AND l.Added = 0 ORDER BY l.Line, l.LineIndex"},
    {"MenuItems_By_MenuIdent",
     "SELECT i.LineIndex, i.MenuLine, i.Level, i.Name_ID, l.LineIdentSym, t.SourceText FROM Menu AS m "
     "JOIN MenuItem AS i ON i.MenuLine = m.LineIndex JOIN ResFileLine AS l ON l.LineIndex = i.LineIndex "
     "LEFT JOIN ResourceText AS t ON t.LineIndex = i.LineIndex "
     "WHERE m.Name_ID = :MenuIdent AND l.Added = 0 ORDER BY l.Line, l.LineIndex"},
    {"PopupItem_By_MenuIdent",
     "SELECT t.* FROM Menu AS m JOIN MenuItem AS i ON i.MenuLine = m.LineIndex "
     "JOIN ResourceText AS t ON t.LineIndex = i.LineIndex JOIN ResFileLine AS l ON l.LineIndex = i.LineIndex "
     "WHERE m.Name_ID = :MenuIdent AND l.LineIdentSym = :ItemIdentSym AND l.Added = 0 ORDER BY l.Line, l.LineIndex"},
    {"StringtableString_By_Ident",
     "SELECT t.* FROM StringtableString AS s JOIN ResourceText AS t ON t.LineIndex = s.LineIndex "
     "JOIN ResFileLine AS l ON l.LineIndex = s.LineIndex WHERE s.Name_ID = :Name_ID AND l.Added = 0 "
     "ORDER BY l.Line, l.LineIndex"},
    {"BitmapString_By_Ident",
     "SELECT t.* FROM Bitmap AS b JOIN ResourceText AS t ON t.LineIndex = b.LineIndex "
     "JOIN ResFileLine AS l ON l.LineIndex = b.LineIndex WHERE b.Name_ID = :Name_ID AND l.Added = 0 "
     "ORDER BY l.Line, l.LineIndex"},
    {"VersionValue_By_ResIdent_ValueIdent",
     "SELECT t.* FROM Version AS r JOIN VersionBlockValues AS v ON v.VersResLine = r.LineIndex "
     "JOIN ResourceText AS t ON t.LineIndex = v.LineIndex JOIN ResFileLine AS l ON l.LineIndex = v.LineIndex "
     "WHERE r.Name_ID = :VersIdent AND v.Value = :ValueIdent AND l.Added = 0 ORDER BY l.Line, l.LineIndex"},
    {"VersionValues_By_VersionIndex",
     "SELECT t.SourceText, t.LineIndex, v.Value FROM Version AS r1 JOIN Version AS r ON r.Name_ID = r1.Name_ID "
     "JOIN VersionBlockValues AS v ON v.VersResLine = r.LineIndex JOIN ResourceText AS t ON t.LineIndex = v.LineIndex "
     "JOIN ResFileLine AS l ON l.LineIndex = v.LineIndex "
     "WHERE r1.LineIndex = :VersionLineIndex AND l.Added = 0 ORDER BY l.Line, l.LineIndex"},
    {"VersionBlockHeader_By_VersionIndex",
     "SELECT t.SourceText, t.LineIndex FROM Version AS r1 JOIN Version AS r ON r.Name_ID = r1.Name_ID "
     "JOIN VersionBlockHeader AS h ON h.VersResLine = r.LineIndex JOIN ResourceText AS t ON t.LineIndex = h.LineIndex "
     "JOIN ResFileLine AS l ON l.LineIndex = h.LineIndex "
     "WHERE r1.LineIndex = :VersionLineIndex AND l.Added = 0 ORDER BY l.Line, l.LineIndex"},

    // Whole-resource text sets.
    {"ResourceStrings_Of_DialogControls",
     "SELECT t.* FROM DialogControl AS c JOIN ResourceText AS t ON t.LineIndex = c.LineIndex "
     "JOIN ResFileLine AS l ON l.LineIndex = c.LineIndex WHERE c.DlgLine = :DlgLineIndex ORDER BY l.Line, l.LineIndex"},
    {"ResourceString_Of_DialogCaption",
     "SELECT t.* FROM DlgCaption AS c JOIN ResourceText AS t ON t.LineIndex = c.LineIndex "
     "JOIN ResFileLine AS l ON l.LineIndex = c.LineIndex WHERE c.DlgLine = :DlgLineIndex ORDER BY l.Line, l.LineIndex"},
    {"ResourceStrings_Of_Menu",
     "SELECT t.* FROM MenuItem AS i JOIN ResourceText AS t ON t.LineIndex = i.LineIndex "
     "JOIN ResFileLine AS l ON l.LineIndex = i.LineIndex WHERE i.MenuLine = :MenuLineIndex ORDER BY l.Line, l.LineIndex"},
    {"Version_BlockHeaders",
     "SELECT h.LineIndex FROM VersionBlockHeader AS h JOIN ResFileLine AS l ON l.LineIndex = h.LineIndex "
     "WHERE l.Added = 0 ORDER BY l.Line, l.LineIndex"},

    // Project level.
    {"FileVersion", "SELECT FileVersion FROM Project LIMIT 1"},
    {"Translation_Ids", "SELECT Language, SubLanguage FROM Translations ORDER BY rowid"},
    {"Translation",
     "SELECT Language, SubLanguage, LanguageStr FROM Translations "
     "WHERE Language = :LanguageId AND SubLanguage = :SubLanguageId"},
    {"FileName",
     "SELECT FileName FROM TranslationInfoTable WHERE Language = :LanguageId AND SubLanguage = :SubLanguageId"},
    {"TranslationInfoTable", "SELECT Language, SubLanguage, FileName FROM TranslationInfoTable ORDER BY rowid"},
    {"Bookmark_ID_and_Name", "SELECT ID, Name FROM Bookmark ORDER BY ID"},
    {"Bookmark_By_ID", "SELECT ID, LineIndex, Name, Window, Language, SubLanguage FROM Bookmark WHERE ID = :ID"},

    // Writer, Text Table, resource tree and previews. The writer's two queries carry LineIndex
    // and run in the same order, so each line can be joined with its text by key.
    {"ResourceFile_Lines",
     "SELECT LineIndex, Line, LineIdentSym, BeforeStr, BehindStr FROM ResFileLine ORDER BY Line, LineIndex"},
    {"ResourceTextTable",
     "SELECT t.* FROM ResourceText AS t JOIN ResFileLine AS l ON l.LineIndex = t.LineIndex ORDER BY l.Line, l.LineIndex"},
    {"ResourceText_And_LineIdentSym",
     "SELECT t.*, l.LineIdentSym FROM ResourceText AS t JOIN ResFileLine AS l ON l.LineIndex = t.LineIndex "
     "ORDER BY l.Line, l.LineIndex"},
    {"Dialogs_Line_Id",
     "SELECT r.Name_ID, r.LineIndex FROM Dialogs AS r JOIN ResFileLine AS l ON l.LineIndex = r.LineIndex "
     "ORDER BY l.Line, l.LineIndex"},
    {"Menus_Line_Id",
     "SELECT r.Name_ID, r.LineIndex FROM Menu AS r JOIN ResFileLine AS l ON l.LineIndex = r.LineIndex "
     "ORDER BY l.Line, l.LineIndex"},
    {"StringtableString_Line_Id",
     "SELECT r.Name_ID, r.LineIndex FROM StringtableString AS r JOIN ResFileLine AS l ON l.LineIndex = r.LineIndex "
     "ORDER BY l.Line, l.LineIndex"},
    {"Bitmaps_Line_Id",
     "SELECT r.Name_ID, r.LineIndex FROM Bitmap AS r JOIN ResFileLine AS l ON l.LineIndex = r.LineIndex "
     "ORDER BY l.Line, l.LineIndex"},
    {"Versions_Line_Id",
     "SELECT r.Name_ID, r.LineIndex FROM Version AS r JOIN ResFileLine AS l ON l.LineIndex = r.LineIndex "
     "ORDER BY l.Line, l.LineIndex"},
    {"DialogStringItems_By_DlgLineIndex",
     "SELECT i.LineIndex, i.Name_ID, i.LineIdentSym FROM ("
     "SELECT c.LineIndex, NULL AS Name_ID, l.LineIdentSym, l.Line FROM DlgCaption AS c "
     "JOIN ResourceText AS t ON t.LineIndex = c.LineIndex JOIN ResFileLine AS l ON l.LineIndex = c.LineIndex "
     "WHERE c.DlgLine = :LineIndex UNION ALL "
     "SELECT c.LineIndex, c.Name_ID, l.LineIdentSym, l.Line FROM DialogControl AS c "
     "JOIN ResourceText AS t ON t.LineIndex = c.LineIndex JOIN ResFileLine AS l ON l.LineIndex = c.LineIndex "
     "WHERE c.DlgLine = :LineIndex) AS i ORDER BY i.Line, i.LineIndex"},
    {"Dialog_Controls_By_Dialog_LineIndex",
     "SELECT c.Name_ID, c.LineIndex, c.Class, c.x, c.y, c.cx, c.cy, c.Type, c.Flags, "
     "(t.LineIndex IS NOT NULL) AS HasText FROM DialogControl AS c "
     "JOIN ResFileLine AS l ON l.LineIndex = c.LineIndex LEFT JOIN ResourceText AS t ON t.LineIndex = c.LineIndex "
     "WHERE c.DlgLine = :DlgLineIndex ORDER BY l.Line, l.LineIndex"},
    {"MenuItems_By_MenuLineIndex",
     "SELECT i.LineIndex, i.Name_ID, i.Level, l.LineIdentSym FROM MenuItem AS i "
     "JOIN ResFileLine AS l ON l.LineIndex = i.LineIndex WHERE i.MenuLine = :LineIndex ORDER BY l.Line, l.LineIndex"},
    {"Version_BlockHeaders_By_VersionLineIndex",
     "SELECT h.LineIndex FROM VersionBlockHeader AS h JOIN ResFileLine AS l ON l.LineIndex = h.LineIndex "
     "WHERE h.VersResLine = :LineIndex ORDER BY l.Line, l.LineIndex"},
    {"VersionValues_By_BlockHeaderLineIndex",
     "SELECT v.LineIndex, v.Value FROM VersionBlockValues AS v JOIN ResFileLine AS l ON l.LineIndex = v.LineIndex "
     "WHERE v.BlockHeaderLine = :LineIndex ORDER BY l.Line, l.LineIndex"},
};

// Rows of lines that the last source update did not write, per table; "Version_BlockHeaders"
// is the read query above, which selects the same rows.
// Each row looks up its own line, so that a small table costs little in a large project.
#define QMK_DELETE_OBSOLETE(table) \
    "DELETE FROM " table " WHERE EXISTS (SELECT 1 FROM ResFileLine AS l WHERE l.LineIndex = " table \
    ".LineIndex AND l.Added = 0)"
#define QMK_OBSOLETE(table, alias) \
    "SELECT " alias ".* FROM " table " AS " alias " JOIN ResFileLine AS l ON l.LineIndex = " alias \
    ".LineIndex WHERE l.Added = 0"

constexpr Entry ObsoleteSelects[] = {
    {"Obsolete_ResLineAndStringtableString", QMK_OBSOLETE("StringtableString", "s")},
    {"Dialog_Captions_Old", QMK_OBSOLETE("DlgCaption", "c")},
    {"Dialog_Controls_Old", QMK_OBSOLETE("DialogControl", "c")},
    {"DialogRes", QMK_OBSOLETE("Dialogs", "d")},
    {"MenuItems", QMK_OBSOLETE("MenuItem", "i")},
    {"Menus", QMK_OBSOLETE("Menu", "m")},
    {"VersionValues", QMK_OBSOLETE("VersionBlockValues", "v")},
    {"Versions", QMK_OBSOLETE("Version", "r")},
    {"Translation_Old", QMK_OBSOLETE("\"Source File Language\"", "s")},
    {"Bookmarks", QMK_OBSOLETE("Bookmark", "b")},
    {"Obsolete_Strings_At_TableResourceText", QMK_OBSOLETE("ResourceText", "t")},
    {"Bitmaps_Old", QMK_OBSOLETE("Bitmap", "b")},
    {"Obsolete_ResLine", "SELECT * FROM ResFileLine WHERE Added = 0"},
};

const std::vector<ObsoleteRowQuery> ObsoleteDeletes = {
    {"Obsolete_ResLineAndStringtableString", QMK_DELETE_OBSOLETE("StringtableString")},
    {"Dialog_Captions_Old", QMK_DELETE_OBSOLETE("DlgCaption")},
    {"Dialog_Controls_Old", QMK_DELETE_OBSOLETE("DialogControl")},
    {"DialogRes", QMK_DELETE_OBSOLETE("Dialogs")},
    {"MenuItems", QMK_DELETE_OBSOLETE("MenuItem")},
    {"Menus", QMK_DELETE_OBSOLETE("Menu")},
    {"VersionValues", QMK_DELETE_OBSOLETE("VersionBlockValues")},
    {"Version_BlockHeaders", QMK_DELETE_OBSOLETE("VersionBlockHeader")},
    {"Versions", QMK_DELETE_OBSOLETE("Version")},
    {"Translation_Old", QMK_DELETE_OBSOLETE("\"Source File Language\"")},
    {"Bookmarks", QMK_DELETE_OBSOLETE("Bookmark")},
    {"Obsolete_Strings_At_TableResourceText", QMK_DELETE_OBSOLETE("ResourceText")},
    {"Bitmaps_Old", QMK_DELETE_OBSOLETE("Bitmap")},
    {"Obsolete_ResLine", "DELETE FROM ResFileLine WHERE Added = 0"},
};

#undef QMK_OBSOLETE
#undef QMK_DELETE_OBSOLETE

// Queries the program supplies itself.
constexpr Entry SystemQueries[] = {
    {IncludeLineByFileName,
     "SELECT t.LineIndex, 1 AS Ausdr1 FROM ResourceText AS t JOIN ResFileLine AS l ON t.LineIndex = l.LineIndex "
     "WHERE l.LineIdentSym IN ({Includes}) AND l.Added = 0 AND t.SourceText = :IncludeFile COLLATE NOCASE "
     "ORDER BY l.Line, l.LineIndex"},
    {TextsWithLineKind,
     "SELECT t.*, l.LineIdentSym FROM ResourceText AS t JOIN ResFileLine AS l ON t.LineIndex = l.LineIndex"},
    {VersionOfBlockHeader,
     "SELECT r.Name_ID FROM Version AS r JOIN VersionBlockHeader AS h ON r.LineIndex = h.VersResLine "
     "WHERE h.LineIndex = :LineIndex"},
    {VersionOfValue,
     "SELECT r.Name_ID, r.LineIndex FROM Version AS r JOIN VersionBlockValues AS v ON r.LineIndex = v.VersResLine "
     "WHERE v.LineIndex = :LineIndex"},
    {ExcludeByLineIndex, "SELECT Exclude FROM ResourceText WHERE LineIndex = :LineIndex"},
    {ProjectSourceFile, "SELECT SourceFile FROM Project LIMIT 1"},
    // NOT INDEXED: led by the line order, the engine would visit every line through the index;
    // scanning the table and sorting the few lines it keeps costs half as much.
    {IncludeLinesInOrder,
     "SELECT l.LineIndex, t.SourceText FROM ResFileLine AS l NOT INDEXED JOIN ResourceText AS t "
     "ON l.LineIndex = t.LineIndex WHERE l.LineIdentSym IN ({Includes}) AND l.Added = 0 ORDER BY l.Line, l.LineIndex"},
    // The identifier and the dialog of each line that has them, read table by table instead of
    // joined to every text (six look-ups a text cost more than the whole read of the texts).
    // Rank orders the tables as the reader gives them precedence.
    {ScriptLinesOfKind,
     "SELECT LineIndex, Line, LineIdentSym, BeforeStr, BehindStr FROM ResFileLine WHERE LineIdentSym = :Kind "
     "ORDER BY Line, LineIndex"},
    {TextTableItemIdents,
     "SELECT LineIndex, Name_ID AS ItemIdent, NULL AS DialogLine, 1 AS Rank FROM StringtableString "
     "UNION ALL SELECT LineIndex, Value, NULL, 2 FROM VersionBlockValues "
     "UNION ALL SELECT LineIndex, Name_ID, NULL, 3 FROM Bitmap "
     "UNION ALL SELECT LineIndex, Name_ID, DlgLine, 4 FROM DialogControl "
     "UNION ALL SELECT LineIndex, Name_ID, NULL, 5 FROM MenuItem "
     "UNION ALL SELECT LineIndex, NULL, DlgLine, 6 FROM DlgCaption"},
};

// The items a source update finds again, one table each, with their lines. Each selects what
// the look-up of its kind by identifier selects, for every identifier at once. CROSS JOIN keeps
// the item table outermost: led by the line order instead, each would visit every line of the
// project; the caller puts the rows in script order.
#define QMK_STORED_ITEMS(fields, joins) \
    "SELECT " fields ", t.SourceText, l.LineIdentSym, l.Line, l.BeforeStr, l.BehindStr " joins \
    " CROSS JOIN ResourceText AS t ON t.LineIndex = x.LineIndex CROSS JOIN ResFileLine AS l " \
    "ON l.LineIndex = x.LineIndex WHERE l.Added = 0"

constexpr Entry StoredItemQueries[] = {
    {StoredStrings, QMK_STORED_ITEMS("x.LineIndex, x.Name_ID", "FROM StringtableString AS x")},
    {StoredBitmaps, QMK_STORED_ITEMS("x.LineIndex, x.Name_ID", "FROM Bitmap AS x")},
    {StoredCaptions,
     QMK_STORED_ITEMS("x.LineIndex, d.Name_ID AS Owner",
                      "FROM DlgCaption AS x CROSS JOIN Dialogs AS d ON d.LineIndex = x.DlgLine") " AND t.Modified = 0"},
    {StoredControls,
     QMK_STORED_ITEMS("x.LineIndex, x.Name_ID, d.Name_ID AS Owner, x.Class, x.x, x.y, x.cx, x.cy, x.Type, x.Flags",
                      "FROM DialogControl AS x CROSS JOIN Dialogs AS d ON d.LineIndex = x.DlgLine")},
    {StoredMenuItems,
     QMK_STORED_ITEMS("x.LineIndex, x.Name_ID, m.Name_ID AS Owner, x.Level",
                      "FROM MenuItem AS x CROSS JOIN Menu AS m ON m.LineIndex = x.MenuLine")},
};

#undef QMK_STORED_ITEMS

// The texts the quality checks read, each with one translation ({T}, {M}), its item and the
// resource around it, in script order; {Where} narrows them to one item or one resource.
#define QMK_CHECK_TEXTS(where) \
    "SELECT t.LineIndex, t.SourceText, t.Exclude, t.{T} AS Translation, t.{M} AS Flagged, l.Line, l.LineIdentSym, " \
    "coalesce(s.Name_ID, v.Value, b.Name_ID, c.Name_ID, i.Name_ID, '') AS ItemIdent, " \
    "coalesce(c.DlgLine, k.DlgLine, i.MenuLine, v.VersResLine, -1) AS OwnerLine, " \
    "coalesce(d.Name_ID, m.Name_ID, r.Name_ID, '') AS OwnerIdent, coalesce(i.Level, 0) AS Level, " \
    "coalesce(c.Class, '') AS Class, coalesce(c.Flags, 0) AS Flags " \
    "FROM ResourceText AS t JOIN ResFileLine AS l ON l.LineIndex = t.LineIndex " \
    "LEFT JOIN StringtableString AS s ON s.LineIndex = t.LineIndex " \
    "LEFT JOIN VersionBlockValues AS v ON v.LineIndex = t.LineIndex " \
    "LEFT JOIN Bitmap AS b ON b.LineIndex = t.LineIndex " \
    "LEFT JOIN DialogControl AS c ON c.LineIndex = t.LineIndex " \
    "LEFT JOIN MenuItem AS i ON i.LineIndex = t.LineIndex " \
    "LEFT JOIN DlgCaption AS k ON k.LineIndex = t.LineIndex " \
    "LEFT JOIN Dialogs AS d ON d.LineIndex = coalesce(c.DlgLine, k.DlgLine) " \
    "LEFT JOIN Menu AS m ON m.LineIndex = i.MenuLine " \
    "LEFT JOIN Version AS r ON r.LineIndex = v.VersResLine " where " ORDER BY l.Line, l.LineIndex"

constexpr Entry CheckQueries[] = {
    {CheckTexts, QMK_CHECK_TEXTS("")},
    {CheckTextsOfOwner, QMK_CHECK_TEXTS("WHERE coalesce(c.DlgLine, k.DlgLine, i.MenuLine, v.VersResLine, -1) = :Owner")},
    {CheckTextByLineIndex, QMK_CHECK_TEXTS("WHERE t.LineIndex = :LineIndex")},
    {CheckTextsAfter, QMK_CHECK_TEXTS("WHERE (l.Line, l.LineIndex) > (:Line, :LineIndex)") " LIMIT :Count"},
    {CreateCheckIgnore,
     "CREATE TABLE IF NOT EXISTS CheckIgnore (LineIndex INTEGER NOT NULL, Language INTEGER NOT NULL, "
     "SubLanguage INTEGER NOT NULL, CheckId TEXT NOT NULL, PRIMARY KEY (LineIndex, Language, SubLanguage, CheckId))"},
    {CheckIgnoreRows, "SELECT LineIndex, Language, SubLanguage, CheckId FROM CheckIgnore ORDER BY LineIndex, CheckId"},
    {AddCheckIgnore,
     "INSERT OR IGNORE INTO CheckIgnore (LineIndex, Language, SubLanguage, CheckId) "
     "VALUES (:LineIndex, :Language, :SubLanguage, :CheckId)"},
    {DeleteCheckIgnore,
     "DELETE FROM CheckIgnore WHERE LineIndex = :LineIndex AND Language = :Language AND SubLanguage = :SubLanguage "
     "AND CheckId = :CheckId"},
    {DeleteCheckIgnoreOfLanguage, "DELETE FROM CheckIgnore WHERE Language = :Language AND SubLanguage = :SubLanguage"},
    {CreateCheckSetting, "CREATE TABLE IF NOT EXISTS CheckSetting (CheckId TEXT PRIMARY KEY, Enabled INTEGER)"},
    {CheckSettingRows, "SELECT CheckId, Enabled FROM CheckSetting ORDER BY CheckId"},
    {SetCheckSetting,
     "INSERT INTO CheckSetting (CheckId, Enabled) VALUES (:CheckId, :Enabled) "
     "ON CONFLICT (CheckId) DO UPDATE SET Enabled = excluded.Enabled"},
};

constexpr Entry WrittenScriptQueries[] = {
    {CreateWrittenScript,
     "CREATE TABLE IF NOT EXISTS WrittenScript (FileName TEXT PRIMARY KEY, Size INTEGER NOT NULL, "
     "ContentHash TEXT NOT NULL)"},
    {WrittenScriptByFileName, "SELECT Size, ContentHash FROM WrittenScript WHERE FileName = :FileName"},
    {SetWrittenScript,
     "INSERT INTO WrittenScript (FileName, Size, ContentHash) VALUES (:FileName, :Size, :ContentHash) "
     "ON CONFLICT (FileName) DO UPDATE SET Size = excluded.Size, ContentHash = excluded.ContentHash"},
};

constexpr Entry ExportQueries[] = {
    {CreateExportRecord,
     "CREATE TABLE IF NOT EXISTS ExportRecord (ExportId TEXT PRIMARY KEY, Language INTEGER NOT NULL, "
     "SubLanguage INTEGER NOT NULL, Written INTEGER NOT NULL)"},
    {CreateExportSent,
     "CREATE TABLE IF NOT EXISTS ExportSent (ExportId TEXT NOT NULL, LineIndex INTEGER NOT NULL, Text TEXT NOT NULL, "
     "NeedsReview INTEGER NOT NULL, PRIMARY KEY (ExportId, LineIndex))"},
    {AddExportRecord,
     "INSERT INTO ExportRecord (ExportId, Language, SubLanguage, Written) VALUES (:ExportId, :Language, :SubLanguage, "
     ":Written) ON CONFLICT (ExportId) DO UPDATE SET Language = excluded.Language, SubLanguage = excluded.SubLanguage, "
     "Written = excluded.Written"},
    {AddExportSent,
     "INSERT OR REPLACE INTO ExportSent (ExportId, LineIndex, Text, NeedsReview) "
     "VALUES (:ExportId, :LineIndex, :Text, :NeedsReview)"},
    {DeleteExportSent, "DELETE FROM ExportSent WHERE ExportId = :ExportId"},
    {ExportRecordById, "SELECT Language, SubLanguage, Written FROM ExportRecord WHERE ExportId = :ExportId"},
    {ExportSentRows, "SELECT LineIndex, Text, NeedsReview FROM ExportSent WHERE ExportId = :ExportId"},
    // The exports of a language beyond the newest ones kept: what they sent, then the exports.
    {ForgetOldExportTexts,
     "DELETE FROM ExportSent WHERE ExportId IN (SELECT ExportId FROM ExportRecord WHERE Language = :Language AND "
     "SubLanguage = :SubLanguage ORDER BY Written DESC, rowid DESC LIMIT -1 OFFSET :Kept)"},
    {ForgetOldExports,
     "DELETE FROM ExportRecord WHERE ExportId IN (SELECT ExportId FROM ExportRecord WHERE Language = :Language AND "
     "SubLanguage = :SubLanguage ORDER BY Written DESC, rowid DESC LIMIT -1 OFFSET :Kept)"},
};

#undef QMK_CHECK_TEXTS

// Row writes and helper reads; {C}, {T} and {M} are filled with quoted column names.
constexpr Entry Writes[] = {
    {"Add_ResFileLine",
     "INSERT INTO ResFileLine (LineIndex, Line, LineIdentSym, Added, BeforeStr, BehindStr) "
     "VALUES (:LineIndex, :Line, :LineIdentSym, :Added, :BeforeStr, :BehindStr)"},
    {"Add_ResourceText",
     "INSERT INTO ResourceText (LineIndex, SourceText, Exclude, Modified) VALUES (:LineIndex, :SourceText, :Exclude, 0)"},
    {"Add_Dialogs", "INSERT INTO Dialogs (LineIndex, Name_ID, cx, cy) VALUES (:LineIndex, :Name_ID, :cx, :cy)"},
    {"Add_DlgCaption", "INSERT INTO DlgCaption (LineIndex, DlgLine) VALUES (:LineIndex, :DlgLine)"},
    {"Add_DialogControl",
     "INSERT INTO DialogControl (LineIndex, DlgLine, Name_ID, Class, x, y, cx, cy, Type, Flags) "
     "VALUES (:LineIndex, :DlgLine, :Name_ID, :Class, :x, :y, :cx, :cy, :Type, :Flags)"},
    {"Add_Menu", "INSERT INTO Menu (LineIndex, Name_ID) VALUES (:LineIndex, :Name_ID)"},
    {"Add_MenuItem",
     "INSERT INTO MenuItem (LineIndex, MenuLine, Level, Name_ID) VALUES (:LineIndex, :MenuLine, :Level, :Name_ID)"},
    {"Add_StringtableString", "INSERT INTO StringtableString (LineIndex, Name_ID) VALUES (:LineIndex, :Name_ID)"},
    {"Add_Bitmap", "INSERT INTO Bitmap (LineIndex, Name_ID) VALUES (:LineIndex, :Name_ID)"},
    {"Add_Version", "INSERT INTO Version (LineIndex, Name_ID) VALUES (:LineIndex, :Name_ID)"},
    {"Add_VersionBlockHeader",
     "INSERT INTO VersionBlockHeader (LineIndex, VersResLine) VALUES (:LineIndex, :VersResLine)"},
    {"Add_VersionBlockValues",
     "INSERT INTO VersionBlockValues (LineIndex, VersResLine, BlockHeaderLine, Value) "
     "VALUES (:LineIndex, :VersResLine, :BlockHeaderLine, :Value)"},
    {"Add_JoinedLiteral", "INSERT OR REPLACE INTO JoinedLiteral (LineIndex, AsWritten) VALUES (:LineIndex, :AsWritten)"},
    {"Clear_JoinedLiterals", "DELETE FROM JoinedLiteral"},
    // Projects built before literals were kept as written gain the table with their next build or update.
    {"Create_JoinedLiteral", "CREATE TABLE IF NOT EXISTS JoinedLiteral (LineIndex INTEGER PRIMARY KEY, AsWritten TEXT)"},
    {"Add_SourceFileLanguage",
     "INSERT INTO \"Source File Language\" (LineIndex, Language, SubLanguage) VALUES (:LineIndex, :Language, :SubLanguage)"},

    {"Rewrite_ResFileLine",
     "UPDATE ResFileLine SET Line = :Line, Added = 1, BeforeStr = :BeforeStr, BehindStr = :BehindStr "
     "WHERE LineIndex = :LineIndex"},
    // Writes of many rows at once; :LineIndexes is a JSON array of line keys.
    {"Mark_ResFileLines_Found",
     "UPDATE ResFileLine SET Added = 1 WHERE LineIndex IN (SELECT value FROM json_each(:LineIndexes))"},
    {"Relink_DialogControls",
     "UPDATE DialogControl SET DlgLine = :DlgLine WHERE LineIndex IN (SELECT value FROM json_each(:LineIndexes))"},
    {"Relink_MenuItems",
     "UPDATE MenuItem SET MenuLine = :MenuLine WHERE LineIndex IN (SELECT value FROM json_each(:LineIndexes))"},
    {"Rewrite_DlgCaption", "UPDATE DlgCaption SET DlgLine = :DlgLine WHERE LineIndex = :LineIndex"},
    {"Rewrite_DialogControl",
     "UPDATE DialogControl SET DlgLine = :DlgLine, Name_ID = :Name_ID, Class = :Class, x = :x, y = :y, cx = :cx, "
     "cy = :cy, Type = :Type, Flags = :Flags WHERE LineIndex = :LineIndex"},
    {"Rewrite_MenuItem",
     "UPDATE MenuItem SET MenuLine = :MenuLine, Level = :Level, Name_ID = :Name_ID WHERE LineIndex = :LineIndex"},
    {"Rewrite_VersionBlockHeader", "UPDATE VersionBlockHeader SET VersResLine = :VersResLine WHERE LineIndex = :LineIndex"},
    {"Rewrite_VersionBlockValues",
     "UPDATE VersionBlockValues SET VersResLine = :VersResLine, BlockHeaderLine = :BlockHeaderLine, Value = :Value "
     "WHERE LineIndex = :LineIndex"},

    {"Set_SourceText",
     "UPDATE ResourceText SET SourceText_Old = SourceText, SourceText = :SourceText, Modified = 1 "
     "WHERE LineIndex = :LineIndex"},
    {"Set_Exclude", "UPDATE ResourceText SET Exclude = :Exclude WHERE LineIndex = :LineIndex"},
    {"Set_LineIdentSym", "UPDATE ResFileLine SET LineIdentSym = :LineIdentSym WHERE LineIndex = :LineIndex"},
    // Texts of data strings (RCDATA, user-defined resources), which the update finds by text.
    {"Data_String_Texts",
     "SELECT t.LineIndex, t.SourceText, l.LineIdentSym FROM ResFileLine AS l NOT INDEXED JOIN ResourceText AS t "
     "ON l.LineIndex = t.LineIndex WHERE l.LineIdentSym IN ({DataStrings}) AND l.Added = 0 ORDER BY l.Line, l.LineIndex"},
    // Every line in writing order with its own text (if any) and one translation of it.
    {"Writer_Lines_With_Translation",
     "SELECT l.LineIdentSym, l.BeforeStr, l.BehindStr, t.LineIndex IS NOT NULL AS HasText, t.Exclude, "
     "t.SourceText, t.{T} AS Translation FROM ResFileLine AS l LEFT JOIN ResourceText AS t "
     "ON t.LineIndex = l.LineIndex ORDER BY l.Line, l.LineIndex"},
    {"Writer_Lines_With_Joined_Literals",
     "SELECT l.LineIdentSym, l.BeforeStr, l.BehindStr, t.LineIndex IS NOT NULL AS HasText, t.Exclude, "
     "t.SourceText, t.{T} AS Translation, j.AsWritten FROM ResFileLine AS l LEFT JOIN ResourceText AS t "
     "ON t.LineIndex = l.LineIndex LEFT JOIN JoinedLiteral AS j ON j.LineIndex = l.LineIndex "
     "ORDER BY l.Line, l.LineIndex"},
    {"Set_Translation", "UPDATE ResourceText SET {T} = :Text, {M} = :Modified WHERE LineIndex = :LineIndex"},
    {"Pass_Changes_To_Translation", "UPDATE ResourceText SET {M} = 1 WHERE Modified <> 0 AND {T} <> ''"},
    {"Clear_Modified", "UPDATE ResourceText SET Modified = 0 WHERE Modified <> 0"},
    {"Clear_Added", "UPDATE ResFileLine SET Added = 0 WHERE Added <> 0"},
    {"Count_ResourceText", "SELECT count(*) FROM ResourceText"},

    {"Project_Row", "SELECT * FROM Project LIMIT 1"},
    {"Count_Project", "SELECT count(*) FROM Project"},
    {"Add_Project",
     "INSERT INTO Project (SourceFile, FileSize, FileTime, FileDate, FileVersion) "
     "VALUES (:SourceFile, :FileSize, :FileTime, :FileDate, :FileVersion)"},
    {"Rewrite_Project",
     "UPDATE Project SET SourceFile = coalesce(:SourceFile, SourceFile), FileSize = :FileSize, FileTime = :FileTime, "
     "FileDate = :FileDate, FileVersion = :FileVersion"},
    {"Set_Status", "UPDATE Project SET Status = :Status"},
    {"Set_Project_Stamp", "UPDATE Project SET FileSize = :FileSize, FileTime = :FileTime, FileDate = :FileDate"},
    {"Set_Project_Field", "UPDATE Project SET {C} = :Value"},

    {"Translation_Rows", "SELECT * FROM Translations ORDER BY rowid"},
    {"Translation_Encoding",
     "SELECT Encoding FROM Translations WHERE Language = :LanguageId AND SubLanguage = :SubLanguageId"},
    {"Set_Translation_Encoding",
     "UPDATE Translations SET Encoding = :Encoding WHERE Language = :LanguageId AND SubLanguage = :SubLanguageId"},
    {"Source_Encoding", "SELECT SourceEncoding FROM Project LIMIT 1"},
    {"Source_Language_Choice", "SELECT SourceLanguage FROM Project LIMIT 1"},
    {"Line_Of_Kind", "SELECT 1 FROM ResFileLine WHERE LineIdentSym = :LineIdentSym LIMIT 1"},
    {"Set_Source_Encoding", "UPDATE Project SET SourceEncoding = :SourceEncoding"},
    {"Translated_Texts",
     "SELECT t.LineIndex, t.{T} AS Text, l.LineIdentSym, l.Line FROM ResourceText AS t "
     "JOIN ResFileLine AS l ON l.LineIndex = t.LineIndex WHERE t.{T} IS NOT NULL AND t.{T} <> '' ORDER BY l.Line"},
    {"Set_Translation_Text", "UPDATE ResourceText SET {T} = :Text WHERE LineIndex = :LineIndex"},
    {"Source_Language_Rows", "SELECT * FROM \"Source File Language\" ORDER BY LineIndex"},
    {"Translations_With_Name", "SELECT Language, SubLanguage FROM Translations WHERE LanguageStr = :LanguageStr"},
    {"Add_Translation",
     "INSERT INTO Translations (Language, SubLanguage, LanguageStr) VALUES (:LanguageId, :SubLanguageId, :LanguageStr)"},
    {"Delete_Translation", "DELETE FROM Translations WHERE Language = :LanguageId AND SubLanguage = :SubLanguageId"},
    {"Rename_Translation",
     "UPDATE Translations SET LanguageStr = :LanguageStr WHERE Language = :LanguageId AND SubLanguage = :SubLanguageId"},
    {"Delete_TranslationInfo",
     "DELETE FROM TranslationInfoTable WHERE Language = :LanguageId AND SubLanguage = :SubLanguageId"},
    {"Set_FileName",
     "INSERT INTO TranslationInfoTable (Language, SubLanguage, FileName) VALUES (:LanguageId, :SubLanguageId, :FileName) "
     "ON CONFLICT (Language, SubLanguage) DO UPDATE SET FileName = excluded.FileName"},
    {"Reset_Fonts_Translations", "UPDATE Translations SET FontName = '', CharSet = 1"},
    {"Reset_Fonts_Source_Languages", "UPDATE \"Source File Language\" SET FontName = '', CharSet = 1"},
    {"Set_Font_Translation",
     "UPDATE Translations SET FontName = :FontName, CharSet = :CharSet "
     "WHERE Language = :LanguageId AND SubLanguage = :SubLanguageId"},
    {"Set_Font_Source_Language",
     "UPDATE \"Source File Language\" SET FontName = :FontName, CharSet = :CharSet "
     "WHERE Language = :LanguageId AND SubLanguage = :SubLanguageId"},

    {"Add_Bookmark",
     "INSERT INTO Bookmark (LineIndex, Name, Window, Language, SubLanguage) "
     "VALUES (:LineIndex, :Name, :Window, :Language, :SubLanguage)"},
    {"Delete_Bookmark", "DELETE FROM Bookmark WHERE ID = :ID"},
};

std::string replaceAll(std::string text, std::string_view placeholder, const std::string& value)
{
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + value.size()))
        text.replace(at, placeholder.size(), value);
    return text;
}

// The SQL with the line kinds of its placeholders written in.
std::string withLineKinds(std::string_view text)
{
    std::string sql = replaceAll(std::string(text), "{Popup}", std::to_string(toInt(LineKind::Popup)));
    sql = replaceAll(std::move(sql), "{Includes}", sqlKindList(kindgroup::Includes));
    return replaceAll(std::move(sql), "{DataStrings}", sqlKindList(kindgroup::DataStrings));
}

const std::unordered_map<std::string_view, std::string>& catalogue()
{
    static const std::unordered_map<std::string_view, std::string> map = [] {
        std::unordered_map<std::string_view, std::string> m;
        auto add = [&m](const auto& table) {
            for (const Entry& e : table)
                m.emplace(e.name, withLineKinds(e.sql));
        };
        add(StoredQueries);
        add(ObsoleteSelects);
        add(SystemQueries);
        add(StoredItemQueries);
        add(CheckQueries);
        add(WrittenScriptQueries);
        add(ExportQueries);
        add(Writes);
        return m;
    }();
    return map;
}

} // namespace

std::string_view sql(std::string_view name)
{
    auto found = catalogue().find(name);
    if (found == catalogue().end())
        throw DaoException(SQLITE_ERROR, "no query named " + std::string(name));
    return found->second;
}

bool contains(std::string_view name)
{
    return catalogue().count(name) != 0;
}

const std::vector<std::string_view>& storedQueryNames()
{
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> list;
        for (const Entry& e : StoredQueries)
            list.push_back(e.name);
        for (const Entry& e : ObsoleteSelects)
            list.push_back(e.name);
        return list;
    }();
    return names;
}

const std::vector<ObsoleteRowQuery>& obsoleteRowQueries()
{
    return ObsoleteDeletes;
}

std::string withColumn(std::string_view sqlTemplate, std::string_view column)
{
    return replaceAll(std::string(sqlTemplate), "{C}", quoteIdentifier(column));
}

std::string withTranslationColumns(std::string_view sqlTemplate, std::string_view translationColumn)
{
    std::string text = replaceAll(std::string(sqlTemplate), "{T}", quoteIdentifier(translationColumn));
    return replaceAll(std::move(text), "{M}", quoteIdentifier(std::string(translationColumn) + "_Modified"));
}

} // namespace qmk::queries
