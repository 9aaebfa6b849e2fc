// The shared glossary over libpq.
#include "memory/PostgresGlossary.h"

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

[[noreturn]] void raiseGlossaryError(const std::string& message)
{
    throw GlossaryError(message);
}

} // namespace

PostgresGlossary::PostgresGlossary(const std::string& connection)
    : connection_(connection, "glossary server", raiseGlossaryError), location_(connection)
{
    checkSchema();
}

void PostgresGlossary::checkSchema()
{
    connection_.execute("BEGIN");
    try {
        connection_.execute(kSchemaLock);
        connection_.execute(kSchema);
        connection_.execute("COMMIT");
    } catch (...) {
        connection_.rollback();
        throw;
    }
}

void PostgresGlossary::add(const std::vector<GlossaryEntry>& entries)
{
    if (entries.empty())
        return;
    connection_.execute("BEGIN");
    try {
        for (const GlossaryEntry& entry : entries) {
            const std::string key = glossaryTermKey(entry.term);
            if (key.empty())
                continue;
            connection_.execute("INSERT INTO gl_entry (term_key, language, term, source_language, translation, variants, forbidden,"
                                " part_of_speech, note, origin) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10)"
                                " ON CONFLICT (term_key, language) DO UPDATE SET term = excluded.term,"
                                " source_language = excluded.source_language, translation = excluded.translation,"
                                " variants = excluded.variants, forbidden = excluded.forbidden,"
                                " part_of_speech = excluded.part_of_speech, note = excluded.note, origin = excluded.origin",
                                {key, entry.language, entry.term, entry.sourceLanguage, entry.translation,
                                 joinGlossaryList(entry.variants), joinGlossaryList(entry.forbidden), entry.partOfSpeech,
                                 entry.note, entry.origin});
        }
        connection_.execute("COMMIT");
    } catch (...) {
        connection_.rollback();
        throw;
    }
}

void PostgresGlossary::forEach(const std::optional<std::string>& language,
                               const std::function<void(const GlossaryEntry&)>& visit)
{
    const PostgresResult rows = connection_.run("SELECT term, source_language, language, translation, variants,"
                                                " forbidden, part_of_speech, note, origin FROM gl_entry ORDER BY id");
    for (int row = 0; row < rows.rows(); ++row) {
        GlossaryEntry entry;
        entry.term = rows.text(row, 0);
        entry.sourceLanguage = rows.text(row, 1);
        entry.language = rows.text(row, 2);
        if (language && !glossaryLanguageMatches(entry.language, *language))
            continue;
        entry.translation = rows.text(row, 3);
        entry.variants = splitGlossaryList(rows.text(row, 4));
        entry.forbidden = splitGlossaryList(rows.text(row, 5));
        entry.partOfSpeech = rows.text(row, 6);
        entry.note = rows.text(row, 7);
        entry.origin = rows.text(row, 8);
        visit(entry);
    }
}

std::int64_t PostgresGlossary::size()
{
    return connection_.run("SELECT count(*) FROM gl_entry").integer(0, 0);
}

bool PostgresGlossary::remove(std::string_view term, std::string_view language)
{
    return connection_.run("DELETE FROM gl_entry WHERE term_key = $1 AND language = $2",
                           {glossaryTermKey(term), std::string(language)})
               .affected() > 0;
}

} // namespace qmk
