// The shared store over libpq.
#include "memory/PostgresMemory.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>

#include "memory/MemoryMatches.h"
#include "memory/TextSimilarity.h"

namespace qmk {
namespace {

const char* const kSchema = R"sql(
CREATE EXTENSION IF NOT EXISTS pg_trgm;
CREATE TABLE IF NOT EXISTS tm_meta (key text PRIMARY KEY, value text NOT NULL);
CREATE TABLE IF NOT EXISTS tm_unit (
  id bigserial PRIMARY KEY,
  unit_key text NOT NULL UNIQUE,
  source text NOT NULL,
  target text NOT NULL,
  source_language text NOT NULL,
  target_language text NOT NULL,
  project text NOT NULL,
  resource_type text NOT NULL,
  resource_id text NOT NULL,
  added bigint NOT NULL,
  flagged boolean NOT NULL,
  norm text NOT NULL,
  norm_hash bigint NOT NULL);
CREATE INDEX IF NOT EXISTS tm_unit_exact ON tm_unit (norm_hash);
CREATE INDEX IF NOT EXISTS tm_unit_trigrams ON tm_unit USING gin (norm gin_trgm_ops);
CREATE TABLE IF NOT EXISTS tm_project (key text PRIMARY KEY, stamp text NOT NULL);
)sql";

const char* const kUnitFields =
    "id, source, target, source_language, target_language, project, resource_type, resource_id, added, flagged, norm";

// Lock id under which the schema is created, so that two programs starting together do not race.
constexpr const char* kSchemaLock = "SELECT pg_advisory_xact_lock(7170443)";
// A lookup reads the index for at most this many of its rarest trigrams, up to about this many
// estimated rows, and scores the units sharing the most of them.
constexpr std::size_t kRareTrigrams = 16;
constexpr double kPostingBudget = 7000;
constexpr std::size_t kScoredCandidates = 200;
constexpr int kSampleSize = 20000;

// The trigram index holds trigrams of letters and digits only (it splits words at anything
// else), so only such trigrams can be looked up in it. Bytes above 127 are parts of letters.
bool indexedTrigram(std::string_view gram)
{
    for (char c : gram) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x80 && !std::isalnum(u))
            return false;
    }
    return true;
}

// Additions of at least this many units are merged into the trigram index in one go.
constexpr std::size_t kBulkUnits = 1000;

// Transactions the server aborted to resolve a conflict with another writer are tried again.
constexpr int kAttempts = 5;

// COPY's text format: backslash, tab, line break and carriage return escaped.
void appendCopyField(std::string& line, std::string_view text)
{
    for (char c : text) {
        switch (c) {
        case '\\': line += "\\\\"; break;
        case '\t': line += "\\t"; break;
        case '\n': line += "\\n"; break;
        case '\r': line += "\\r"; break;
        default: line += c;
        }
    }
}

} // namespace

namespace {

[[noreturn]] void raiseMemoryError(const std::string& message)
{
    throw MemoryError(message);
}

MemoryUnit readUnit(PGresult* result, int row)
{
    auto text = [&](int column) {
        return std::string(PQgetvalue(result, row, column), static_cast<std::size_t>(PQgetlength(result, row, column)));
    };
    MemoryUnit unit;
    unit.source = text(1);
    unit.target = text(2);
    unit.sourceLanguage = text(3);
    unit.targetLanguage = text(4);
    unit.project = text(5);
    unit.resourceType = text(6);
    unit.resourceId = text(7);
    unit.time = std::strtoll(PQgetvalue(result, row, 8), nullptr, 10);
    unit.flagged = PQgetvalue(result, row, 9)[0] == 't';
    return unit;
}

} // namespace

PostgresMemory::PostgresMemory(const std::string& connection)
    : connection_(connection, "translation memory server", raiseMemoryError, [this] { prepareSession(); }),
      location_(connection)
{
    prepareSession();
    checkSchema();
}

PostgresMemory::~PostgresMemory() = default;

void PostgresMemory::fail(const std::string& what)
{
    connection_.fail(what);
}

void PostgresMemory::prepareSession()
{
    threshold_ = -1;  // a new session has the server's default similarity threshold
}

PostgresMemory::Result PostgresMemory::run(const std::string& sql, const std::vector<std::string>& params)
{
    return connection_.run(sql, params);
}

void PostgresMemory::execute(const std::string& sql)
{
    run(sql);
}

