// The engine layer over SQLite's C API: opening with the caller's choices, a cache of
// prepared statements per connection, field lists and run-time column changes.
#include "database/SqliteDatabase.h"

#include <sqlite3.h>

#include <system_error>

#include "database/DaoException.h"
#include "database/StatementEntry.h"

namespace qmk {

namespace {

// How long a statement waits for another process's lock before failing.
constexpr int BusyTimeoutMs = 5000;

const char* declaredType(ColumnType type)
{
    switch (type) {
    case ColumnType::Text:
        return "TEXT";
    case ColumnType::Byte:
        return "INTEGER DEFAULT 0";
    case ColumnType::Long:
    case ColumnType::Integer:
        break;
    }
    return "INTEGER";
}

} // namespace

std::string quoteIdentifier(std::string_view name)
{
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

SqliteDatabase::SqliteDatabase() = default;

SqliteDatabase::~SqliteDatabase()
{
    close();
}

void removeDatabaseFile(const std::filesystem::path& file)
{
    std::error_code ec;
    std::filesystem::remove(file, ec);
    std::filesystem::path journal = file;
    journal += "-journal";
    std::filesystem::remove(journal, ec);
}

void SqliteDatabase::open(const std::filesystem::path& path, const OpenMode& mode)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        fail(SQLITE_CANTOPEN, "database file not found: " + path.string());
    openWithFlags(path, mode.readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE, mode);
}

void SqliteDatabase::create(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::exists(path, ec))
        fail(SQLITE_CANTOPEN, "database file already exists: " + path.string());
    openWithFlags(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, OpenMode{false, false, false});
}

void SqliteDatabase::openWithFlags(const std::filesystem::path& path, int flags, const OpenMode& mode)
{
    close();
    sqlite3* db = nullptr;
    // One connection is used by one thread at a time: no engine mutex needed.
    int rc = sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        int code = db ? sqlite3_extended_errcode(db) : rc;
        std::string description = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close_v2(db);
        throw DaoException(code, description + ": " + path.string());
    }
    db_ = db;
    path_ = path;
    readOnly_ = (flags & SQLITE_OPEN_READONLY) != 0;
    try {
        configure(mode);
    } catch (const DaoException& e) {
        close();
        throw DaoException(e.code(), e.description() + ": " + path.string());
    }
}

void SqliteDatabase::configure(const OpenMode& mode)
{
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, BusyTimeoutMs);
    if (mode.exclusive)
        execute("PRAGMA locking_mode = EXCLUSIVE");
    // Reading the schema is the first access to the file: a foreign file fails here.
    execute("SELECT count(*) FROM sqlite_master");
    if (mode.verify)
        verifyIntegrity();
}

void SqliteDatabase::verifyIntegrity()
{
    std::string verdict;
    {
        Statement check = prepare("PRAGMA quick_check(1)");
        if (check.step())
            verdict = check.text(0);
    }
    dropStatementCache();
    if (verdict != "ok")
        fail(SQLITE_CORRUPT, "database disk image is malformed (" + verdict + ")");
}

void SqliteDatabase::close()
{
    if (!db_)
        return;
    for (auto& [sql, entry] : cache_)
        sqlite3_finalize(entry->stmt);
    cache_.clear();
    for (auto& entry : detached_)
        sqlite3_finalize(entry->stmt);
    detached_.clear();
    sqlite3_close_v2(db_);
    db_ = nullptr;
    transactionDepth_ = 0;
    path_.clear();
}

Statement SqliteDatabase::prepare(std::string_view sql)
{
    if (!db_)
        fail(SQLITE_MISUSE, "database is not open");
    std::string key(sql);
    auto found = cache_.find(key);
    if (found != cache_.end() && !found->second->inUse) {
        found->second->inUse = true;
        return Statement(*this, found->second.get());
    }
    auto entry = std::make_unique<Statement::Entry>();
    entry->sql = key;
    int rc = sqlite3_prepare_v3(db_, key.c_str(), static_cast<int>(key.size()), SQLITE_PREPARE_PERSISTENT,
                                &entry->stmt, nullptr);
    if (rc != SQLITE_OK) {
        int code = sqlite3_extended_errcode(db_);
        std::string description = std::string(sqlite3_errmsg(db_)) + " in: " + key;
        sqlite3_finalize(entry->stmt);
        throw DaoException(code, description);
    }
    entry->inUse = true;
    Statement::Entry* raw = entry.get();
    if (found == cache_.end()) {
        cache_.emplace(std::move(key), std::move(entry));
    } else {
        entry->cached = false;
        detached_.push_back(std::move(entry));
    }
    return Statement(*this, raw);
}

