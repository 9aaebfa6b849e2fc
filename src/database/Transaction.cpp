// Guard of one transaction over a connection: bulk work commits once, and an exception
// on the way leaves the file as it was. Nested guards are savepoints.
#include "database/Transaction.h"

#include "database/DaoException.h"
#include "database/SqliteDatabase.h"

namespace qmk {

Transaction::Transaction(SqliteDatabase& db, bool immediate) : db_(db)
{
    if (db_.transactionDepth_ == 0) {
        db_.execute(immediate ? "BEGIN IMMEDIATE" : "BEGIN");
    } else {
        savepoint_ = "qmk_savepoint_" + std::to_string(db_.transactionDepth_);
        db_.execute("SAVEPOINT " + savepoint_);
    }
    ++db_.transactionDepth_;
}

Transaction::~Transaction()
{
    // A connection closed under the guard has dropped the transaction with it.
    if (!open_ || !db_.isOpen())
        return;
    try {
        if (savepoint_.empty()) {
            db_.execute("ROLLBACK");
        } else {
            db_.execute("ROLLBACK TO " + savepoint_);
            db_.execute("RELEASE " + savepoint_);
        }
    } catch (const DaoException&) {
        // The engine may have rolled back by itself (disk full); nothing is left to undo.
    }
    --db_.transactionDepth_;
}

void Transaction::commit()
{
    if (!open_)
        return;
    db_.execute(savepoint_.empty() ? "COMMIT" : "RELEASE " + savepoint_);
    open_ = false;
    --db_.transactionDepth_;
}

} // namespace qmk
