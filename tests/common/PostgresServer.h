// A throw-away PostgreSQL server for tests and benchmarks: initdb into a temporary folder, the
// server listening only on a Unix socket there, stopped and removed at the end. Run as root,
// the server runs as an unprivileged user, since PostgreSQL refuses to run as root.
#pragma once

#include <filesystem>
#include <string>

namespace qmk::test {

class PostgresServer {
public:
    // The server of this process, started on first use; null with the reason in `why` when it
    // cannot start here (no PostgreSQL installed, no user to run it as).
    static PostgresServer* shared(std::string& why);
    // Stops the shared server (at the end of the test program).
    static void stopShared();

    // A connection string to a new, empty database of the server.
    std::string newDatabase();
    const std::filesystem::path& folder() const { return folder_; }

    ~PostgresServer();

private:
    PostgresServer() = default;
    bool start(std::string& why);
    void stop();

    std::filesystem::path folder_;
    std::filesystem::path bin_;
    std::string runAs_;  // prefix that runs a server program as the unprivileged user
    bool running_ = false;
    int databases_ = 0;
};

} // namespace qmk::test
