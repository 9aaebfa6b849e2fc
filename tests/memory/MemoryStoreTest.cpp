// One suite for both translation-memory stores: what is added is found again with everything it
// carried, alike texts score by their edit ratio, languages stay apart, nothing is doubled or lost
// when the same unit comes twice or two programs add at once, and a newer schema is refused.
#include <gtest/gtest.h>

#include <libpq-fe.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "common/RecordingFeedback.h"
#include "memory/TmxFile.h"
#include "memory/TranslationMemory.h"
#include "MemoryStores.h"

namespace qmk {
namespace {

MemoryUnit unit(std::string source, std::string target, std::string targetLanguage = "de-DE")
{
    MemoryUnit u;
    u.source = std::move(source);
    u.target = std::move(target);
    u.sourceLanguage = "en-US";
    u.targetLanguage = std::move(targetLanguage);
    u.project = "app.rc";
    u.resourceType = "Stringtable String";
    u.resourceId = "IDS_OPEN";
    u.time = 1767225600;
    return u;
}

template <typename Store>
class MemoryStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = store.unavailable();
        if (!why.empty())
            GTEST_SKIP() << why;
        memory = store.open();
    }
    std::vector<MemoryMatch> lookup(const std::string& source, int minimum = 50, int n = 5,
                                    const std::string& target = "de-DE")
    {
        return memory->lookup(source, "en-US", target, n, minimum);
    }

    Store store;
    std::unique_ptr<TranslationMemory> memory;
};

using Stores = ::testing::Types<test::EmbeddedStore, test::SharedStore>;
struct StoreNames {
    template <typename T>
    static std::string GetName(int) { return T::name; }
};
TYPED_TEST_SUITE(MemoryStoreTest, Stores, StoreNames);

TYPED_TEST(MemoryStoreTest, AddedUnitIsFoundExactlyWithEverythingItCarried)
{
    MemoryUnit added = unit("Open the file\nnow", "Die Datei\njetzt öffnen");
    added.flagged = true;
    added.resourceType = "Dialog Item";
    added.resourceId = "IDD_OPEN/IDOK";
    this->memory->add(added);
    const auto matches = this->lookup("Open the file\nnow", 100);
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0].score, 100);
    EXPECT_EQ(matches[0].unit, added);
    EXPECT_EQ(this->memory->size(), 1);
    // Another connection, as after a restart, finds it too.
    EXPECT_EQ(this->store.open()->lookup("Open the file\nnow", "en-US", "de-DE", 5, 100).size(), 1u);
}

TYPED_TEST(MemoryStoreTest, SameUnitAddedTwiceIsKeptOnceWithItsNewerTimeAndFlag)
{
    MemoryUnit first = unit("Save", "Speichern");
    this->memory->add(first);
    MemoryUnit again = first;
    again.time += 60;
    again.flagged = true;
    this->memory->add(std::vector<MemoryUnit>{again, again});
    EXPECT_EQ(this->memory->size(), 1);
    const auto matches = this->lookup("Save", 100);
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0].unit.time, again.time);
    EXPECT_TRUE(matches[0].unit.flagged);
    // A different translation of the same item is a unit of its own: both are offered.
    this->memory->add(unit("Save", "Sichern"));
    EXPECT_EQ(this->memory->size(), 2);
    EXPECT_EQ(this->lookup("Save", 100).size(), 2u);
}

TYPED_TEST(MemoryStoreTest, MnemonicsEscapesCaseAndBlanksDoNotCountButMarkTheMatchAsNotIdentical)
{
    this->memory->add(unit("&Open File...\tCtrl+O", "Datei ö&ffnen...\tStrg+O"));
    this->memory->add(unit("ÄNDERN", "Ändern"));
    const auto matches = this->lookup("open  &file...\\tctrl+o", 90);
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0].score, 99);
    const auto unicode = this->lookup("ändern", 90);
    ASSERT_EQ(unicode.size(), 1u);
    EXPECT_EQ(unicode[0].score, 99);
    EXPECT_TRUE(this->lookup("ändern", 100).empty());
}

