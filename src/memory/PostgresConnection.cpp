// A connection to the team's server over libpq.
#include "memory/PostgresConnection.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace qmk {

PostgresResult::~PostgresResult()
{
    PQclear(result_);
}

PostgresResult::PostgresResult(PostgresResult&& other) noexcept : result_(std::exchange(other.result_, nullptr)) {}

int PostgresResult::rows() const
{
    return PQntuples(result_);
}

std::string PostgresResult::text(int row, int column) const
{
    return std::string(PQgetvalue(result_, row, column), static_cast<std::size_t>(PQgetlength(result_, row, column)));
}

std::int64_t PostgresResult::integer(int row, int column) const
{
    return std::strtoll(PQgetvalue(result_, row, column), nullptr, 10);
}

std::int64_t PostgresResult::affected() const
{
    return std::strtoll(PQcmdTuples(result_), nullptr, 10);
}

PostgresConnection::PostgresConnection(const std::string& connection, std::string server, Raise raise,
                                       std::function<void()> session)
    : server_(std::move(server)), raise_(std::move(raise)), session_(std::move(session))
{
    // A server that does not answer is given up after ten seconds rather than the system's
    // minutes, unless the connection names its own timeout (given later, it wins).
    const char* const keywords[] = {"connect_timeout", "dbname", nullptr};
    const char* const values[] = {"10", connection.c_str(), nullptr};
    connection_ = PQconnectdbParams(keywords, values, 1);
    if (PQstatus(connection_) != CONNECTION_OK) {
        const std::string reason = PQerrorMessage(connection_);
        PQfinish(connection_);
        connection_ = nullptr;
        raise_(server_ + " " + connection + ": " + reason);
        throw std::logic_error("a store's raise returned");
    }
    try {
        setUp();
    } catch (...) {
        PQfinish(connection_);
        connection_ = nullptr;
        throw;
    }
}

void PostgresConnection::setUp()
{
    PQsetClientEncoding(connection_, "UTF8");
    execute("SET client_min_messages = warning");
}

PostgresConnection::~PostgresConnection()
{
    if (connection_)
        PQfinish(connection_);
}

void PostgresConnection::fail(const std::string& what)
{
    std::string reason = PQerrorMessage(connection_);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == ' '))
        reason.pop_back();
    raise_(server_ + ": " + what + ": " + reason);
    throw std::logic_error("a store's raise returned");
}

bool PostgresConnection::broken() const
{
    return PQstatus(connection_) == CONNECTION_BAD;
}

PostgresResult PostgresConnection::run(const std::string& sql, const std::vector<std::string>& params)
{
    // A server restarted (or a connection dropped by it) is connected to again, once per
    // statement: a team's server going away overnight does not end a translator's session.
    if (broken()) {
        PQreset(connection_);
        if (PQstatus(connection_) != CONNECTION_OK)
            fail("connection");
        setUp();
        if (session_)
            session_();
    }
    std::vector<const char*> values;
    for (const std::string& param : params)
        values.push_back(param.c_str());
    PostgresResult result(params.empty() ? PQexec(connection_, sql.c_str())
                                         : PQexecParams(connection_, sql.c_str(), static_cast<int>(values.size()),
                                                        nullptr, values.data(), nullptr, nullptr, 0));
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK && status != PGRES_COPY_IN)
        fail(sql.substr(0, sql.find_first_of(" \n")));
    return result;
}

void PostgresConnection::rollback() noexcept
{
    PQclear(PQexec(connection_, "ROLLBACK"));
}

} // namespace qmk
