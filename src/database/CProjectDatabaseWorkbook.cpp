// CProjectDatabase, workbook part: the resource identifiers the workbook export writes beside
// each item, read for the whole project at once.
#include "database/CProjectDatabase.h"

namespace qmk {

namespace {

// A line lies in at most one item table, so every LineIndex appears once.
constexpr const char* OwningResourceIdentsSql =
    "SELECT c.LineIndex, d.Name_ID FROM DialogControl AS c JOIN Dialogs AS d ON d.LineIndex = c.DlgLine "
    "UNION ALL SELECT k.LineIndex, d.Name_ID FROM DlgCaption AS k JOIN Dialogs AS d ON d.LineIndex = k.DlgLine "
    "UNION ALL SELECT i.LineIndex, m.Name_ID FROM MenuItem AS i JOIN Menu AS m ON m.LineIndex = i.MenuLine "
    "UNION ALL SELECT v.LineIndex, r.Name_ID FROM VersionBlockValues AS v "
    "JOIN Version AS r ON r.LineIndex = v.VersResLine";

} // namespace

std::unordered_map<int, std::string> CProjectDatabase::owningResourceIdents()
{
    std::unordered_map<int, std::string> idents;
    Statement rows = db_.prepare(OwningResourceIdentsSql);
    while (rows.step())
        idents.emplace(static_cast<int>(rows.integer(0)), rows.text(1));
    return idents;
}

} // namespace qmk