TYPED_TEST(MemoryStoreTest, AlikeTextsAreRankedByEditRatioAndCutAtTheMinimumAndCount)
{
    this->memory->add(unit("The file could not be saved.", "Die Datei konnte nicht gespeichert werden."));
    this->memory->add(unit("The file could not be opened.", "Die Datei konnte nicht geöffnet werden."));
    this->memory->add(unit("The folder could not be opened.", "Der Ordner konnte nicht geöffnet werden."));
    this->memory->add(unit("Printer not found", "Drucker nicht gefunden"));
    const auto matches = this->lookup("The file could not be opened!", 70);
    ASSERT_EQ(matches.size(), 3u);
    EXPECT_EQ(matches[0].unit.source, "The file could not be opened.");
    EXPECT_EQ(matches[0].score, 96);  // one of 29 characters differs
    EXPECT_GT(matches[1].score, matches[2].score - 1);
    for (const MemoryMatch& match : matches)
        EXPECT_GE(match.score, 70);
    EXPECT_EQ(this->lookup("The file could not be opened!", 70, 1).size(), 1u);
    EXPECT_EQ(this->lookup("The file could not be opened!", 95).size(), 1u);
    EXPECT_TRUE(this->lookup("Something else entirely", 60).empty());
}

TYPED_TEST(MemoryStoreTest, LanguagesStayApartAndTagsCompareIgnoringCase)
{
    this->memory->add(unit("Cancel", "Abbrechen", "de-DE"));
    this->memory->add(unit("Cancel", "Annuler", "fr-FR"));
    const auto german = this->lookup("Cancel", 100, 5, "de-de");
    ASSERT_EQ(german.size(), 1u);
    EXPECT_EQ(german[0].unit.target, "Abbrechen");
    EXPECT_TRUE(this->memory->lookup("Cancel", "en-GB", "de-DE", 5, 50).empty());
    std::vector<std::string> french;
    this->memory->forEach(std::string("fr-FR"), [&](const MemoryUnit& u) { french.push_back(u.target); });
    EXPECT_EQ(french, std::vector<std::string>{"Annuler"});
    int all = 0;
    this->memory->forEach(std::nullopt, [&](const MemoryUnit&) { ++all; });
    EXPECT_EQ(all, 2);
}

TYPED_TEST(MemoryStoreTest, ShortTextsAndTextsWithQuotesAreFound)
{
    this->memory->add(unit("OK", "OK"));
    this->memory->add(unit("Say \"hello\" 'now'", "Sag \"hallo\" 'jetzt'"));
    EXPECT_EQ(this->lookup("OK", 100).size(), 1u);
    const auto quoted = this->lookup("Say \"hello\" 'soon'", 60);
    ASSERT_EQ(quoted.size(), 1u);
    EXPECT_EQ(quoted[0].unit.target, "Sag \"hallo\" 'jetzt'");
}

TYPED_TEST(MemoryStoreTest, ProjectStampIsRememberedPerProject)
{
    EXPECT_EQ(this->memory->projectStamp("/p/app_rc.mdb"), "");
    this->memory->setProjectStamp("/p/app_rc.mdb", "abc");
    this->memory->setProjectStamp("/p/app_rc.mdb", "def");
    this->memory->setProjectStamp("/q/x_rc.mdb", "xyz");
    EXPECT_EQ(this->store.open()->projectStamp("/p/app_rc.mdb"), "def");
}

// Two processes add 10,000 units each, a thousand of them the same, in many small transactions
// that interleave: every unit is there once.
TYPED_TEST(MemoryStoreTest, TwoProcessesAddingAtOnceLoseNothingAndDoubleNothing)
{
    this->memory.reset();
    auto child = [&](int first) {
        const pid_t pid = fork();
        if (pid != 0)
            return pid;
        int status = 0;
        try {
            auto memory = this->store.open();
            std::vector<MemoryUnit> batch;
            for (int i = first; i < first + 10000; ++i) {
                batch.push_back(unit("Text number " + std::to_string(i), "Text Nummer " + std::to_string(i)));
                if (batch.size() == 250) {
                    memory->add(batch);
                    batch.clear();
                }
            }
        } catch (const std::exception& error) {
            fprintf(stderr, "%s\n", error.what());
            status = 1;
        }
        _exit(status);
    };
    const pid_t a = child(0);
    const pid_t b = child(9000);
    for (pid_t pid : {a, b}) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    auto memory = this->store.open();
    EXPECT_EQ(memory->size(), 19000);
    for (int i : {0, 8999, 9000, 9500, 9999, 10000, 18999}) {
        const auto found = memory->lookup("Text number " + std::to_string(i), "en-US", "de-DE", 5, 100);
        ASSERT_EQ(found.size(), 1u) << i;
        EXPECT_EQ(found[0].unit.target, "Text Nummer " + std::to_string(i));
    }
}

