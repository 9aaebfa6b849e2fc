// The shared glossary: tables on the team's PostgreSQL server, in the same database as the
// shared translation memory.
#pragma once

#include <string>

#include "memory/Glossary.h"
#include "memory/PostgresConnection.h"

namespace qmk {

class PostgresGlossary : public Glossary {
public:
    // `connection`: a libpq connection string, as the shared memory takes it.
    explicit PostgresGlossary(const std::string& connection);
    PostgresGlossary(const PostgresGlossary&) = delete;
    PostgresGlossary& operator=(const PostgresGlossary&) = delete;

    void add(const std::vector<GlossaryEntry>& entries) override;
    void forEach(const std::optional<std::string>& language,
                 const std::function<void(const GlossaryEntry&)>& visit) override;
    std::int64_t size() override;
    bool remove(std::string_view term, std::string_view language) override;
    std::string location() const override { return location_; }

private:
    void checkSchema();

    PostgresConnection connection_;
    std::string location_;
};

} // namespace qmk
