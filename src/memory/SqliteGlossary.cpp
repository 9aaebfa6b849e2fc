// The embedded glossary over the project files' SQLite engine layer.
#include "memory/SqliteGlossary.h"

#include "database/DaoException.h"
#include "database/Statement.h"
#include "database/Transaction.h"
#include "memory/TranslationMemory.h"

namespace qmk {
namespace {

constexpr int kGlossarySchemaVersion = 1;

const char* const kSchema = R"sql(
CREATE TABLE IF NOT EXISTS gl_meta (key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS gl_entry (
  id INTEGER PRIMARY KEY,
  term_key TEXT NOT NULL,
  language TEXT NOT NULL,
  term TEXT NOT NULL,
  source_language TEXT NOT NULL,
  translation TEXT NOT NULL,
  variants TEXT NOT NULL,
  forbidden TEXT NOT NULL,
  part_of_speech TEXT NOT NULL,
  note TEXT NOT NULL,
  origin TEXT NOT NULL,
  added INTEGER NOT NULL,
  UNIQUE (term_key, language));
)sql";

const char* const kEntryFields =
    "term, source_language, language, translation, variants, forbidden, part_of_speech, note, origin";

GlossaryEntry readEntry(const Statement& row)
{
    GlossaryEntry entry;
    entry.term = row.text(0);
    entry.sourceLanguage = row.text(1);
    entry.language = row.text(2);
    entry.translation = row.text(3);
    entry.variants = splitGlossaryList(row.text(4));
    entry.forbidden = splitGlossaryList(row.text(5));
    entry.partOfSpeech = row.text(6);
    entry.note = row.text(7);
    entry.origin = row.text(8);
    return entry;
}

template <typename Body>
auto guarded(const std::filesystem::path& file, Body body)
{
    try {
        return body();
    } catch (const DaoException& error) {
        throw GlossaryError("glossary " + file.string() + ": " + error.description());
    }
}

} // namespace

SqliteGlossary::SqliteGlossary(const std::filesystem::path& file) : file_(file)
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
        bool wal = false;
        {
            Statement mode = db_.prepare("PRAGMA journal_mode");
            wal = mode.step() && mode.text(0) == "wal";
        }
        if (!wal)
            db_.execute("PRAGMA journal_mode = WAL");
        db_.execute("PRAGMA synchronous = NORMAL");
        checkSchema();
    });
}

void SqliteGlossary::checkSchema()
{
    if (db_.tableExists("gl_meta")) {
        Statement version = db_.prepare("SELECT value FROM gl_meta WHERE key = 'schema'");
        const int found = version.step() ? std::atoi(version.text(0).c_str()) : 0;
        if (found > kGlossarySchemaVersion)
            throw GlossaryError("glossary " + file_.string() + " was written by a newer Quillmark (schema " +
                                std::to_string(found) + ")");
        return;
    }
    bool foreign = false;
    {
        Statement tables = db_.prepare("SELECT count(*) FROM sqlite_master WHERE name NOT LIKE 'gl\\_%' ESCAPE '\\'"
                                       " AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'");
        foreign = tables.step() && tables.integer(0) > 0;
    }
    if (foreign)
        throw GlossaryError(file_.string() + " is no glossary");
    Transaction transaction(db_, true);
    db_.execute(kSchema);
    Statement version = db_.prepare("INSERT OR REPLACE INTO gl_meta (key, value) VALUES ('schema', :version)");
    version.bind("version", std::to_string(kGlossarySchemaVersion)).execute();
    transaction.commit();
}

void SqliteGlossary::add(const std::vector<GlossaryEntry>& entries)
{
    if (entries.empty())
        return;
    guarded(file_, [&] {
        Transaction transaction(db_, true);
        Statement insert = db_.prepare(
            "INSERT INTO gl_entry (term_key, language, term, source_language, translation, variants, forbidden,"
            " part_of_speech, note, origin, added) VALUES (:key, :language, :term, :sl, :translation, :variants,"
            " :forbidden, :pos, :note, :origin, :added) ON CONFLICT (term_key, language) DO UPDATE SET"
            " term = excluded.term, source_language = excluded.source_language, translation = excluded.translation,"
            " variants = excluded.variants, forbidden = excluded.forbidden, part_of_speech = excluded.part_of_speech,"
            " note = excluded.note, origin = excluded.origin");
        const std::int64_t now = memoryNow();
        for (const GlossaryEntry& entry : entries) {
            const std::string key = glossaryTermKey(entry.term);
            if (key.empty())
                continue;
            insert.bind("key", key)
                .bind("language", entry.language)
                .bind("term", entry.term)
                .bind("sl", entry.sourceLanguage)
                .bind("translation", entry.translation)
                .bind("variants", joinGlossaryList(entry.variants))
                .bind("forbidden", joinGlossaryList(entry.forbidden))
                .bind("pos", entry.partOfSpeech)
                .bind("note", entry.note)
                .bind("origin", entry.origin)
                .bind("added", now);
            insert.execute();
        }
        transaction.commit();
    });
}

void SqliteGlossary::forEach(const std::optional<std::string>& language,
                             const std::function<void(const GlossaryEntry&)>& visit)
{
    guarded(file_, [&] {
        Statement all = db_.prepare(std::string("SELECT ") + kEntryFields + " FROM gl_entry ORDER BY id");
        while (all.step())
            if (!language || glossaryLanguageMatches(all.textView(2), *language))
                visit(readEntry(all));
    });
}

std::int64_t SqliteGlossary::size()
{
    return guarded(file_, [&] {
        Statement count = db_.prepare("SELECT count(*) FROM gl_entry");
        return count.step() ? count.integer(0) : std::int64_t{0};
    });
}

bool SqliteGlossary::remove(std::string_view term, std::string_view language)
{
    return guarded(file_, [&] {
        Statement erase = db_.prepare("DELETE FROM gl_entry WHERE term_key = :key AND language = :language");
        erase.bind("key", glossaryTermKey(term)).bind("language", std::string(language)).execute();
        return db_.changes() > 0;
    });
}

} // namespace qmk