void PostgresMemory::checkSchema()
{
    execute("BEGIN");
    try {
        execute(kSchemaLock);
        Result meta = run("SELECT to_regclass('tm_meta') IS NOT NULL");
        int found = 0;
        if (meta.text(0, 0) == "t") {
            Result version = run("SELECT value FROM tm_meta WHERE key = 'schema'");
            found = version.rows() ? std::atoi(version.text(0, 0).c_str()) : 0;
        }
        if (found > kMemorySchemaVersion)
            throw MemoryError("translation memory server " + location_ + " was written by a newer Quillmark (schema " +
                              std::to_string(found) + ", this one reads " + std::to_string(kMemorySchemaVersion) + ")");
        if (found < kMemorySchemaVersion) {
            execute(kSchema);
            run("INSERT INTO tm_meta (key, value) VALUES ('schema', $1) ON CONFLICT (key) DO UPDATE SET value = $1",
                {std::to_string(kMemorySchemaVersion)});
        }
        execute("COMMIT");
    } catch (...) {
        connection_.rollback();
        throw;
    }
}

void PostgresMemory::add(const std::vector<MemoryUnit>& units)
{
    if (units.empty())
        return;
    if (sampled_ && sampleShare_ >= 1.0)
        sampled_ = false;  // a small memory changes shape with what is added
    for (int attempt = 1;; ++attempt) {
        try {
            addOnce(units);
            return;
        } catch (const MemoryError&) {
            connection_.rollback();
            if (attempt >= kAttempts)
                throw;
        }
    }
}

void PostgresMemory::addOnce(const std::vector<MemoryUnit>& units)
{
    execute("BEGIN");
    // Many units at once (an import): the trigram index takes them into its pending list and
    // merges them in one go at the end, far faster than in 4 MB pieces. Only the index's owner
    // may merge on demand, and a pending list left large would slow every lookup: others add
    // as usual.
    const bool bulk = units.size() >= kBulkUnits && mayCleanIndex();
    if (bulk)
        execute("SET LOCAL work_mem = '64MB'; SET LOCAL maintenance_work_mem = '64MB';"
                " SET LOCAL gin_pending_list_limit = '32MB'");
    execute("CREATE TEMP TABLE IF NOT EXISTS tm_incoming (unit_key text, source text, target text,"
            " source_language text, target_language text, project text, resource_type text, resource_id text,"
            " added bigint, flagged boolean, norm text, norm_hash bigint) ON COMMIT DELETE ROWS");
    run("COPY tm_incoming FROM STDIN");
    const std::int64_t now = memoryNow();
    std::string line;
    for (const MemoryUnit& unit : units) {
        line.clear();
        const std::string norm = normaliseForMemory(unit.source);
        for (const std::string* field : {&unit.source, &unit.target, &unit.sourceLanguage, &unit.targetLanguage,
                                         &unit.project, &unit.resourceType, &unit.resourceId}) {
            if (line.empty())
                line = memoryUnitKey(unit);
            line += '\t';
            appendCopyField(line, *field);
        }
        line += '\t' + std::to_string(unit.time ? unit.time : now) + '\t' + (unit.flagged ? "t" : "f") + '\t';
        appendCopyField(line, norm);
        line += '\t' + std::to_string(textHash(norm)) + '\n';
        if (PQputCopyData(connection_.get(), line.data(), static_cast<int>(line.size())) != 1)
            fail("COPY");
    }
    if (PQputCopyEnd(connection_.get(), nullptr) != 1)
        fail("COPY");
    for (PGresult* result; (result = PQgetResult(connection_.get())) != nullptr;) {
        const bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
        PQclear(result);
        if (!ok)
            fail("COPY");
    }
    // In key order, so that two writers adding the same units wait for each other instead of
    // deadlocking; one row per key, the newest, as one statement may not update a row twice.
    execute("INSERT INTO tm_unit (unit_key, source, target, source_language, target_language, project,"
            " resource_type, resource_id, added, flagged, norm, norm_hash)"
            " SELECT DISTINCT ON (unit_key) * FROM tm_incoming ORDER BY unit_key, added DESC"
            " ON CONFLICT (unit_key) DO UPDATE SET added = EXCLUDED.added, flagged = EXCLUDED.flagged");
    if (bulk)
        execute("SELECT gin_clean_pending_list('tm_unit_trigrams')");
    execute("COMMIT");
}

