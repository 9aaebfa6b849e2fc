// A prepared statement borrowed from its connection's cache for one operation.
// Giving it back resets it, so no result set outlives the operation that opened it.
#include "database/Statement.h"

#include <sqlite3.h>

#include <strings.h>

#include "database/DaoException.h"
#include "database/SqliteDatabase.h"
#include "database/StatementEntry.h"

namespace qmk {

Statement::Statement(SqliteDatabase& db, Entry* entry) : db_(&db), entry_(entry) {}

Statement::Statement(Statement&& other) noexcept : db_(other.db_), entry_(other.entry_)
{
    other.entry_ = nullptr;
}

Statement::~Statement()
{
    if (entry_)
        db_->release(entry_);
}

void Statement::check(int rc) const
{
    if (rc != SQLITE_OK)
        db_->fail(rc);
}

int Statement::parameter(std::string_view name) const
{
    for (const auto& [known, index] : entry_->parameters)
        if (known == name)
            return index;
    std::string key;
    key.reserve(name.size() + 1);
    key += ':';
    key += name;
    int index = sqlite3_bind_parameter_index(entry_->stmt, key.c_str());
    if (index == 0)
        db_->fail(SQLITE_RANGE, "unknown query parameter " + key + " in: " + entry_->sql);
    entry_->parameters.emplace_back(std::string(name), index);
    return index;
}

Statement& Statement::bind(std::string_view name, std::int64_t value)
{
    check(sqlite3_bind_int64(entry_->stmt, parameter(name), value));
    return *this;
}

Statement& Statement::bind(std::string_view name, std::string_view text)
{
    check(sqlite3_bind_text(entry_->stmt, parameter(name), text.data(), static_cast<int>(text.size()),
                            SQLITE_TRANSIENT));
    return *this;
}

Statement& Statement::bindTextOrNull(std::string_view name, std::string_view text)
{
    return text.empty() ? bindNull(name) : bind(name, text);
}

Statement& Statement::bindNull(std::string_view name)
{
    check(sqlite3_bind_null(entry_->stmt, parameter(name)));
    return *this;
}

bool Statement::step()
{
    int rc = sqlite3_step(entry_->stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    int code = sqlite3_extended_errcode(sqlite3_db_handle(entry_->stmt));
    std::string description = sqlite3_errmsg(sqlite3_db_handle(entry_->stmt));
    sqlite3_reset(entry_->stmt);
    throw DaoException(code, description);
}

void Statement::execute()
{
    while (step()) {
    }
    reset();
}

void Statement::reset()
{
    sqlite3_reset(entry_->stmt);
    sqlite3_clear_bindings(entry_->stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(entry_->stmt);
}

std::string Statement::columnName(int column) const
{
    const char* name = sqlite3_column_name(entry_->stmt, column);
    return name ? name : "";
}

int Statement::column(std::string_view field) const
{
    if (!entry_->namesKnown) {
        entry_->names.clear();
        for (int i = 0; i < columnCount(); ++i)
            entry_->names.push_back(columnName(i));
        entry_->namesKnown = true;
    }
    for (std::size_t i = 0; i < entry_->names.size(); ++i) {
        const std::string& name = entry_->names[i];
        if (name.size() == field.size() && strncasecmp(name.data(), field.data(), field.size()) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

int Statement::requireColumn(std::string_view field) const
{
    int index = column(field);
    if (index < 0)
        db_->fail(SQLITE_ERROR, "no field " + std::string(field) + " in: " + entry_->sql);
    return index;
}

std::int64_t Statement::integer(int column) const
{
    return sqlite3_column_int64(entry_->stmt, column);
}

std::string Statement::text(int column) const
{
    return std::string(textView(column));
}

std::string_view Statement::textView(int column) const
{
    const unsigned char* bytes = sqlite3_column_text(entry_->stmt, column);
    if (!bytes)
        return {};
    return std::string_view(reinterpret_cast<const char*>(bytes),
                            static_cast<std::size_t>(sqlite3_column_bytes(entry_->stmt, column)));
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(entry_->stmt, column) == SQLITE_NULL;
}

} // namespace qmk
