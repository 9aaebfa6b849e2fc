// The batch operations Export and Import: their reports and exit statuses.
#include <gtest/gtest.h>

#include <sstream>

#include "app/BatchOperations.h"
#include "database/CProjectDatabase.h"
#include "exchange/ExchangeFixture.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

using test::French;
using test::German;

class BatchExchangeTest : public ::testing::Test, public test::ExchangeFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc().NewTranslation(German, "app-German.rc"));
        ASSERT_TRUE(doc().NewTranslation(French, "app-French.rc"));
        ASSERT_TRUE(db().texts().setTranslation(stringLine("IDS_BYE"), German, "Auf Wiedersehen", false));
        database_ = doc().databasePath().string();
        bye_ = stringLine("IDS_BYE");
        doc().OnCloseDocument();
    }

    BatchStatus run(BatchStatus (*operation)(const std::vector<std::string>&, BatchReport&,
                                             const std::vector<std::string>&),
                    const std::vector<std::string>& params)
    {
        BatchReport report(out_, err_, "");
        return operation(params, report, extensions());
    }

    std::string translationIn(const std::string& database, int lineIndex, LanguageId language)
    {
        CProjectDatabase db;
        db.open(database);
        auto t = db.texts().translation(lineIndex, language);
        return t ? t->text : "<none>";
    }

    std::string database_;
    int bye_ = 0;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(BatchExchangeTest, ExportReportsEveryExportedLanguage)
{
    const std::string target = (dir() / "German_rc.mdb").string();
    EXPECT_EQ(run(batchExport, {database_, target, "German"}), BatchStatus::Success);
    EXPECT_EQ(out_.str(), std::string(txt::BatchExportStart) + "\n" +
                              printfText(txt::BatchExportDone, {database_, target}) + "\n" +
                              printfText(txt::BatchExportLanguage, {"German"}) + "\n");
    CProjectDatabase exported;
    exported.open(target);
    EXPECT_EQ(exported.languages().translationIds().size(), 1u);
}

TEST_F(BatchExchangeTest, ExportWithoutLanguagesTakesThemAll)
{
    const std::string target = (dir() / "all.mdb").string();
    EXPECT_EQ(run(batchExport, {database_, target}), BatchStatus::Success);
    EXPECT_NE(out_.str().find(printfText(txt::BatchExportLanguage, {"French"})), std::string::npos);
    EXPECT_NE(out_.str().find(printfText(txt::BatchExportLanguage, {"German"})), std::string::npos);
}

TEST_F(BatchExchangeTest, ExportRefusesBadLanguagesAndItsOwnDatabase)
{
    const std::string target = (dir() / "x.mdb").string();
    EXPECT_EQ(run(batchExport, {database_, target, "Klingon"}), BatchStatus::UsageError);
    EXPECT_NE(err_.str().find(printfText(txt::BatchInvalidLanguage, {"Klingon"})), std::string::npos);
    EXPECT_EQ(run(batchExport, {database_, target, "Italian"}), BatchStatus::Failed);
    EXPECT_NE(err_.str().find(printfText(txt::BatchLanguageNotInDatabase, {"Italian", database_})), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_EQ(run(batchExport, {database_, database_}), BatchStatus::Failed);
    EXPECT_EQ(translationIn(database_, bye_, German), "Auf Wiedersehen");
}

TEST_F(BatchExchangeTest, ImportFromADatabase)
{
    // A second project of the same script, without translations.
    auto other = openProject("copy.rc", test::kProjectScript);
    ASSERT_TRUE(other);
    const std::string to = other->databasePath().string();
    other->OnCloseDocument();
    other.reset();

    EXPECT_EQ(run(batchImport, {database_, "German", to}), BatchStatus::Success);
    EXPECT_EQ(out_.str(), std::string(txt::BatchImportStart) + "\n" +
                              printfText(txt::BatchImportDone, {"German", database_, to}) + "\n");
    EXPECT_EQ(translationIn(to, bye_, German), "Auf Wiedersehen");
}

TEST_F(BatchExchangeTest, ImportFromATranslatedScript)
{
    const std::string script =
        dir().write("app-French.rc", "STRINGTABLE\nBEGIN\n    IDS_BYE \"Au revoir\"\nEND\n").string();
    EXPECT_EQ(run(batchImport, {script, "French", database_}), BatchStatus::Success);
    EXPECT_NE(out_.str().find(printfText(txt::BatchImportDone, {"French", script, database_})), std::string::npos);
    EXPECT_EQ(translationIn(database_, bye_, French), "Au revoir");
}

TEST_F(BatchExchangeTest, ImportFailuresHaveTheirReports)
{
    const std::string missing = (dir() / "missing.mdb").string();
    EXPECT_EQ(run(batchImport, {missing, "German", database_}), BatchStatus::Failed);
    EXPECT_NE(err_.str().find(printfText(txt::BatchFileNotFound, {missing})), std::string::npos);

    const std::string text = dir().write("notes.txt", "x").string();
    EXPECT_EQ(run(batchImport, {text, "German", database_}), BatchStatus::Failed);
    EXPECT_NE(err_.str().find(printfText(txt::BatchWrongFileType, {text})), std::string::npos);

    EXPECT_EQ(run(batchImport, {database_, "Klingon", database_}), BatchStatus::UsageError);

    auto bare = openProject("bare.rc", test::kProjectScript);
    const std::string bareDb = bare->databasePath().string();
    bare->OnCloseDocument();
    bare.reset();
    EXPECT_EQ(run(batchImport, {bareDb, "German", database_}), BatchStatus::Failed);
    EXPECT_NE(err_.str().find(printfText(txt::BatchLanguageNotInDatabase, {"German", bareDb})), std::string::npos);
}

} // namespace
} // namespace qmk