std::vector<MemoryMatch> PostgresMemory::lookup(std::string_view source, std::string_view sourceLanguage,
                                                std::string_view targetLanguage, int n, int minimumScore)
{
    try {
        return lookupOnce(source, sourceLanguage, targetLanguage, n, minimumScore);
    } catch (const MemoryError&) {
        if (!connection_.broken())
            throw;
        return lookupOnce(source, sourceLanguage, targetLanguage, n, minimumScore);  // connected again
    }
}

std::vector<MemoryMatch> PostgresMemory::lookupOnce(std::string_view source, std::string_view sourceLanguage,
                                                    std::string_view targetLanguage, int n, int minimumScore)
{
    MemoryMatches matches{std::string(source), n, minimumScore};
    const std::vector<std::string> languages = {std::string(sourceLanguage), std::string(targetLanguage)};
    const std::string where = " AND lower(replace(source_language, '_', '-')) = lower(replace($1, '_', '-'))"
                              " AND lower(replace(target_language, '_', '-')) = lower(replace($2, '_', '-'))";
    auto consider = [&](const Result& result) {
        for (int row = 0; row < result.rows(); ++row)
            matches.consider(readUnit(result.get(), row), result.text(row, 10));
    };
    consider(run(std::string("SELECT ") + kUnitFields + " FROM tm_unit WHERE norm_hash = $3" + where,
                 {languages[0], languages[1], std::to_string(textHash(matches.normalised()))}));
    if (minimumScore >= 100 || matches.normalised().empty())
        return matches.take();
    if (!sampled_)
        sampleTrigrams();
    std::vector<std::pair<double, std::string>> rare;
    for (const std::string& gram : trigramsOf(matches.normalised()))
        if (indexedTrigram(gram)) {
            const auto found = sampledTrigrams_.find(gram);
            // One the sample lacks is rare, or absent (a word the memory has never seen).
            rare.emplace_back((found == sampledTrigrams_.end() ? 0.5 : found->second) / sampleShare_, gram);
        }
    std::sort(rare.begin(), rare.end());
    std::vector<std::string> params = {languages[0], languages[1], std::to_string(textHash(matches.normalised()))};
    std::vector<std::string> grams;
    std::string any;
    double estimated = 0;
    for (std::size_t k = 0; k < rare.size() && k < kRareTrigrams; ++k) {
        if (k > 0 && estimated + rare[k].first > kPostingBudget)
            break;
        estimated += rare[k].first;
        grams.push_back(rare[k].second);
        params.push_back("%" + rare[k].second + "%");
        any += (any.empty() ? "norm LIKE $" : " OR norm LIKE $") + std::to_string(params.size());
    }
    if (!any.empty()) {
        // The server finds the texts with any of the rare trigrams; which have the most of them,
        // and how alike the best of those are, is worked out here, where it costs far less than
        // in SQL. Whole units are read only for the few that may be offered.
        const Result found = run("SELECT id, norm FROM tm_unit WHERE (" + any + ") AND norm_hash <> $3" + where, params);
        std::vector<std::pair<int, int>> ranked;  // shared trigrams, row
        ranked.reserve(static_cast<std::size_t>(found.rows()));
        for (int row = 0; row < found.rows(); ++row) {
            const std::string_view norm(PQgetvalue(found.get(), row, 1),
                                        static_cast<std::size_t>(PQgetlength(found.get(), row, 1)));
            const auto shared = std::count_if(grams.begin(), grams.end(),
                                              [&](const std::string& gram) { return norm.find(gram) != norm.npos; });
            ranked.emplace_back(static_cast<int>(shared), row);
        }
        const std::size_t keep = std::min(ranked.size(), kScoredCandidates);
        std::partial_sort(ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(keep), ranked.end(),
                          [](const auto& a, const auto& b) { return a.first > b.first; });
        std::vector<std::pair<int, std::string>> scored;  // score, id
        for (std::size_t k = 0; k < keep; ++k) {
            const int row = ranked[k].second;
            const int score = matches.scoreOf(std::string_view(
                PQgetvalue(found.get(), row, 1), static_cast<std::size_t>(PQgetlength(found.get(), row, 1))));
            if (score >= 0)
                scored.emplace_back(score, found.text(row, 0));
        }
        // Several may carry the same translation and count once: more than n are read.
        const std::size_t fetch = std::min(scored.size(), static_cast<std::size_t>(std::max(n, 1)) * 4);
        std::partial_sort(scored.begin(), scored.begin() + static_cast<std::ptrdiff_t>(fetch), scored.end(),
                          [](const auto& a, const auto& b) { return a.first > b.first; });
        if (fetch > 0) {
            std::string ids = "{";
            for (std::size_t k = 0; k < fetch; ++k)
                ids += (k ? "," : "") + scored[k].second;
            consider(run(std::string("SELECT ") + kUnitFields + " FROM tm_unit WHERE id = ANY($1::bigint[])",
                         {ids + "}"}));
        }
    } else {
        // No trigram of letters to look up ("OK", "..."): the server's own similarity search.
        const double threshold = std::clamp((minimumScore - 40) / 100.0, 0.1, 0.6);
        if (threshold != threshold_) {
            execute("SET pg_trgm.similarity_threshold = " + std::to_string(threshold));
            threshold_ = threshold;
        }
        consider(run(std::string("SELECT ") + kUnitFields + " FROM tm_unit WHERE norm % $4 AND norm_hash <> $3" +
                         where + " ORDER BY similarity(norm, $4) DESC LIMIT " + std::to_string(kScoredCandidates),
                     {languages[0], languages[1], params[2], matches.normalised()}));
    }
    return matches.take();
}

