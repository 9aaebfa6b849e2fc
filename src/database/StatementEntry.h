// One slot of a connection's statement cache (internal to the engine layer).
// It records whether an operation holds the statement, so that nested uses never share it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "database/Statement.h"

namespace qmk {

struct Statement::Entry {
    std::string sql;
    sqlite3_stmt* stmt = nullptr;
    bool inUse = false;
    bool cached = true;          // false: finalized when given back
    bool namesKnown = false;
    std::vector<std::string> names;  // result field names, read on first look-up
    // Parameter indexes by name, found once per prepared statement (bulk work binds by name
    // for every row).
    std::vector<std::pair<std::string, int>> parameters;
};

} // namespace qmk
