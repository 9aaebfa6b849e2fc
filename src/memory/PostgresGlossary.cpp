// The shared glossary over libpq.
#include "memory/PostgresGlossary.h"

#include <libpq-fe.h>

namespace qmk {
namespace {

const char* const kSchema = R"sql(
CREATE TABLE IF NOT EXISTS gl_entry (
  id bigserial PRIMARY KEY,
  term_key text NOT NULL,
  language text NOT NULL,
  term text NOT NULL,
  source_language text NOT NULL,
  translation text NOT NULL,
  variants text NOT NULL,
  forbidden text NOT NULL,
  part_of_speech text NOT NULL,
  note text NOT NULL,
  origin text NOT NULL,
  added timestamptz NOT NULL DEFAULT now(),
  UNIQUE (term_key, language));
)sql";

// Lock id under which the schema is created, so that two programs starting together do not race.
constexpr const char* kSchemaLock = "SELECT pg_advisory_xact_lock(7170444)";

std::string field(PGresult* result, int row, int column)
{
    return std::string(PQgetvalue(result, row, column), static_cast<std::size_t>(PQgetlength(result, row, column)));
}

struct Cleared {
    PGresult* result;
    ~Cleared() { PQclear(result); }
};

} // namespace

PostgresGlossary::PostgresGlossary(const std::string& connection) : location_(connection)
{
    const char* const keywords[] = {"connect_timeout", "dbname", nullptr};
    const char* const values[] = {"10", connection.c_str(), nullptr};
    connection_ = PQconnectdbParams(keywords, values, 1);
    if (PQstatus(connection_) != CONNECTION_OK) {
        const std::string reason = PQerrorMessage(connection_);
        PQfinish(connection_);
        connection_ = nullptr;
        throw GlossaryError("glossary server " + connection + ": " + reason);
    }
    try {
        PQsetClientEncoding(connection_, "UTF8");
        execute("SET client_min_messages = warning");
        checkSchema();
    } catch (...) {
        PQfinish(connection_);
        connection_ = nullptr;
        throw;
    }
}

PostgresGlossary::~PostgresGlossary()
{
    if (connection_)
        PQfinish(connection_);
}

PGresult* PostgresGlossary::run(const std::string& sql, const std::vector<std::string>& params)
{
    // A connection the server dropped is made again, once per statement.
    if (PQstatus(connection_) == CONNECTION_BAD) {
        PQreset(connection_);
        if (PQstatus(connection_) == CONNECTION_OK)
            PQsetClientEncoding(connection_, "UTF8");
    }
    std::vector<const char*> values;
    for (const std::string& param : params)
        values.push_back(param.c_str());
    PGresult* result = params.empty() ? PQexec(connection_, sql.c_str())
                                      : PQexecParams(connection_, sql.c_str(), static_cast<int>(values.size()),
                                                     nullptr, values.data(), nullptr, nullptr, 0);
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        PQclear(result);
        std::string reason = PQerrorMessage(connection_);
        while (!reason.empty() && (reason.back() == '\n' || reason.back() == ' '))
            reason.pop_back();
        throw GlossaryError("glossary server: " + sql.substr(0, sql.find_first_of(" \n")) + ": " + reason);
    }
    return result;
}

void PostgresGlossary::execute(const std::string& sql, const std::vector<std::string>& params)
{
    PQclear(run(sql, params));
}

void PostgresGlossary::checkSchema()
{
    execute("BEGIN");
    try {
        execute(kSchemaLock);
        execute(kSchema);
        execute("COMMIT");
    } catch (...) {
        PQclear(PQexec(connection_, "ROLLBACK"));
        throw;
    }
}

void PostgresGlossary::add(const std::vector<GlossaryEntry>& entries)
{
    if (entries.empty())
        return;
    execute("BEGIN");
    try {
        for (const GlossaryEntry& entry : entries) {
            const std::string key = glossaryTermKey(entry.term);
            if (key.empty())
                continue;
            execute("INSERT INTO gl_entry (term_key, language, term, source_language, translation, variants, forbidden,"
                    " part_of_speech, note, origin) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10)"
                    " ON CONFLICT (term_key, language) DO UPDATE SET term = excluded.term,"
                    " source_language = excluded.source_language, translation = excluded.translation,"
                    " variants = excluded.variants, forbidden = excluded.forbidden,"
                    " part_of_speech = excluded.part_of_speech, note = excluded.note, origin = excluded.origin",
                    {key, entry.language, entry.term, entry.sourceLanguage, entry.translation,
                     joinGlossaryList(entry.variants), joinGlossaryList(entry.forbidden), entry.partOfSpeech,
                     entry.note, entry.origin});
        }
        execute("COMMIT");
    } catch (...) {
        PQclear(PQexec(connection_, "ROLLBACK"));
        throw;
    }
}

void PostgresGlossary::forEach(const std::optional<std::string>& language,
                               const std::function<void(const GlossaryEntry&)>& visit)
{
    Cleared rows{run("SELECT term, source_language, language, translation, variants, forbidden, part_of_speech,"
                     " note, origin FROM gl_entry ORDER BY id")};
    for (int row = 0; row < PQntuples(rows.result); ++row) {
        GlossaryEntry entry;
        entry.term = field(rows.result, row, 0);
        entry.sourceLanguage = field(rows.result, row, 1);
        entry.language = field(rows.result, row, 2);
        if (language && !glossaryLanguageMatches(entry.language, *language))
            continue;
        entry.translation = field(rows.result, row, 3);
        entry.variants = splitGlossaryList(field(rows.result, row, 4));
        entry.forbidden = splitGlossaryList(field(rows.result, row, 5));
        entry.partOfSpeech = field(rows.result, row, 6);
        entry.note = field(rows.result, row, 7);
        entry.origin = field(rows.result, row, 8);
        visit(entry);
    }
}

std::int64_t PostgresGlossary::size()
{
    Cleared count{run("SELECT count(*) FROM gl_entry")};
    return std::strtoll(PQgetvalue(count.result, 0, 0), nullptr, 10);
}

bool PostgresGlossary::remove(std::string_view term, std::string_view language)
{
    Cleared erased{run("DELETE FROM gl_entry WHERE term_key = $1 AND language = $2",
                       {glossaryTermKey(term), std::string(language)})};
    return std::atoi(PQcmdTuples(erased.result)) > 0;
}

} // namespace qmk
