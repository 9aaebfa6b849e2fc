// The two translation-memory stores as the shared test suite and the benchmarks open them:
// each makes a fresh, empty store and opens further connections to it.
#pragma once

#include <memory>
#include <string>

#include "common/PostgresServer.h"
#include "common/TempDir.h"
#include "memory/PostgresMemory.h"
#include "memory/SqliteMemory.h"

namespace qmk::test {

struct EmbeddedStore {
    static constexpr const char* name = "embedded";
    TempDir dir;
    // Empty: the store can be made here.
    std::string unavailable() { return {}; }
    std::string location() { return (dir / "memory.db").string(); }
    std::unique_ptr<TranslationMemory> open() { return std::make_unique<SqliteMemory>(location()); }
};

struct SharedStore {
    static constexpr const char* name = "shared";
    std::string connection;
    std::string unavailable()
    {
        std::string why;
        PostgresServer* server = PostgresServer::shared(why);
        if (!server)
            return "PostgreSQL test server not started: " + why;
        if (connection.empty())
            connection = server->newDatabase();
        return {};
    }
    std::string location() { return connection; }
    std::unique_ptr<TranslationMemory> open() { return std::make_unique<PostgresMemory>(connection); }
};

} // namespace qmk::test
