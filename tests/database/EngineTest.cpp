// The engine layer: foreign and damaged files are refused untouched, transactions roll back,
// columns come and go while the file is open, and unwritable places leave nothing behind.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "database/LineStore.h"
#include "database/SqliteDatabase.h"
#include "database/Transaction.h"

namespace qmk {
namespace {

using test::readFile;
using test::TempDir;

int primaryCode(const DaoException& e)
{
    return e.code() & 0xFF;
}

// A finished project database with enough lines to fill many pages.
std::filesystem::path buildDatabase(const TempDir& dir, const std::string& name, int lines)
{
    std::filesystem::path path = dir / name;
    CProjectDatabase db;
    db.createNew(path);
    {
        auto store = db.lineStore();
        for (int i = 0; i < lines; ++i) {
            store->addLine({10 + i, i + 1, 70, 0, "  IDS_" + std::to_string(i) + ", \"", "\""});
            store->addText(10 + i, std::string(40, 'a' + i % 26), false);
            store->addStringtableString({10 + i, "IDS_" + std::to_string(i)});
        }
        store->commit();
    }
    db.finishNew();
    return path;
}

TEST(EngineOpenTest, ForeignFileIsRefusedAndLeftUntouched)
{
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 200; ++i)
        bytes += "this is a resource script, not a database\r\n";
    auto path = dir.write("app_rc.mdb", bytes);

