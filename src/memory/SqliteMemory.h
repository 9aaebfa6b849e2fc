// The embedded translation memory: one SQLite file of this machine. Candidates for a lookup
// come from a trigram index over the texts' normal forms, rarest trigrams first; the score is
// the edit ratio of TextSimilarity.
#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <unordered_map>

#include "database/SqliteDatabase.h"
#include "memory/TranslationMemory.h"

namespace qmk {

class SqliteMemory : public TranslationMemory {
public:
    using Use = MemoryUse;
    // Opens the file, creating it (and its folder) when missing.
    explicit SqliteMemory(const std::filesystem::path& file, Use use = Use::Lookups);

    using TranslationMemory::add;
    void add(const std::vector<MemoryUnit>& units) override;
    void stopAdding() override { stopAdding_ = true; }
    std::vector<MemoryMatch> lookup(std::string_view source, std::string_view sourceLanguage,
                                    std::string_view targetLanguage, int n, int minimumScore) override;
    void forEach(const std::optional<std::string>& targetLanguage,
                 const std::function<void(const MemoryUnit&)>& visit) override;
    std::int64_t size() override;
    std::string projectStamp(const std::string& key) override;
    void setProjectStamp(const std::string& key, const std::string& stamp) override;
    std::string location() const override { return file_.string(); }

private:
    void createSchema();
    void checkSchema();
    // Ids of units sharing the most rare trigrams with the normal form.
    std::vector<std::int64_t> candidates(const std::string& normalised);

    // How many units hold each trigram, read from the index on the first lookup and counted on
    // by this connection's additions. Only the order of rare to common matters, so what other
    // programs add meanwhile may make it inexact without harm.
    void loadTrigramCounts();
    std::unordered_map<std::string, std::int64_t> trigramCounts_;
    bool countsLoaded_ = false;

    std::atomic<bool> stopAdding_ = false;
    std::filesystem::path file_;
    SqliteDatabase db_;
};

} // namespace qmk
