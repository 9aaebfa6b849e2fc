// The shared translation memory: a PostgreSQL database a team works against, with pg_trgm's
// trigram index finding the candidates a lookup scores. Several translators add and look up
// at once; a unit two of them add together is kept once.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "memory/PostgresConnection.h"
#include "memory/TranslationMemory.h"

namespace qmk {

class PostgresMemory : public TranslationMemory {
public:
    // `connection`: a libpq connection string ("postgresql://host/db", "host=/run/x dbname=tm").
    explicit PostgresMemory(const std::string& connection);
    ~PostgresMemory() override;
    PostgresMemory(const PostgresMemory&) = delete;
    PostgresMemory& operator=(const PostgresMemory&) = delete;

    using TranslationMemory::add;
    void add(const std::vector<MemoryUnit>& units) override;
    std::vector<MemoryMatch> lookup(std::string_view source, std::string_view sourceLanguage,
                                    std::string_view targetLanguage, int n, int minimumScore) override;
    void forEach(const std::optional<std::string>& targetLanguage,
                 const std::function<void(const MemoryUnit&)>& visit) override;
    std::int64_t size() override;
    std::string projectStamp(const std::string& key) override;
    void setProjectStamp(const std::string& key, const std::string& stamp) override;
    std::string location() const override { return location_; }

private:
    using Result = PostgresResult;
    Result run(const std::string& sql, const std::vector<std::string>& params = {});
    void execute(const std::string& sql);
    void checkSchema();
    void prepareSession();
    std::vector<MemoryMatch> lookupOnce(std::string_view source, std::string_view sourceLanguage,
                                        std::string_view targetLanguage, int n, int minimumScore);
    void addOnce(const std::vector<MemoryUnit>& units);
    bool mayCleanIndex();  // whether this user may merge the trigram index's pending list
    [[noreturn]] void fail(const std::string& what);

    // Which trigrams are rare, estimated from a sample of the memory's texts: a lookup reads the
    // index for the rarest of its own, as the embedded store does.
    void sampleTrigrams();
    std::unordered_map<std::string, int> sampledTrigrams_;
    double sampleShare_ = 0;  // sampled texts per text of the memory
    bool sampled_ = false;

    PostgresConnection connection_;
    std::string location_;
    double threshold_ = -1;  // the session's trigram similarity threshold
    std::optional<bool> ownsIndex_;
};

} // namespace qmk
