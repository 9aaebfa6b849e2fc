// Raw SQLite bulk insert of a project's rows.
#include "support/RawInsert.h"

#include <sqlite3.h>

#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace qmk::bench {

using Value = std::variant<std::monostate, long long, std::string>;

struct RawInsert::Data {
    std::vector<std::string> schema;  // CREATE TABLE / INDEX statements
    struct Table {
        std::string name;
        int columns = 0;
        std::vector<std::vector<Value>> rows;
    };
    std::vector<Table> tables;
};

namespace {

void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

std::string sqlName(const std::string& name)
{
    return "\"" + name + "\"";
}

} // namespace

RawInsert::RawInsert(const std::filesystem::path& builtProject) : data_(std::make_unique<Data>())
{
    sqlite3* db = nullptr;
    check(sqlite3_open_v2(builtProject.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), db);
    sqlite3_stmt* st = nullptr;
    check(sqlite3_prepare_v2(db, "SELECT type, name, sql FROM sqlite_master WHERE sql IS NOT NULL "
                                 "AND name NOT LIKE 'sqlite_%' ORDER BY type DESC", -1, &st, nullptr), db);
    while (sqlite3_step(st) == SQLITE_ROW) {
        data_->schema.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 2)));
        if (std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) == "table")
            data_->tables.push_back({reinterpret_cast<const char*>(sqlite3_column_text(st, 1)), 0, {}});
    }
    sqlite3_finalize(st);
    for (Data::Table& table : data_->tables) {
        check(sqlite3_prepare_v2(db, ("SELECT * FROM " + sqlName(table.name)).c_str(), -1, &st, nullptr), db);
        table.columns = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::vector<Value> row;
            for (int c = 0; c < table.columns; ++c) {
                switch (sqlite3_column_type(st, c)) {
                case SQLITE_NULL: row.emplace_back(std::monostate{}); break;
                case SQLITE_INTEGER: row.emplace_back(static_cast<long long>(sqlite3_column_int64(st, c))); break;
                default: row.emplace_back(std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, c))));
                }
            }
            table.rows.push_back(std::move(row));
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
}

RawInsert::~RawInsert() = default;

long RawInsert::insertInto(const std::filesystem::path& target) const
{
    std::filesystem::remove(target);
    sqlite3* db = nullptr;
    check(sqlite3_open(target.c_str(), &db), db);
    for (const std::string& sql : data_->schema)
        check(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), db);
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    long count = 0;
    for (const Data::Table& table : data_->tables) {
        std::string sql = "INSERT INTO " + sqlName(table.name) + " VALUES (";
        for (int c = 0; c < table.columns; ++c)
            sql += c ? ", ?" : "?";
        sql += ")";
        sqlite3_stmt* st = nullptr;
        check(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), db);
        for (const auto& row : table.rows) {
            for (int c = 0; c < table.columns; ++c) {
                const Value& v = row[static_cast<std::size_t>(c)];
                if (const auto* n = std::get_if<long long>(&v))
                    sqlite3_bind_int64(st, c + 1, *n);
                else if (const auto* s = std::get_if<std::string>(&v))
                    sqlite3_bind_text(st, c + 1, s->data(), static_cast<int>(s->size()), SQLITE_STATIC);
                else
                    sqlite3_bind_null(st, c + 1);
            }
            check(sqlite3_step(st), db);
            sqlite3_reset(st);
            ++count;
        }
        sqlite3_finalize(st);
    }
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
    return count;
}

} // namespace qmk::bench