// An export cancelled half way writes no file, and the store goes on answering (a server's walk
// is read to its end, not left half read on the connection). Imported with progress shown, the
// units come back.
TYPED_TEST(MemoryStoreTest, CancelledExportWritesNothingAndTheStoreAnswersOn)
{
    std::vector<MemoryUnit> units;
    for (int i = 0; i < 2500; ++i)
        units.push_back(unit("Text number " + std::to_string(i), "Text Nummer " + std::to_string(i)));
    this->memory->add(units);
    test::TempDir dir;
    test::RecordingFeedback feedback;
    feedback.cancelAfterPolls = 1;
    const TmxExportResult cancelled = exportTmx(*this->memory, dir / "all.tmx", std::nullopt, &feedback);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_TRUE(cancelled.problem.empty()) << cancelled.problem;
    EXPECT_FALSE(std::filesystem::exists(dir / "all.tmx"));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_EQ(this->memory->size(), 2500);
    EXPECT_EQ(this->lookup("Text number 1234", 100).size(), 1u);

    feedback.cancelAfterPolls = -1;
    ASSERT_TRUE(exportTmx(*this->memory, dir / "all.tmx", std::nullopt, &feedback).ok);
    TypeParam other;
    ASSERT_TRUE(other.unavailable().empty());
    std::unique_ptr<TranslationMemory> copy = other.open();
    const TmxImportResult imported = importTmx(*copy, dir / "all.tmx", &feedback);
    EXPECT_TRUE(imported.ok && !imported.cancelled);
    EXPECT_EQ(imported.units, 2500);
    EXPECT_EQ(feedback.tasks.back(), "Import all.tmx into the translation memory");
}

// A store a newer program wrote is refused with a message that says so; this
// program's own store opens again.
TYPED_TEST(MemoryStoreTest, StoreOfANewerSchemaIsRefused)
{
    this->memory.reset();
    const std::string location = this->store.location();
    const std::string bump =
        "UPDATE tm_meta SET value = '" + std::to_string(kMemorySchemaVersion + 1) + "' WHERE key = 'schema'";
    if constexpr (std::is_same_v<TypeParam, test::EmbeddedStore>) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(location.c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, bump.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    } else {
        PGconn* db = PQconnectdb(location.c_str());
        PQclear(PQexec(db, bump.c_str()));
        PQfinish(db);
    }
    try {
        this->store.open();
        ADD_FAILURE() << "a store of a newer schema was opened";
    } catch (const MemoryError& error) {
        EXPECT_NE(std::string(error.what()).find("newer"), std::string::npos) << error.what();
    }
}

