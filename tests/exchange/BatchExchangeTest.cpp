// The batch operations Export, Import and the workbook exchange: their reports and exit statuses.
#include <gtest/gtest.h>

#include <sstream>

#include "app/BatchOperations.h"
#include "app/CBatchCommandLineInfo.h"
#include "exchange/PlatformExchange.h"
#include "database/CProjectDatabase.h"
#include "exchange/ExchangeFixture.h"
#include "exchange/WorkbookExport.h"
#include "exchange/WorkbookReader.h"
#include "exchange/WorkbookWriter.h"
#include "resources/Messages.h"
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

using Grid = std::vector<std::vector<std::string>>;

Grid readGrid(const std::string& path)
{
    WorkbookReader reader;
    EXPECT_TRUE(reader.open(path)) << reader.errorDetail();
    Grid grid(static_cast<std::size_t>(reader.rowCount()));
    for (int r = 0; r < reader.rowCount(); ++r)
        for (int c = 0; c < reader.columnCount(); ++c)
            grid[static_cast<std::size_t>(r)].push_back(reader.text(r, c));
    return grid;
}

// The grid as a workbook; with the export id of the workbook it was read from, as a spreadsheet
// application saving the workbook keeps it.
void writeGrid(const std::string& path, const Grid& grid, const std::string& exportId = {})
{
    WorkbookWriter writer;
    ASSERT_TRUE(writer.create(path));
    if (!exportId.empty()) {
        ASSERT_TRUE(writer.setCustomProperty(WorkbookExport::ExportIdProperty, exportId));
    }
    for (std::size_t r = 0; r < grid.size(); ++r)
        for (std::size_t c = 0; c < grid[r].size(); ++c)
            ASSERT_TRUE(writer.writeText(static_cast<int>(r), static_cast<int>(c), grid[r][c]));
    ASSERT_TRUE(writer.close()) << writer.errorDetail();
}

std::string exportIdOf(const std::string& path)
{
    WorkbookReader reader;
    EXPECT_TRUE(reader.open(path)) << reader.errorDetail();
    return reader.customProperty(WorkbookExport::ExportIdProperty);
}

// The Id column's row of a text in a workbook grid.
const std::vector<std::string>& workbookRow(const Grid& grid, const std::string& id)
{
    for (const auto& row : grid)
        if (row.size() > 2 && row[2] == id)
            return row;
    static const std::vector<std::string> none;
    ADD_FAILURE() << "no row " << id;
    return none;
}

TEST_F(BatchExchangeTest, WorkbookExportWritesTheTextTableWithTheLanguagesGiven)
{
    const std::string all = (dir() / "all.xlsx").string();
    ASSERT_EQ(run(batchExportWorkbook, {database_, all}), BatchStatus::Success) << err_.str();
    Grid grid = readGrid(all);
    ASSERT_FALSE(grid.empty());
    EXPECT_EQ(grid[0], (std::vector<std::string>{txt::HeaderResourceIdent, txt::HeaderItemType, txt::HeaderId,
                                                 txt::HeaderSourceText, "German", "French"}));
    EXPECT_EQ(workbookRow(grid, "IDS_BYE").at(4), "Auf Wiedersehen");
    EXPECT_NE(out_.str().find(printfText(txt::BatchWorkbookExportStart, {database_, all})), std::string::npos);
    EXPECT_NE(out_.str().find(printfText(txt::BatchWorkbookExportDone, {std::to_string(grid.size() - 2) + " rows", all})),
              std::string::npos);

    const std::string french = (dir() / "french.xlsx").string();
    ASSERT_EQ(run(batchExportWorkbook, {database_, french, "French"}), BatchStatus::Success) << err_.str();
    grid = readGrid(french);
    ASSERT_EQ(grid[0].size(), 5u);
    EXPECT_EQ(grid[0][4], "French");
}

TEST_F(BatchExchangeTest, WorkbookExportRefusesOtherFilesAndUnknownLanguages)
{
    const std::string csv = (dir() / "texts.csv").string();
    EXPECT_EQ(run(batchExportWorkbook, {database_, csv}), BatchStatus::Failed);
    EXPECT_NE(err_.str().find(printfText(txt::BatchWrongFileType, {csv})), std::string::npos);
    const std::string book = (dir() / "texts.xlsx").string();
    EXPECT_EQ(run(batchExportWorkbook, {database_, book, "Klingon"}), BatchStatus::UsageError);
    EXPECT_EQ(run(batchExportWorkbook, {database_, book, "Italian"}), BatchStatus::Failed);
    EXPECT_FALSE(std::filesystem::exists(csv));
    EXPECT_FALSE(std::filesystem::exists(book));
}

