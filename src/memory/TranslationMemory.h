// The translation memory: every translation stored in any project, offered again for texts
// that are the same or alike. One interface over two stores: a file of this machine (SQLite,
// the default) and a database server a team shares (PostgreSQL).
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "memory/MemoryUnit.h"

namespace qmk {

// A store that cannot be opened, is of another schema version or fails during an operation.
class MemoryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a connection to the embedded store is for. Lookups read postings all over the file: it
// is mapped and keeps a large cache. A connection that adds or walks the whole memory (a feed,
// a TMX import or export) goes through a small cache, unmapped, so that it does not hold the
// file in memory. The server's store has one kind of connection.
enum class MemoryUse { Lookups, Adding };

// The schema both stores write; a store written by a newer program is refused.
inline constexpr int kMemorySchemaVersion = 2;

class TranslationMemory {
public:
    virtual ~TranslationMemory() = default;

    // Adds the units in one transaction. A unit already held (same texts, languages, project,
    // resource type and Id) is not added again: its time and review flag become the new ones.
    virtual void add(const std::vector<MemoryUnit>& units) = 0;
    void add(const MemoryUnit& unit) { add(std::vector<MemoryUnit>{unit}); }
    // Called from another thread while add() may run on this connection: the transaction it is
    // in is given up (none of its units stay) and nothing more is added. A store that cannot
    // stop early finishes the transaction.
    virtual void stopAdding() {}

    // The best `n` translations of texts like `source` between the two languages, scoring at
    // least `minimumScore` (see MemoryMatch), best first; among equal scores the newest, and
    // one per distinct translation.
    virtual std::vector<MemoryMatch> lookup(std::string_view source, std::string_view sourceLanguage,
                                            std::string_view targetLanguage, int n, int minimumScore) = 0;

    // Every unit (into one target language when given), oldest first.
    virtual void forEach(const std::optional<std::string>& targetLanguage,
                         const std::function<void(const MemoryUnit&)>& visit) = 0;
    virtual std::int64_t size() = 0;

    // What a project last gave the memory (a fingerprint of its translations under `key`), so
    // that opening it again adds nothing when nothing changed; empty when never.
    virtual std::string projectStamp(const std::string& key) = 0;
    virtual void setProjectStamp(const std::string& key, const std::string& stamp) = 0;

    // Where the memory lives, for messages ("/home/a/.local/share/qmk32/memory.db").
    virtual std::string location() const = 0;
};

// The file of the embedded store: $XDG_DATA_HOME/qmk32/memory.db, else ~/.local/share/qmk32/memory.db.
std::filesystem::path defaultMemoryFile();

// The memory a location names: a "postgresql://" or "postgres://" connection string (or
// key=value connection parameters with "host=" or "dbname=") opens the shared store, anything
// else is the embedded store's file (created with its folder when missing); empty for the
// default file. Throws MemoryError when it cannot be opened.
std::unique_ptr<TranslationMemory> openTranslationMemory(const std::string& location,
                                                         MemoryUse use = MemoryUse::Lookups);
bool isServerLocation(std::string_view location);

// Why the unit cannot enter the memory: a field that is no UTF-8 ("invalid UTF-8 (byte FF) at
// offset 3 in the translation"); empty when it can. Whatever feeds the memory asks this first,
// so that the memory only ever holds (and writes out) UTF-8.
std::string memoryUnitProblem(const MemoryUnit& unit);

// The identity of a unit: equal for units that are the same translation of the same item.
std::string memoryUnitKey(const MemoryUnit& unit);
// Seconds since 1970 now.
std::int64_t memoryNow();

} // namespace qmk
