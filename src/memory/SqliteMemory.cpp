// The embedded store over the project files' SQLite engine layer.
#include "memory/SqliteMemory.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "database/DaoException.h"
#include "database/Statement.h"
#include "database/Transaction.h"
#include "memory/MemoryMatches.h"
#include "memory/TextSimilarity.h"

namespace qmk {
namespace {

// A lookup reads the postings of its rarest trigrams (at most this many trigrams, up to about
// this many rows: a text alike enough to be offered shares most of its rare trigrams, so these
// find it however large the memory grows) and scores the units sharing the most of them.
constexpr std::int64_t kPostingBudget = 30000;
constexpr std::size_t kRareTrigrams = 16;
constexpr std::size_t kScoredCandidates = 200;
// The page cache of a connection that only adds, in KiB: enough for the index's pages one
// transaction touches.
constexpr int kAddingCacheKib = 4096;

const char* const kSchema = R"sql(
CREATE TABLE IF NOT EXISTS tm_meta (key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS tm_unit (
  id INTEGER PRIMARY KEY,
  unit_key TEXT NOT NULL UNIQUE,
  source TEXT NOT NULL,
  target TEXT NOT NULL,
  source_language TEXT NOT NULL,
  target_language TEXT NOT NULL,
  project TEXT NOT NULL,
  resource_type TEXT NOT NULL,
  resource_id TEXT NOT NULL,
  added INTEGER NOT NULL,
  flagged INTEGER NOT NULL,
  norm TEXT NOT NULL,
  norm_hash INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS tm_unit_exact ON tm_unit (norm_hash);
CREATE VIRTUAL TABLE IF NOT EXISTS tm_fts USING fts5(norm, content='', detail=none, tokenize='trigram');
CREATE VIRTUAL TABLE IF NOT EXISTS tm_vocab USING fts5vocab(tm_fts, 'row');
DROP TRIGGER IF EXISTS tm_unit_indexed;
CREATE TABLE IF NOT EXISTS tm_project (key TEXT PRIMARY KEY, stamp TEXT NOT NULL);
)sql";

const char* const kUnitFields =
    "id, source, target, source_language, target_language, project, resource_type, resource_id, added, flagged, norm";

MemoryUnit readUnit(const Statement& row)
{
    MemoryUnit unit;
    unit.source = row.text(1);
    unit.target = row.text(2);
    unit.sourceLanguage = row.text(3);
    unit.targetLanguage = row.text(4);
    unit.project = row.text(5);
    unit.resourceType = row.text(6);
    unit.resourceId = row.text(7);
    unit.time = row.integer(8);
    unit.flagged = row.integer(9) != 0;
    return unit;
}

std::string ftsPhrase(const std::string& gram)
{
    std::string phrase = "\"";
    for (char c : gram) {
        if (c == '"')
            phrase += '"';
        phrase += c;
    }
    return phrase + "\"";
}

template <typename Body>
auto guarded(const std::filesystem::path& file, Body body)
{
    try {
        return body();
    } catch (const DaoException& error) {
        throw MemoryError("translation memory " + file.string() + ": " + error.description());
    }
}

} // namespace

SqliteMemory::SqliteMemory(const std::filesystem::path& file, Use use) : file_(file)
{
    guarded(file_, [&] {
        std::error_code ec;
        if (file_.has_parent_path())
            std::filesystem::create_directories(file_.parent_path(), ec);
        if (std::filesystem::exists(file_, ec)) {
            db_.open(file_, OpenMode{false, false, false});
        } else {
            try {
                db_.create(file_);
            } catch (const DaoException&) {
                db_.open(file_, OpenMode{false, false, false});  // another process created it first
            }
        }
        // Several programs may read while one writes. The mode stays with the file; changing it
        // needs the file to itself, so only its creator (or the first to find it unset) does.
        bool wal = false;
        {
            Statement mode = db_.prepare("PRAGMA journal_mode");
            wal = mode.step() && mode.text(0) == "wal";
        }
        if (!wal)
            db_.execute("PRAGMA journal_mode = WAL");
        db_.execute("PRAGMA synchronous = NORMAL");
        if (use == Use::Lookups) {
            db_.execute("PRAGMA mmap_size = 1073741824");
            db_.execute("PRAGMA cache_size = -65536");
        } else {
            db_.execute("PRAGMA mmap_size = 0");
            db_.execute("PRAGMA cache_size = -" + std::to_string(kAddingCacheKib));
        }
        checkSchema();
    });
}

void SqliteMemory::checkSchema()
{
    if (!db_.tableExists("tm_meta")) {
        bool foreign = false;
        {
            Statement tables = db_.prepare("SELECT count(*) FROM sqlite_master WHERE name NOT LIKE 'tm\\_%' ESCAPE '\\'"
                                           " AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'");
            foreign = tables.step() && tables.integer(0) > 0;
        }
        if (foreign)
            throw MemoryError(file_.string() + " is no translation memory");
        createSchema();
        return;
    }
    Statement version = db_.prepare("SELECT value FROM tm_meta WHERE key = 'schema'");
    const int found = version.step() ? std::atoi(version.text(0).c_str()) : 0;
    if (found > kMemorySchemaVersion)
        throw MemoryError("translation memory " + file_.string() + " was written by a newer Quillmark (schema " +
                          std::to_string(found) + ", this one reads " + std::to_string(kMemorySchemaVersion) + ")");
    if (found < kMemorySchemaVersion)
        createSchema();
}

void SqliteMemory::createSchema()
{
    Transaction transaction(db_, true);
    db_.execute(kSchema);
    Statement version = db_.prepare("INSERT OR REPLACE INTO tm_meta (key, value) VALUES ('schema', :version)");
    version.bind("version", std::to_string(kMemorySchemaVersion)).execute();
    transaction.commit();
}

void SqliteMemory::add(const std::vector<MemoryUnit>& units)
{
    if (units.empty() || stopAdding_)
        return;
    guarded(file_, [&] {
        Transaction transaction(db_, true);
        Statement insert = db_.prepare(
            "INSERT INTO tm_unit (unit_key, source, target, source_language, target_language, project, resource_type,"
            " resource_id, added, flagged, norm, norm_hash) VALUES (:key, :source, :target, :sl, :tl, :project,"
            " :type, :id, :added, :flagged, :norm, :hash) ON CONFLICT (unit_key) DO NOTHING");
        Statement refresh = db_.prepare("UPDATE tm_unit SET added = :added, flagged = :flagged WHERE unit_key = :key");
        // Indexed by a statement of its own, not by a trigger: a trigger makes the index write
        // each row out as a segment of its own, which made a large import three times slower.
        Statement index = db_.prepare("INSERT INTO tm_fts (rowid, norm) VALUES (:id, :norm)");
        for (const MemoryUnit& unit : units) {
            if (stopAdding_)
                return;  // the transaction is rolled back
            const std::string norm = normaliseForMemory(unit.source);
            const std::string key = memoryUnitKey(unit);
            const std::int64_t added = unit.time ? unit.time : memoryNow();
            const auto flagged = static_cast<std::int64_t>(unit.flagged);
            insert.bind("key", key)
                .bind("source", unit.source)
                .bind("target", unit.target)
                .bind("sl", unit.sourceLanguage)
                .bind("tl", unit.targetLanguage)
                .bind("project", unit.project)
                .bind("type", unit.resourceType)
                .bind("id", unit.resourceId)
                .bind("added", added)
                .bind("flagged", flagged)
                .bind("norm", norm)
                .bind("hash", textHash(norm));
            insert.execute();
            if (db_.changes() == 0) {
                refresh.bind("added", added).bind("flagged", flagged).bind("key", key).execute();
                continue;
            }
            index.bind("id", db_.lastInsertRowId()).bind("norm", norm).execute();
            if (countsLoaded_)
                for (const std::string& gram : trigramsOf(norm))
                    ++trigramCounts_[gram];
        }
        transaction.commit();
    });
}

void SqliteMemory::loadTrigramCounts()
{
    trigramCounts_.clear();
    Statement vocabulary = db_.prepare("SELECT term, doc FROM tm_vocab");
    while (vocabulary.step())
        trigramCounts_.emplace(vocabulary.text(0), vocabulary.integer(1));
    countsLoaded_ = true;
}

std::vector<std::int64_t> SqliteMemory::candidates(const std::string& normalised)
{
    const std::vector<std::string> grams = trigramsOf(normalised);
    if (grams.empty())
        return {};
    if (!countsLoaded_)
        loadTrigramCounts();
    std::vector<std::pair<std::int64_t, const std::string*>> counted;
    for (const std::string& gram : grams) {
        const auto found = trigramCounts_.find(gram);
        if (found != trigramCounts_.end() && found->second > 0)
            counted.emplace_back(found->second, &gram);
    }
    std::sort(counted.begin(), counted.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::unordered_map<std::int64_t, int> hits;
    std::int64_t read = 0;
    Statement postings = db_.prepare("SELECT rowid FROM tm_fts WHERE tm_fts MATCH :phrase");
    for (std::size_t k = 0; k < counted.size() && k < kRareTrigrams; ++k) {
        if (k > 0 && read + counted[k].first > kPostingBudget)
            break;
        read += counted[k].first;
        postings.bind("phrase", ftsPhrase(*counted[k].second));
        while (postings.step())
            ++hits[postings.integer(0)];
        postings.reset();
    }
    std::vector<std::pair<int, std::int64_t>> ranked;
    ranked.reserve(hits.size());
    for (const auto& [id, count] : hits)
        ranked.emplace_back(count, id);
    const std::size_t keep = std::min(ranked.size(), kScoredCandidates);
    std::partial_sort(ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(keep), ranked.end(),
                      [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::int64_t> ids;
    for (std::size_t k = 0; k < keep; ++k)
        ids.push_back(ranked[k].second);
    return ids;
}

std::vector<MemoryMatch> SqliteMemory::lookup(std::string_view source, std::string_view sourceLanguage,
                                              std::string_view targetLanguage, int n, int minimumScore)
{
    return guarded(file_, [&] {
        MemoryMatches matches{std::string(source), n, minimumScore};
        std::unordered_set<std::int64_t> seen;
        auto consider = [&](Statement& row) {
            if (!seen.insert(row.integer(0)).second)
                return;
            if (!sameLanguageTag(row.textView(3), sourceLanguage) || !sameLanguageTag(row.textView(4), targetLanguage))
                return;
            matches.consider(readUnit(row), row.text(10));
        };
        {
            Statement exact = db_.prepare(std::string("SELECT ") + kUnitFields + " FROM tm_unit WHERE norm_hash = :hash");
            exact.bind("hash", textHash(matches.normalised()));
            while (exact.step())
                consider(exact);
        }
        if (minimumScore < 100) {
            Statement unit = db_.prepare(std::string("SELECT ") + kUnitFields + " FROM tm_unit WHERE id = :id");
            for (std::int64_t id : candidates(matches.normalised())) {
                if (seen.count(id))
                    continue;
                unit.bind("id", id);
                if (unit.step())
                    consider(unit);
                unit.reset();
            }
        }
        return matches.take();
    });
}

void SqliteMemory::forEach(const std::optional<std::string>& targetLanguage,
                           const std::function<void(const MemoryUnit&)>& visit)
{
    guarded(file_, [&] {
        Statement all = db_.prepare(std::string("SELECT ") + kUnitFields + " FROM tm_unit ORDER BY added, id");
        while (all.step())
            if (!targetLanguage || sameLanguageTag(all.textView(4), *targetLanguage))
                visit(readUnit(all));
    });
}

std::int64_t SqliteMemory::size()
{
    return guarded(file_, [&] {
        Statement count = db_.prepare("SELECT count(*) FROM tm_unit");
        return count.step() ? count.integer(0) : std::int64_t{0};
    });
}

std::string SqliteMemory::projectStamp(const std::string& key)
{
    return guarded(file_, [&] {
        Statement stamp = db_.prepare("SELECT stamp FROM tm_project WHERE key = :key");
        stamp.bind("key", key);
        return stamp.step() ? stamp.text(0) : std::string();
    });
}

void SqliteMemory::setProjectStamp(const std::string& key, const std::string& stamp)
{
    guarded(file_, [&] {
        Statement store = db_.prepare("INSERT OR REPLACE INTO tm_project (key, stamp) VALUES (:key, :stamp)");
        store.bind("key", key).bind("stamp", stamp).execute();
    });
}

} // namespace qmk
