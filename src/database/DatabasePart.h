// What every part of a project database shares: the connection of the project it belongs to,
// its queries by name, and the readers of the row shapes several parts return.
#pragma once

#include <string_view>
#include <vector>

#include "database/ProjectRows.h"
#include "database/Statement.h"

namespace qmk {

class CProjectDatabase;
class DaoException;
class SqliteDatabase;

class DatabasePart {
public:
    DatabasePart(CProjectDatabase& owner, SqliteDatabase& db) : owner_(owner), db_(db) {}
    DatabasePart(const DatabasePart&) = delete;
    DatabasePart& operator=(const DatabasePart&) = delete;

protected:
    Statement query(std::string_view name);
    void report(const DaoException& error);
    std::vector<TextMatch> textMatches(Statement& statement);
    std::vector<TextRow> textRows(Statement& statement, bool withKind);

    CProjectDatabase& owner_;
    SqliteDatabase& db_;
};

} // namespace qmk