    SqliteDatabase db;
    try {
        db.open(path);
        FAIL() << "a text file opened as a database";
    } catch (const DaoException& e) {
        EXPECT_EQ(primaryCode(e), SQLITE_NOTADB);
        EXPECT_NE(e.report().find("Dao Error (26):\n"), std::string::npos) << e.report();
        EXPECT_NE(e.description().find(path.string()), std::string::npos);
    }
    EXPECT_FALSE(db.isOpen());
    EXPECT_EQ(readFile(path), bytes);
    EXPECT_FALSE(CProjectDatabase::isProjectDatabase(path));
}

TEST(EngineOpenTest, TruncatedDatabaseIsRefusedAndLeftUntouched)
{
    TempDir dir;
    auto path = buildDatabase(dir, "app_rc.mdb", 3000);
    ASSERT_TRUE(CProjectDatabase::isProjectDatabase(path));
    std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
    std::string damaged = readFile(path);

    SqliteDatabase db;
    EXPECT_THROW(db.open(path), DaoException);
    EXPECT_FALSE(db.isOpen());
    EXPECT_EQ(readFile(path), damaged);
    EXPECT_FALSE(CProjectDatabase::isProjectDatabase(path));
}

TEST(EngineOpenTest, OverwrittenPagesAreRefused)
{
    TempDir dir;
    auto path = buildDatabase(dir, "app_rc.mdb", 3000);
    std::string bytes = readFile(path);
    for (std::size_t i = 4096; i < bytes.size(); i += 4096)
        bytes.replace(i, 64, std::string(64, '\x5A'));
    dir.write("app_rc.mdb", bytes);

    CProjectDatabase db;
    EXPECT_THROW(db.open(path), DaoException);
    EXPECT_FALSE(db.isOpen());
}

TEST(EngineOpenTest, MissingFileIsAnErrorAndNotCreated)
{
    TempDir dir;
    SqliteDatabase db;
    EXPECT_THROW(db.open(dir / "none.mdb"), DaoException);
    EXPECT_FALSE(std::filesystem::exists(dir / "none.mdb"));
}

TEST(EngineOpenTest, ReadOnlyConnectionRefusesWrites)
{
    TempDir dir;
    auto path = buildDatabase(dir, "app_rc.mdb", 5);
    CProjectDatabase db;
    db.open(path, OpenMode{false, true, true});
    EXPECT_EQ(db.texts().textCount(), 5);
    EXPECT_THROW(db.texts().setExclude(10, true), DaoException);
}

TEST(EngineStatementTest, NullReadsAsZeroAndEmptyText)
{
    TempDir dir;
    SqliteDatabase db;
    db.create(dir / "x.db");
    Statement row = db.prepare("SELECT NULL AS Number, NULL AS Words");
    ASSERT_TRUE(row.step());
    EXPECT_EQ(row.integer("Number"), 0);
    EXPECT_EQ(row.text("Words"), "");
    EXPECT_TRUE(row.isNull("number"));  // field names ignore case, as the engine's do
}

TEST(EngineStatementTest, UnknownParameterOrFieldIsAnError)
{
    TempDir dir;
    SqliteDatabase db;
    db.create(dir / "x.db");
    Statement row = db.prepare("SELECT :LineIndex AS LineIndex");
    EXPECT_THROW(row.bind("Lineindex2", 5), DaoException);
    row.bind("LineIndex", 5);
    ASSERT_TRUE(row.step());
    EXPECT_THROW(row.integer("Line"), DaoException);
}

TEST(EngineStatementTest, NestedUseOfOneQueryDoesNotShareTheStatement)
{
    TempDir dir;
    SqliteDatabase db;
    db.create(dir / "x.db");
    db.execute("CREATE TABLE t (v INTEGER); INSERT INTO t VALUES (1), (2), (3);");
    const char* sql = "SELECT v FROM t ORDER BY v";
    Statement outer = db.prepare(sql);
    int pairs = 0;
    while (outer.step()) {
        Statement inner = db.prepare(sql);
        while (inner.step())
            ++pairs;
    }
    EXPECT_EQ(pairs, 9);
}

TEST(EngineTransactionTest, GuardWithoutCommitRollsBack)
{
    TempDir dir;
    SqliteDatabase db;
    db.create(dir / "x.db");
    db.execute("CREATE TABLE t (v INTEGER)");
    {
        Transaction outer(db);
        db.execute("INSERT INTO t VALUES (1)");
        {
            Transaction inner(db);
            db.execute("INSERT INTO t VALUES (2)");
        }  // inner rolled back, outer goes on
        outer.commit();
    }
    {
        Transaction dropped(db);
        db.execute("INSERT INTO t VALUES (3)");
    }
    Statement rows = db.prepare("SELECT group_concat(v) FROM t");
    ASSERT_TRUE(rows.step());
    EXPECT_EQ(rows.text(0), "1");
}

TEST(EngineColumnsTest, ColumnsAreAddedAndDroppedWhileOpenEvenWhenIndexed)
{
    TempDir dir;
    SqliteDatabase db;
    db.create(dir / "x.db");
    db.execute("CREATE TABLE ResourceText (LineIndex INTEGER PRIMARY KEY, SourceText TEXT)");
    db.addColumn("ResourceText", "Say \"hi\"", ColumnType::Text);
    db.addColumn("ResourceText", "Say \"hi\"_Modified", ColumnType::Byte);
    EXPECT_TRUE(db.fieldExists("ResourceText", "Say \"hi\""));
    db.execute("CREATE INDEX ByText ON ResourceText (\"Say \"\"hi\"\"\")");
    db.execute("INSERT INTO ResourceText (LineIndex) VALUES (10)");
    {
        Statement row = db.prepare("SELECT * FROM ResourceText");
        ASSERT_TRUE(row.step());
        EXPECT_EQ(row.integer("Say \"hi\"_Modified"), 0);  // a new flag column starts at 0
    }
    db.dropColumn("ResourceText", "Say \"hi\"");
    EXPECT_FALSE(db.fieldExists("ResourceText", "Say \"hi\""));
    EXPECT_EQ(db.fields("ResourceText"), (std::vector<std::string>{"LineIndex", "SourceText", "Say \"hi\"_Modified"}));
}

TEST(EngineColumnsTest, IdentifiersAreQuotedWithInnerQuotesDoubled)
{
    EXPECT_EQ(quoteIdentifier("German"), "\"German\"");
    EXPECT_EQ(quoteIdentifier("a\"b"), "\"a\"\"b\"");
    EXPECT_EQ(quoteIdentifier("x\"; DROP TABLE Project; --"), "\"x\"\"; DROP TABLE Project; --\"");
}

TEST(NewDatabaseTest, UnwritableFolderGivesAClearErrorAndNoFile)
{
    TempDir dir;
    std::filesystem::path folder = dir / "locked";
    std::filesystem::create_directory(folder);
    std::filesystem::path target = folder / "app_rc.mdb";
    if (geteuid() == 0) {
        // Permissions do not bind the superuser: use a folder that cannot exist instead.
        dir.write("plainfile", "x");
        folder = dir / "plainfile";
        target = folder / "app_rc.mdb";
    } else {
        chmod(folder.c_str(), 0555);
    }
    CProjectDatabase db;
    try {
        db.createNew(target);
        FAIL() << "created a database in an unwritable place";
    } catch (const DaoException& e) {
        EXPECT_EQ(primaryCode(e), SQLITE_CANTOPEN);
        EXPECT_NE(e.description().find(target.string()), std::string::npos) << e.description();
    }
    EXPECT_FALSE(db.isOpen());
    if (std::filesystem::is_directory(folder)) {
        EXPECT_TRUE(std::filesystem::is_empty(folder));
    }
    chmod((dir / "locked").c_str(), 0755);
}

TEST(NewDatabaseTest, DroppedBuildLeavesNoFile)
{
    TempDir dir;
    {
        CProjectDatabase db;
        db.createNew(dir / "app_rc.mdb");
        auto store = db.lineStore();
        store->addLine({10, 1, 65, 0, "#define X 1", ""});
        store->commit();
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(NewDatabaseTest, FinishedBuildReplacesTheTargetAndStaysOpen)
{
    TempDir dir;
    dir.write("app_rc.mdb", "old");
    CProjectDatabase db;
    db.createNew(dir / "app_rc.mdb");
    db.writeProjectRow("app.rc", {10, 1, 2}, {});
    db.finishNew();
    EXPECT_TRUE(db.isOpen());
    EXPECT_EQ(db.fileVersion(), 8);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// A full disk: the file size limit makes every write past it fail, as a full disk would.
TEST(NewDatabaseTest, FullDiskGivesAnErrorAndNoFile)
{
    TempDir dir;
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64 * 1024, 64 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        int result = 1;  // no error reported
        try {
            CProjectDatabase db;
            db.createNew(dir / "big_rc.mdb");
            auto store = db.lineStore();
            for (int i = 0; i < 20000; ++i) {
                store->addLine({10 + i, i + 1, 70, 0, "  IDS_X, \"", "\""});
                store->addText(10 + i, std::string(200, 'x'), false);
            }
            store->commit();
            db.finishNew();
        } catch (const DaoException&) {
            result = 0;
        }
        if (result == 0 && !std::filesystem::is_empty(dir.path()))
            result = 2;  // something was left behind
        _exit(result);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no error reported, 2: a file was left behind";
}

} // namespace
} // namespace qmk