TEST_F(BatchExchangeTest, WorkbookImportTakesTheLanguageColumnAsImportAllDoes)
{
    const std::string book = (dir() / "book.xlsx").string();
    ASSERT_EQ(run(batchExportWorkbook, {database_, book}), BatchStatus::Success) << err_.str();
    Grid grid = readGrid(book);
    for (auto& row : grid)
        if (row.size() > 4 && row[2] == "IDS_BYE")
            row[4] = "Tsch\xC3\xBC\x73s";
    writeGrid(book, grid, exportIdOf(book));
    out_.str("");

    EXPECT_EQ(run(batchImport, {book, "German", database_}), BatchStatus::Success) << err_.str();
    EXPECT_EQ(translationIn(database_, bye_, German), "Tsch\xFC\x73s");  // stored in code page 1252
    EXPECT_NE(out_.str().find(fillPlaceholders(txt::ImportAllDone, {"1"})), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find(printfText(txt::BatchImportDone, {"German", book, database_})), std::string::npos);

    // A second run finds nothing new and says so, as the window does.
    out_.str("");
    EXPECT_EQ(run(batchImport, {book, "German", database_}), BatchStatus::Success) << err_.str();
    EXPECT_NE(out_.str().find(txt::ImportAllCurrent), std::string::npos) << out_.str();
}

TEST_F(BatchExchangeTest, WorkbookImportFailuresAreReportedAndFail)
{
    const std::string german = (dir() / "german.xlsx").string();
    ASSERT_EQ(run(batchExportWorkbook, {database_, german, "German"}), BatchStatus::Success) << err_.str();
    EXPECT_EQ(run(batchImport, {german, "French", database_}), BatchStatus::Failed);
    EXPECT_NE(err_.str().find(printfText(txt::BatchWorkbookNoLanguage, {german, "French"})), std::string::npos);

    const std::string broken = dir().write("broken.xlsx", "not a zip archive").string();
    err_.str("");
    EXPECT_EQ(run(batchImport, {broken, "German", database_}), BatchStatus::Failed);
    EXPECT_NE(err_.str().find(broken), std::string::npos) << err_.str();
    EXPECT_EQ(translationIn(database_, bye_, German), "Auf Wiedersehen");
}

} // namespace
} // namespace qmk

namespace qmk {

TEST_F(BatchExchangeTest, APlatformFileWithoutItsExportReplacesATranslationOnlyWithOverwrite)
{
    // An XLIFF another tool made: exported here, its export id gone, a translation changed.
    const std::string file = (dir() / "de.xlf").string();
    {
        BatchReport report(out_, err_, "");
        ASSERT_EQ(batchExportForPlatforms({database_, "German", file}, report, extensions(), ExchangeKind::Xliff),
                  BatchStatus::Success)
            << err_.str();
    }
    std::string problem;
    std::optional<ExchangeDocument> document = readExchangeFile(file, ExchangeKind::Xliff, problem);
    ASSERT_TRUE(document) << problem;
    ASSERT_FALSE(document->header.exportId.empty());
    document->header.exportId.clear();
    for (ExchangeUnit& unit : document->units)
        if (unit.ident == "IDS_BYE")
            unit.target = "Tschuess";
    ASSERT_TRUE(writeExchangeFile(file, ExchangeKind::Xliff, *document, problem)) << problem;

    EXPECT_EQ(run(batchImport, {file, "German", database_}), BatchStatus::UnitsRefused);  // listed, exit 3
    EXPECT_EQ(translationIn(database_, bye_, German), "Auf Wiedersehen");
    EXPECT_NE(out_.str().find("/OVERWRITE"), std::string::npos) << out_.str();
    EXPECT_EQ(run(batchImport, {file, "German", database_, OverwriteParameter}), BatchStatus::Success) << out_.str();
    EXPECT_EQ(translationIn(database_, bye_, German), "Tschuess");
}

} // namespace qmk

namespace qmk {

TEST_F(BatchExchangeTest, AWorkbookImportListsTextsChangedOnBothSidesOrOfNoKnownExportAndEndsWithStatus3)
{
    const std::string book = (dir() / "book.xlsx").string();
    ASSERT_EQ(run(batchExportWorkbook, {database_, book, "German"}), BatchStatus::Success) << err_.str();
    const std::string exportId = exportIdOf(book);
    ASSERT_FALSE(exportId.empty());
    {
        CProjectDatabase db;
        db.open(database_);
        db.texts().setTranslation(bye_, German, "Tschau", false);  // changed here after the export
    }
    Grid grid = readGrid(book);
    for (auto& row : grid)
        if (row.size() > 4 && row[2] == "IDS_BYE")
            row[4] = "Tschuess";  // and in the workbook
    writeGrid(book, grid, exportId);
    out_.str("");
    EXPECT_EQ(run(batchImport, {book, "German", database_}), BatchStatus::UnitsRefused) << err_.str();
    EXPECT_EQ(translationIn(database_, bye_, German), "Tschau");
    EXPECT_NE(out_.str().find("\"Tschau\" (flagged for review); the workbook has \"Tschuess\""), std::string::npos)
        << out_.str();

    // The same workbook without its id (another copy of it): listed, replaced only when asked.
    writeGrid(book, grid);
    out_.str("");
    EXPECT_EQ(run(batchImport, {book, "German", database_}), BatchStatus::UnitsRefused);
    EXPECT_NE(out_.str().find("/OVERWRITE"), std::string::npos) << out_.str();
    EXPECT_EQ(translationIn(database_, bye_, German), "Tschau");
    EXPECT_EQ(run(batchImport, {book, "German", database_, OverwriteParameter}), BatchStatus::Success) << out_.str();
    EXPECT_EQ(translationIn(database_, bye_, German), "Tschuess");
}

} // namespace qmk
