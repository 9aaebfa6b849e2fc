// The engine layer: one open SQLite project file with its cache of prepared statements,
// field lists and the adding and dropping of columns while the file is open.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/Statement.h"

struct sqlite3;

namespace qmk {

struct OpenMode {
    bool exclusive = false;  // hold the file's lock for as long as it is open
    bool readOnly = false;
    bool verify = true;      // run the engine's integrity check before accepting the file
};

// Physical column types the project tables use.
enum class ColumnType { Long, Integer, Byte, Text };

// Removes a database file that is not open, with the rollback journal a crash may have left.
void removeDatabaseFile(const std::filesystem::path& file);

class SqliteDatabase {
public:
    SqliteDatabase();
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    // Opens an existing database file; a missing, foreign or damaged file throws and is left untouched.
    void open(const std::filesystem::path& path, const OpenMode& mode = {});
    // Creates a new, empty database file; an existing file of that name is an error.
    void create(const std::filesystem::path& path);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    bool isReadOnly() const { return readOnly_; }
    const std::filesystem::path& path() const { return path_; }

    // A statement from the cache (prepared on first use). A statement still in use by an
    // enclosing operation is not shared: a private one is prepared instead.
    Statement prepare(std::string_view sql);
    // Runs SQL without parameters or results (schema statements).
    void execute(std::string_view sql);

    std::vector<std::string> fields(std::string_view table);
    bool fieldExists(std::string_view table, std::string_view field);
    bool tableExists(std::string_view table);
    // Declared type of a field, upper case ("INTEGER", "TEXT"); empty when absent.
    std::string fieldType(std::string_view table, std::string_view field);
    void addColumn(std::string_view table, std::string_view field, ColumnType type);
    // Drops a column; indexes on it are dropped first, since the engine refuses otherwise.
    void dropColumn(std::string_view table, std::string_view field);
    void renameColumn(std::string_view table, std::string_view field, std::string_view newName);

    std::int64_t lastInsertRowId() const;
    int changes() const;

    // Throws the connection's current error, or one with the given code when there is none.
    [[noreturn]] void fail(int rc) const;
    [[noreturn]] void fail(int rc, const std::string& description) const;

private:
    friend class Statement;
    friend class Transaction;

    void openWithFlags(const std::filesystem::path& path, int flags, const OpenMode& mode);
    void configure(const OpenMode& mode);
    void verifyIntegrity();
    // Forgets every cached statement; needed after a change of table layout.
    void dropStatementCache();
    void release(Statement::Entry* entry);

    sqlite3* db_ = nullptr;
    std::filesystem::path path_;
    bool readOnly_ = false;
    int transactionDepth_ = 0;
    std::unordered_map<std::string, std::unique_ptr<Statement::Entry>> cache_;
    std::vector<std::unique_ptr<Statement::Entry>> detached_;  // in use while the cache was dropped, or uncached
};

// Quotes an identifier for SQL text, doubling any quote inside it.
std::string quoteIdentifier(std::string_view name);

} // namespace qmk