void SqliteDatabase::release(Statement::Entry* entry)
{
    if (entry->cached) {
        sqlite3_reset(entry->stmt);
        sqlite3_clear_bindings(entry->stmt);
        entry->inUse = false;
        return;
    }
    for (auto it = detached_.begin(); it != detached_.end(); ++it) {
        if (it->get() == entry) {
            sqlite3_finalize(entry->stmt);
            detached_.erase(it);
            return;
        }
    }
}

void SqliteDatabase::dropStatementCache()
{
    for (auto& [sql, entry] : cache_) {
        if (entry->inUse) {
            entry->cached = false;
            detached_.push_back(std::move(entry));
        } else {
            sqlite3_finalize(entry->stmt);
        }
    }
    cache_.clear();
}

void SqliteDatabase::execute(std::string_view sql)
{
    if (!db_)
        fail(SQLITE_MISUSE, "database is not open");
    std::string text(sql);
    char* error = nullptr;
    int rc = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        std::string description = error ? error : sqlite3_errstr(rc);
        sqlite3_free(error);
        throw DaoException(sqlite3_extended_errcode(db_), description);
    }
}

std::vector<std::string> SqliteDatabase::fields(std::string_view table)
{
    std::vector<std::string> names;
    Statement info = prepare("SELECT name FROM pragma_table_info(:table) ORDER BY cid");
    info.bind("table", table);
    while (info.step())
        names.push_back(info.text(0));
    return names;
}

std::string SqliteDatabase::fieldType(std::string_view table, std::string_view field)
{
    Statement info = prepare("SELECT upper(type) FROM pragma_table_info(:table) WHERE name = :field COLLATE NOCASE");
    info.bind("table", table).bind("field", field);
    return info.step() ? info.text(0) : std::string();
}

bool SqliteDatabase::fieldExists(std::string_view table, std::string_view field)
{
    Statement info = prepare("SELECT 1 FROM pragma_table_info(:table) WHERE name = :field COLLATE NOCASE");
    info.bind("table", table).bind("field", field);
    return info.step();
}

bool SqliteDatabase::tableExists(std::string_view table)
{
    Statement info = prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = :table COLLATE NOCASE");
    info.bind("table", table);
    return info.step();
}

void SqliteDatabase::addColumn(std::string_view table, std::string_view field, ColumnType type)
{
    dropStatementCache();
    execute("ALTER TABLE " + quoteIdentifier(table) + " ADD COLUMN " + quoteIdentifier(field) + " " +
            declaredType(type));
}

void SqliteDatabase::renameColumn(std::string_view table, std::string_view field, std::string_view newName)
{
    dropStatementCache();
    execute("ALTER TABLE " + quoteIdentifier(table) + " RENAME COLUMN " + quoteIdentifier(field) + " TO " +
            quoteIdentifier(newName));
}

void SqliteDatabase::dropColumn(std::string_view table, std::string_view field)
{
    std::vector<std::string> indexes;
    {
        Statement list = prepare("SELECT il.name FROM pragma_index_list(:table) AS il, pragma_index_info(il.name) AS ii "
                                 "WHERE ii.name = :field COLLATE NOCASE AND il.origin = 'c'");
        list.bind("table", table).bind("field", field);
        while (list.step())
            indexes.push_back(list.text(0));
    }
    dropStatementCache();
    for (const std::string& index : indexes)
        execute("DROP INDEX " + quoteIdentifier(index));
    execute("ALTER TABLE " + quoteIdentifier(table) + " DROP COLUMN " + quoteIdentifier(field));
}

std::int64_t SqliteDatabase::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(db_);
}

int SqliteDatabase::changes() const
{
    return sqlite3_changes(db_);
}

void SqliteDatabase::fail(int rc) const
{
    if (db_ && sqlite3_errcode(db_) != SQLITE_OK)
        throw DaoException(sqlite3_extended_errcode(db_), sqlite3_errmsg(db_));
    throw DaoException(rc, sqlite3_errstr(rc));
}

void SqliteDatabase::fail(int rc, const std::string& description) const
{
    throw DaoException(rc, description);
}

} // namespace qmk
