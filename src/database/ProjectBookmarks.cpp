// The project's bookmarks.
#include "database/ProjectBookmarks.h"

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "database/QueryCatalogue.h"
#include "database/QueryNames.h"
#include "database/StatementReaders.h"
#include "database/Transaction.h"
#include "database/TranslationColumnNames.h"

namespace qmk {

int ProjectBookmarks::add(const BookmarkRow& row)
{
    query(qn::Add_Bookmark)
        .bind("LineIndex", row.lineIndex)
        .bind("Name", row.name)
        .bind("Window", row.window)
        .bind("Language", row.language.language)
        .bind("SubLanguage", row.language.sublanguage)
        .execute();
    return static_cast<int>(db_.lastInsertRowId());
}

std::vector<IdentRow> ProjectBookmarks::all()
{
    Statement rows = query(qn::Bookmark_ID_and_Name);
    std::vector<IdentRow> list;
    while (rows.step())
        list.push_back({rows.intField("ID"), rows.text("Name")});
    return list;
}

std::optional<BookmarkRow> ProjectBookmarks::find(int id)
{
    Statement row = query(qn::Bookmark_By_ID);
    row.bind("ID", id);
    if (!row.step())
        return std::nullopt;
    return BookmarkRow{id, row.intField("LineIndex"), row.text("Name"), row.text("Window"),
                       {row.intField("Language"), row.intField("SubLanguage")}};
}

bool ProjectBookmarks::remove(int id)
{
    query(qn::Delete_Bookmark).bind("ID", id).execute();
    return db_.changes() > 0;
}

} // namespace qmk
