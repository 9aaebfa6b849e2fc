// Guard of one transaction: commits when asked, rolls back when it goes out of scope first.
// Nested guards become savepoints of the enclosing transaction.
#pragma once

#include <string>

namespace qmk {

class SqliteDatabase;

class Transaction {
public:
    // `immediate`: the write lock is taken at once (waiting for other writers), so that a
    // writer sharing the file with other processes never finds its snapshot outdated.
    explicit Transaction(SqliteDatabase& db, bool immediate = false);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    SqliteDatabase& db_;
    std::string savepoint_;  // empty for the outermost transaction
    bool open_ = true;
};

} // namespace qmk
