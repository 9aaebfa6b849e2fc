// The project's bookmarks, read and written for the windows, which only hear of a database
// failure through the feedback channel.
#include "project/CQuillDoc.h"

#include "project/ReportedFailure.h"

namespace qmk {

std::vector<IdentRow> CQuillDoc::bookmarks()
{
    return reportFailure(feedback_, [&] { return db_.bookmarks().all(); }, std::vector<IdentRow>{});
}

std::optional<BookmarkRow> CQuillDoc::bookmark(int id)
{
    return reportFailure(feedback_, [&] { return db_.bookmarks().find(id); }, std::optional<BookmarkRow>{});
}

bool CQuillDoc::addBookmark(const BookmarkRow& row)
{
    return reportFailure(feedback_, [&] {
        db_.bookmarks().add(row);
        return true;
    }, false);
}

bool CQuillDoc::removeBookmark(int id)
{
    return reportFailure(feedback_, [&] {
        db_.bookmarks().remove(id);
        return true;
    }, false);
}

} // namespace qmk
