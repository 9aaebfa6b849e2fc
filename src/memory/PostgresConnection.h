// One connection to a team's PostgreSQL server, as the shared memory and the shared glossary
// hold it: given up after ten seconds when the server does not answer, connected again (once
// per statement) when the server dropped it, and every failure turned into the store's own
// error with the server's reason.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct pg_conn;
struct pg_result;

namespace qmk {

// A statement's result, cleared when it goes.
class PostgresResult {
public:
    explicit PostgresResult(pg_result* result) : result_(result) {}
    ~PostgresResult();
    PostgresResult(PostgresResult&& other) noexcept;
    PostgresResult(const PostgresResult&) = delete;
    PostgresResult& operator=(const PostgresResult&) = delete;
    PostgresResult& operator=(PostgresResult&&) = delete;

    int rows() const;
    std::string text(int row, int column) const;
    std::int64_t integer(int row, int column) const;
    // The rows a DELETE or UPDATE touched.
    std::int64_t affected() const;
    pg_result* get() const { return result_; }

private:
    pg_result* result_;
};

class PostgresConnection {
public:
    // Throws the store's error (never returns) with the message given.
    using Raise = std::function<void(const std::string& message)>;

    // `connection`: a libpq connection string; `server` names the store in messages
    // ("glossary server"); `session` is what the store sets up in a session made anew after the
    // server dropped one (the first session's it sets up itself). Every session talks UTF-8 and
    // hears only warnings. Raises "<server> <connection>: <reason>" when no connection is made.
    PostgresConnection(const std::string& connection, std::string server, Raise raise,
                       std::function<void()> session = {});
    ~PostgresConnection();
    PostgresConnection(const PostgresConnection&) = delete;
    PostgresConnection& operator=(const PostgresConnection&) = delete;

    // Runs a statement (with $1, $2... parameters when given); raises
    // "<server>: <the statement's first word>: <reason>" when it fails.
    PostgresResult run(const std::string& sql, const std::vector<std::string>& params = {});
    void execute(const std::string& sql, const std::vector<std::string>& params = {}) { run(sql, params); }
    // Ends the transaction under way, whatever state it is in.
    void rollback() noexcept;
    // Raises "<server>: <what>: <the connection's last error>".
    [[noreturn]] void fail(const std::string& what);
    bool broken() const;
    pg_conn* get() const { return connection_; }

private:
    void setUp();

    pg_conn* connection_ = nullptr;
    std::string server_;
    Raise raise_;
    std::function<void()> session_;
};

} // namespace qmk