void PostgresMemory::forEach(const std::optional<std::string>& targetLanguage,
                             const std::function<void(const MemoryUnit&)>& visit)
{
    // Row by row: a memory of a million units is never held in this process at once.
    const std::string sql = std::string("SELECT ") + kUnitFields + " FROM tm_unit" +
                            (targetLanguage ? " WHERE lower(replace(target_language, '_', '-')) = lower(replace($1, '_', '-'))" : "") +
                            " ORDER BY added, id";
    const char* value = targetLanguage ? targetLanguage->c_str() : nullptr;
    if (!PQsendQueryParams(connection_.get(), sql.c_str(), targetLanguage ? 1 : 0, nullptr, &value, nullptr, nullptr, 0) ||
        !PQsetSingleRowMode(connection_.get()))
        fail("SELECT");
    std::string failure;
    for (PGresult* result; (result = PQgetResult(connection_.get())) != nullptr;) {
        const ExecStatusType status = PQresultStatus(result);
        if (status == PGRES_SINGLE_TUPLE && failure.empty()) {
            try {
                visit(readUnit(result, 0));
            } catch (const std::exception& error) {
                failure = error.what();  // the rest of the rows are read and dropped
            }
        } else if (status != PGRES_SINGLE_TUPLE && status != PGRES_TUPLES_OK && failure.empty()) {
            failure = PQresultErrorMessage(result);
        }
        PQclear(result);
    }
    if (!failure.empty())
        throw MemoryError("translation memory server: " + failure);
}

void PostgresMemory::sampleTrigrams()
{
    Result estimate = run("SELECT greatest(reltuples, 0)::bigint FROM pg_class WHERE relname = 'tm_unit'");
    double rows = estimate.rows() ? static_cast<double>(estimate.integer(0, 0)) : 0;
    if (rows < kSampleSize)
        rows = static_cast<double>(size());
    const double percent = rows <= kSampleSize ? 100.0 : std::min(100.0, 100.0 * kSampleSize / rows * 1.2);
    Result sample = run("SELECT norm FROM tm_unit TABLESAMPLE SYSTEM (" + std::to_string(percent) + ") LIMIT " +
                        std::to_string(kSampleSize));
    sampledTrigrams_.clear();
    for (int row = 0; row < sample.rows(); ++row)
        for (const std::string& gram : trigramsOf(sample.text(row, 0)))
            ++sampledTrigrams_[gram];
    sampleShare_ = rows > 0 ? std::max(1.0, static_cast<double>(sample.rows())) / rows : 1.0;
    sampled_ = true;
}

bool PostgresMemory::mayCleanIndex()
{
    if (!ownsIndex_)
        ownsIndex_ = run("SELECT pg_has_role(relowner, 'USAGE') FROM pg_class"
                         " WHERE oid = to_regclass('tm_unit_trigrams')").text(0, 0) == "t";
    return *ownsIndex_;
}

std::int64_t PostgresMemory::size()
{
    return run("SELECT count(*) FROM tm_unit").integer(0, 0);
}

std::string PostgresMemory::projectStamp(const std::string& key)
{
    Result stamp = run("SELECT stamp FROM tm_project WHERE key = $1", {key});
    return stamp.rows() ? stamp.text(0, 0) : std::string();
}

void PostgresMemory::setProjectStamp(const std::string& key, const std::string& stamp)
{
    run("INSERT INTO tm_project (key, stamp) VALUES ($1, $2) ON CONFLICT (key) DO UPDATE SET stamp = $2", {key, stamp});
}

} // namespace qmk
