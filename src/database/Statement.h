// A prepared statement borrowed from its connection's cache for one operation:
// parameters are bound by name, rows read by field name or position, null reads as 0 or "".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3_stmt;

namespace qmk {

class SqliteDatabase;

class Statement {
public:
    struct Entry;  // cache slot owned by the connection

    Statement(SqliteDatabase& db, Entry* entry);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Parameters are named as in the query text without the leading colon.
    Statement& bind(std::string_view name, std::int64_t value);
    Statement& bind(std::string_view name, std::string_view text);
    Statement& bind(std::string_view name, const char* text) { return bind(name, std::string_view(text)); }
    Statement& bind(std::string_view name, const std::string& text) { return bind(name, std::string_view(text)); }
    // Binds null for an empty text: fields "written only when not empty" stay null.
    Statement& bindTextOrNull(std::string_view name, std::string_view text);
    Statement& bindNull(std::string_view name);

    // Moves to the next row; false past the end.
    bool step();
    // Runs a statement that returns no rows, then makes it ready for the next use.
    void execute();
    // Makes the statement ready to run again with new parameters.
    void reset();

    int columnCount() const;
    std::string columnName(int column) const;
    // Position of a result field (names compared ignoring case as the engine does); -1 when absent.
    int column(std::string_view field) const;
    bool hasField(std::string_view field) const { return column(field) >= 0; }

    std::int64_t integer(int column) const;
    std::string text(int column) const;
    // The field's bytes without a copy; valid until the next step or reset.
    std::string_view textView(int column) const;
    bool isNull(int column) const;

    // Field by name; a field the row does not have is an error.
    std::int64_t integer(std::string_view field) const { return integer(requireColumn(field)); }
    int intField(std::string_view field) const { return static_cast<int>(integer(field)); }
    bool flag(std::string_view field) const { return integer(field) != 0; }
    std::string text(std::string_view field) const { return text(requireColumn(field)); }
    std::string text(const char* field) const { return text(requireColumn(field)); }
    bool isNull(std::string_view field) const { return isNull(requireColumn(field)); }

private:
    int requireColumn(std::string_view field) const;
    int parameter(std::string_view name) const;
    void check(int rc) const;

    SqliteDatabase* db_;
    Entry* entry_;
};

} // namespace qmk
