#include <gtest/gtest.h>

#include <sys/stat.h>

#include <ctime>
#include <fcntl.h>
#include <sstream>

#include "app/BatchOperations.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "database/SqliteDatabase.h"
#include "project/CQuillDoc.h"

namespace qmk {
namespace {

const std::string kScript = "STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hello\"\nEND\n";

class BatchUpdateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        script = dir.write("app.rc", kScript);
        stamp(0);
        test::RecordingFeedback feedback;
        CQuillDoc doc(feedback, {".DLG"});
        ASSERT_TRUE(doc.OnOpenDocument(script));
        database = doc.databasePath().string();
        doc.OnCloseDocument();
    }

    void stamp(int minutes)
    {
        const std::time_t when = start + 60 * minutes;
        struct timespec times[2] = {{when, 0}, {when, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, script.c_str(), times, 0), 0);
    }

    BatchStatus run(BatchStatus (*operation)(const std::vector<std::string>&, BatchReport&,
                                             const std::vector<std::string>&),
                    const std::vector<std::string>& params)
    {
        out.str({});
        err.str({});
        BatchReport report(out, err, "");
        return operation(params, report, {".DLG"});
    }

    std::string sourceText()
    {
        CProjectDatabase db;
        db.open(database);
        return db.update().stringsByIdent("IDS_HELLO").front().sourceText;
    }

    test::TempDir dir;
    std::filesystem::path script;
    std::string database;
    std::time_t start = std::time(nullptr) - 24 * 3600;
    std::ostringstream out, err;
};

} // namespace

TEST_F(BatchUpdateTest, UpToDateAnswersYesForAnUnchangedScriptAndNoForAChangedOne)
{
    EXPECT_EQ(run(batchUpToDate, {database}), BatchStatus::Success);
    EXPECT_EQ(out.str(), "QMK:  Check datatabase if UpToDate.\n     " + database +
                             "\n   (Yes)  Database check successful. Database is UpToDate.\n");
    stamp(5);  // saved again with the same bytes
    EXPECT_EQ(run(batchUpToDate, {database}), BatchStatus::Success);
    dir.write("app.rc", "STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hallo\"\nEND\n");
    EXPECT_EQ(run(batchUpToDate, {database}), BatchStatus::CheckAnsweredNo);
    EXPECT_EQ(out.str(), "QMK:  Check datatabase if UpToDate.\n     " + database +
                             "\n   (No)   Database check successful. Database is not UpToDate.\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(BatchUpdateTest, UpToDateComparesWithAGivenScript)
{
    const std::string other = dir.write("other.rc", kScript + "\n").string();
    EXPECT_EQ(run(batchUpToDate, {other, database}), BatchStatus::CheckAnsweredNo);
    EXPECT_EQ(out.str(), "QMK: Check datatabase if UpToDate.\n     Resource file:  " + other + "\n     Database: " +
                             database + "\n   (No)   Database check successful. Database is not UpToDate.\n");
}

TEST_F(BatchUpdateTest, UpdateBringsTheDatabaseUpToDateAndCountsWhatChanged)
{
    {
        // A German translation, to be flagged when its source changes.
        test::RecordingFeedback feedback;
        CQuillDoc doc(feedback, {".DLG"});
        ASSERT_TRUE(doc.OnOpenDocument(script));
        ASSERT_TRUE(doc.NewTranslation(LanguageId{7, 1}, "app-German.rc"));
        ASSERT_TRUE(doc.database().texts().setTranslation(doc.database().update().stringsByIdent("IDS_HELLO").front().lineIndex,
                                                          LanguageId{7, 1}, "Hallo", false));
        doc.OnCloseDocument();
    }
    dir.write("app.rc", "STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hi\"\n    IDS_NEW \"New\"\nEND\n");
    stamp(5);
    EXPECT_EQ(run(batchUpdate, {database}), BatchStatus::Success);
    EXPECT_EQ(out.str(), "QMK: Update database.  File:  " + database +
                             "\n     Update successful.\n"
                             "     1 text changed, 1 new text, 0 texts removed, 1 translation flagged for review.\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(sourceText(), "Hi");
    EXPECT_EQ(run(batchUpToDate, {database}), BatchStatus::Success);
}

TEST_F(BatchUpdateTest, UpdateFromAGivenScriptMakesItTheProjectsScript)
{
    const std::string other = dir.write("other.rc", "STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hallo\"\nEND\n").string();
    EXPECT_EQ(run(batchUpdate, {other, database}), BatchStatus::Success);
    EXPECT_EQ(out.str(), "QMK:  Update database.\n     Resource file: " + other + "\n     Database: " + database +
                             "\n     Update successful.\n"
                             "     1 text changed, 0 new texts, 0 texts removed, 0 translations flagged for review.\n");
    EXPECT_EQ(sourceText(), "Hallo");
    EXPECT_EQ(run(batchUpToDate, {other, database}), BatchStatus::Success);
}

TEST_F(BatchUpdateTest, FailedUpdateReportsItAndKeepsTheDatabase)
{
    const std::string before = test::readFile(database);
    dir.write("app.rc", kScript + "IDM_BAD MENU\nBEGIN\n    POPUP\nEND\n");
    stamp(5);
    EXPECT_EQ(run(batchUpdate, {database}), BatchStatus::Failed);
    EXPECT_EQ(out.str(), "QMK: Update database.  File:  " + database + "\n");
    EXPECT_NE(err.str().find("Error updateing resource file"), std::string::npos);
    EXPECT_NE(err.str().find("QMK Warning:  Database not updated.\n"), std::string::npos);
    EXPECT_EQ(test::readFile(database), before);
}

TEST_F(BatchUpdateTest, MissingFilesAreNamed)
{
    const std::string missing = (dir / "missing.rc").string();
    EXPECT_EQ(run(batchUpdate, {missing, database}), BatchStatus::Failed);
    EXPECT_EQ(err.str(), "QMK Error:  File not found !  " + missing + "\nQMK Warning:  Database not updated.\n");

    std::filesystem::remove(script);
    EXPECT_EQ(run(batchUpToDate, {database}), BatchStatus::Failed);
    EXPECT_EQ(err.str(), "QMK Error:  File not found !  " + script.string() + "\nQMK Error:  Command failed !\n");

    EXPECT_EQ(run(batchUpToDate, {(dir / "none.mdb").string()}), BatchStatus::Failed);
    EXPECT_NE(err.str().find("QMK Error:  File not found !  "), std::string::npos);
}

TEST_F(BatchUpdateTest, AProjectAnotherProgramIsWritingIsReportedAsInUse)
{
    SqliteDatabase writer;
    writer.open(database, OpenMode{false, false, false});
    writer.execute("BEGIN EXCLUSIVE");
    EXPECT_EQ(run(batchUpToDate, {database}), BatchStatus::Failed);
    EXPECT_NE(err.str().find("in use by another program"), std::string::npos) << err.str();
    writer.execute("ROLLBACK");
    EXPECT_EQ(run(batchUpToDate, {database}), BatchStatus::Success);
}

} // namespace qmk