// The first file layout indexed each unit by a trigger. Opened now, the trigger goes, and a unit
// added afterwards is indexed once, so an alike text finds it.
TEST(EmbeddedMemory, FileWithTheIndexingTriggerIsUpgradedAndIndexesOnce)
{
    test::TempDir dir;
    const auto file = dir / "memory.db";
    SqliteMemory(file).add(unit("Open the file", "Datei öffnen"));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    const char* downgrade = "UPDATE tm_meta SET value = '1' WHERE key = 'schema';"
                            "CREATE TRIGGER tm_unit_indexed AFTER INSERT ON tm_unit BEGIN"
                            " INSERT INTO tm_fts (rowid, norm) VALUES (new.id, new.norm); END;";
    ASSERT_EQ(sqlite3_exec(db, downgrade, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    SqliteMemory memory(file);
    memory.add(unit("Save the file", "Datei speichern"));
    memory.add(unit("Save the file", "Datei speichern"));
    const auto matches = memory.lookup("Save the files", "en-US", "de-DE", 5, 50);
    ASSERT_FALSE(matches.empty());
    EXPECT_EQ(matches[0].unit.target, "Datei speichern");

    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* count = nullptr;
    sqlite3_prepare_v2(db, "SELECT (SELECT count(*) FROM sqlite_master WHERE type = 'trigger'),"
                           " (SELECT value FROM tm_meta WHERE key = 'schema')", -1, &count, nullptr);
    ASSERT_EQ(sqlite3_step(count), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(count, 0), 0);
    EXPECT_EQ(sqlite3_column_int(count, 1), kMemorySchemaVersion);
    sqlite3_finalize(count);
    sqlite3_close(db);
}

// The server drops the connection (a restart, an administrator): the next lookup and the next
// addition connect again instead of failing for the rest of the session.
TEST(SharedMemory, ADroppedConnectionIsMadeAgain)
{
    test::SharedStore store;
    if (const std::string why = store.unavailable(); !why.empty())
        GTEST_SKIP() << why;
    std::unique_ptr<TranslationMemory> memory = store.open();
    memory->add(unit("Open the file", "Datei öffnen"));
    auto dropOthers = [&] {
        PGconn* admin = PQconnectdb(store.location().c_str());
        PGresult* result = PQexec(admin, "SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
                                         " WHERE datname = current_database() AND pid <> pg_backend_pid()");
        EXPECT_EQ(PQresultStatus(result), PGRES_TUPLES_OK) << PQerrorMessage(admin);
        PQclear(result);
        PQfinish(admin);
    };
    dropOthers();
    EXPECT_EQ(memory->lookup("Open the files", "en-US", "de-DE", 5, 50).size(), 1u);
    dropOthers();
    memory->add(unit("Save the file", "Datei speichern"));
    EXPECT_EQ(memory->size(), 2);
}

// A team member who did not create the memory (and so does not own its index) adds a large
// batch like anyone else.
TEST(SharedMemory, AMemberWhoDoesNotOwnTheIndexAddsALargeBatch)
{
    test::SharedStore store;
    if (const std::string why = store.unavailable(); !why.empty())
        GTEST_SKIP() << why;
    store.open();  // the creator makes the schema
    PGconn* admin = PQconnectdb(store.location().c_str());
    PGresult* grant = PQexec(admin, "DO $$ BEGIN IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'member') THEN"
                                    " CREATE ROLE member LOGIN; END IF; END $$;"
                                    " GRANT ALL ON ALL TABLES IN SCHEMA public TO member;"
                                    " GRANT ALL ON ALL SEQUENCES IN SCHEMA public TO member");
    ASSERT_EQ(PQresultStatus(grant), PGRES_COMMAND_OK) << PQerrorMessage(admin);
    PQclear(grant);
    PQfinish(admin);
    std::string location = store.location();
    location.replace(location.find("user=qmk"), 8, "user=member");
    PostgresMemory member(location);
    std::vector<MemoryUnit> units;
    for (int i = 0; i < 1500; ++i)
        units.push_back(unit("Text number " + std::to_string(i), "Text Nummer " + std::to_string(i)));
    member.add(units);
    EXPECT_EQ(member.size(), 1500);
    EXPECT_FALSE(member.lookup("Text number 1234", "en-US", "de-DE", 5, 100).empty());
}

TEST(EmbeddedMemory, FileOfAnotherProgramIsRefusedAndLeftAlone)
{
    test::TempDir dir;
    const auto file = dir / "other.db";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE Texts (a); INSERT INTO Texts VALUES (1)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_THROW(SqliteMemory{file}, MemoryError);
    EXPECT_THROW(openTranslationMemory("postgresql:///nothing?host=/nonexistent"), MemoryError);
}

TEST(EmbeddedMemory, DefaultFileLivesInTheUsersDataFolder)
{
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string keep = saved ? saved : "";
    setenv("XDG_DATA_HOME", "/tmp/xdg-data", 1);
    EXPECT_EQ(defaultMemoryFile(), std::filesystem::path("/tmp/xdg-data/qmk32/memory.db"));
    if (saved)
        setenv("XDG_DATA_HOME", keep.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    EXPECT_TRUE(isServerLocation("postgresql://team@db.example/tm"));
    EXPECT_TRUE(isServerLocation("host=/run/postgresql dbname=tm"));
    EXPECT_FALSE(isServerLocation("/home/a/memory.db"));
}

} // namespace
} // namespace qmk
