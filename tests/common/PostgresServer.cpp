#include "common/PostgresServer.h"

#include <libpq-fe.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace qmk::test {
namespace {

std::unique_ptr<PostgresServer>& sharedServer()
{
    static std::unique_ptr<PostgresServer> server;
    return server;
}

std::string quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

// The folder of initdb and pg_ctl: on the PATH, else Debian's versioned folder.
std::filesystem::path serverPrograms()
{
    if (std::system("command -v initdb > /dev/null 2>&1 && command -v pg_ctl > /dev/null 2>&1") == 0)
        return {};
    std::error_code ec;
    std::filesystem::path best;
    for (const auto& entry : std::filesystem::directory_iterator("/usr/lib/postgresql", ec))
        if (std::filesystem::exists(entry.path() / "bin" / "initdb"))
            best = std::max(best, entry.path() / "bin");
    return best;
}

std::string lastLine(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::string last = "no log";
    while (std::getline(in, line))
        if (!line.empty())
            last = line;
    return last;
}

} // namespace

PostgresServer* PostgresServer::shared(std::string& why)
{
    static std::string failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        std::unique_ptr<PostgresServer> server(new PostgresServer());
        if (server->start(failure)) {
            sharedServer() = std::move(server);
            std::atexit(&PostgresServer::stopShared);
        }
    }
    why = failure;
    return sharedServer().get();
}

void PostgresServer::stopShared() { sharedServer().reset(); }

PostgresServer::~PostgresServer() { stop(); }

bool PostgresServer::start(std::string& why)
{
    bin_ = serverPrograms();
    const std::string initdb = bin_.empty() ? "initdb" : quoted(bin_ / "initdb");
    if (bin_.empty() && std::system("command -v initdb > /dev/null 2>&1") != 0) {
        why = "PostgreSQL's initdb is not installed (Debian package postgresql)";
        return false;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "qmkpg-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        why = "no temporary folder for the server";
        return false;
    }
    folder_ = pattern;
    if (geteuid() == 0) {
        const char* user = getpwnam("postgres") ? "postgres" : "nobody";
        const passwd* account = getpwnam(user);
        if (!account || chown(folder_.c_str(), account->pw_uid, account->pw_gid) != 0) {
            why = "no unprivileged user to run the server as";
            return false;
        }
        runAs_ = std::string("runuser -u ") + user + " -- ";
    }
    const std::string init = runAs_ + initdb + " -D " + quoted(folder_ / "data") +
                             " -A trust -U qmk -E UTF8 --locale=C.UTF-8 --no-sync > " + quoted(folder_ / "init.log") + " 2>&1";
    if (std::system(init.c_str()) != 0) {
        why = "initdb failed: " + lastLine(folder_ / "init.log");
        return false;
    }
    const std::string log = quoted(folder_ / "server.log");
    const std::string pgctl = bin_.empty() ? "pg_ctl" : quoted(bin_ / "pg_ctl");
    const std::string launch = runAs_ + pgctl + " -D " + quoted(folder_ / "data") + " -o \"-k " + folder_.string() +
                               " -c listen_addresses='' -c fsync=off -c full_page_writes=off\" -l " + log +
                               " -w -t 60 start > /dev/null 2>&1";
    if (std::system(launch.c_str()) != 0) {
        why = "the server did not start: " + lastLine(folder_ / "server.log");
        return false;
    }
    running_ = true;
    return true;
}

void PostgresServer::stop()
{
    if (running_) {
        const std::string pgctl = bin_.empty() ? "pg_ctl" : quoted(bin_ / "pg_ctl");
        std::system((runAs_ + pgctl + " -D " + quoted(folder_ / "data") + " -w -m fast stop > /dev/null 2>&1").c_str());
        running_ = false;
    }
    if (!folder_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
        folder_.clear();
    }
}

std::string PostgresServer::newDatabase()
{
    const std::string name = "tm" + std::to_string(getpid()) + "_" + std::to_string(++databases_);
    const std::string admin = "host=" + folder_.string() + " user=qmk dbname=postgres";
    PGconn* connection = PQconnectdb(admin.c_str());
    PGresult* result = PQexec(connection, ("CREATE DATABASE " + name).c_str());
    const bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
    const std::string reason = PQerrorMessage(connection);
    PQclear(result);
    PQfinish(connection);
    if (!ok)
        throw std::runtime_error("cannot create a test database: " + reason);
    return "host=" + folder_.string() + " user=qmk dbname=" + name;
}

} // namespace qmk::test
