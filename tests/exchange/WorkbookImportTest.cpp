// The workbook import over exported and edited workbooks: header checks, the pair search
// (exact match, pairs in order, restart, excluded rows, end of data), the import operations
// with their counts and reports, code pages, and sheet marks saved only when asked.
#include <gtest/gtest.h>

#include "exchange/WorkbookExport.h"
#include "exchange/WorkbookImport.h"
#include "exchange/WorkbookProject.h"
#include "exchange/WorkbookReader.h"

namespace qmk {
namespace {

using test::Greek;
using test::Grid;
using test::Russian;
using Direction = WorkbookImport::Direction;

constexpr int RussianColumn = 4, GreekColumn = 5;
// "Выход", "Привет мир", "Καλημέρα" in UTF-8, and the same in their code pages.
const std::string ExitRu = "\xD0\x92\xD1\x8B\xD1\x85\xD0\xBE\xD0\xB4";
const std::string ExitRu1251 = "\xC2\xFB\xF5\xEE\xE4";
const std::string HelloRu = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD0\xBC\xD0\xB8\xD1\x80";
const std::string HelloRu1251 = "\xCF\xF0\xE8\xE2\xE5\xF2 \xEC\xE8\xF0";
const std::string HelloEl = "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1";
const std::string HelloEl1253 = "\xCA\xE1\xEB\xE7\xEC\xDD\xF1\xE1";

class WorkbookImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(project.open(test::kWorkbookScript, {Russian, Greek}));
        exportProject();
    }

    void exportProject()
    {
        WorkbookExport exporter(project.doc(), project.rows(), project.feedback);
        ASSERT_EQ(exporter.run(exported, {0, 1, 2, 3}).outcome, WorkbookExportOutcome::Written);
        grid = test::WorkbookProject::readGrid(exported);
        engine = std::make_unique<WorkbookImport>(project.doc(), project.rows(), project.feedback);
    }

    // The grid row of the n-th row with this Id.
    std::vector<std::string>& rowOf(const std::string& id, int nth = 0)
    {
        for (std::size_t r = 2; r < grid.size(); ++r)
            if (grid[r][2] == id && nth-- == 0)
                return grid[r];
        ADD_FAILURE() << "no row " << id;
        return grid[0];
    }
    int sheetRowOf(const std::string& id, int nth = 0) { return static_cast<int>(&rowOf(id, nth) - grid.data()); }

    // Writes the edited grid and opens it for import.
    bool openEdited()
    {
        test::WorkbookProject::writeGrid(edited, grid);
        project.feedback.said.clear();
        return engine->open(edited);
    }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> all;
        for (const auto& said : project.feedback.said)
            all.push_back(said.text);
        return all;
    }

    test::WorkbookProject project;
    std::filesystem::path exported = project.dir / "exported.xlsx";
    std::filesystem::path edited = project.dir / "edited.xlsx";
    Grid grid;
    std::unique_ptr<WorkbookImport> engine;
    WorkbookImport& importer() { return *engine; }
};

} // namespace

TEST_F(WorkbookImportTest, HeaderMustBeginWithTheFourFixedTitles)
{
    grid[0][3] = "Source";
    EXPECT_FALSE(openEdited());
    ASSERT_EQ(texts().size(), 1u);
    EXPECT_EQ(texts()[0], "Import Text \nThe excel file '" + edited.string() +
                              "'\nwas not exported from Quillmark (header is not correct).\nCan not import text from this file.");

    // A sheet exported without the Id's entry begins with "Source Text".
    WorkbookExport exporter(project.doc(), project.rows(), project.feedback);
    ASSERT_EQ(exporter.run(exported, {1, 2}).outcome, WorkbookExportOutcome::Written);
    project.feedback.said.clear();
    EXPECT_FALSE(importer().open(exported));
    EXPECT_EQ(texts()[0].rfind("Import Text \nThe excel file", 0), 0u);
}

TEST_F(WorkbookImportTest, HeaderWithoutLanguagesAndUnknownLanguages)
{
    for (auto& row : grid)
        row.resize(4);
    EXPECT_FALSE(openEdited());
    EXPECT_EQ(texts(), (std::vector<std::string>{"Import Text\nThe Excel file has no translation text. Can not import text."}));

    // Unknown names are dropped, and a gap ends the header: what stands behind it is not read.
    grid = test::WorkbookProject::readGrid(exported);
    for (auto& row : grid)
        row.resize(10);
    grid[0][5] = "Klingon";
    grid[0][6] = "Greek";
    grid[0][7] = "Elvish";
    grid[0][9] = "Orcish";
    ASSERT_TRUE(openEdited());
    EXPECT_EQ(importer().languageNames(), (std::vector<std::string>{"Russian", "Greek"}));
    ASSERT_EQ(texts().size(), 2u);
    EXPECT_NE(texts()[0].find("language string 'Elvish'"), std::string::npos);  // the last column first
    EXPECT_NE(texts()[1].find("language string 'Klingon'"), std::string::npos);
    EXPECT_EQ(texts()[1].rfind("Error: Unknown Language\n", 0), 0u);
}

TEST_F(WorkbookImportTest, ImportAllStoresChangedCellsInTheirCodePagesAndLeavesTheRestAlone)
{
    int exit = project.lineOf("E&xit"), hello = project.lineOf("Hello world"), about = project.lineOf("About");
    ASSERT_TRUE(project.db().setTranslation(about, Russian, "\xCE \xEF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xE5", true));
    project.reload();
    exportProject();  // again, with the Russian caption
    rowOf("ID_EXIT")[RussianColumn] = ExitRu;
    rowOf("IDS_HELLO")[RussianColumn] = HelloRu;
    rowOf("IDS_HELLO")[GreekColumn] = HelloEl;
    ASSERT_TRUE(openEdited());

    ASSERT_TRUE(importer().chooseLanguage("Russian"));
    EXPECT_EQ(importer().importAll({}), 2);
    EXPECT_EQ(texts().back(), "2 text resources imported from Excel file.");
    EXPECT_EQ(project.translation(exit, Russian), ExitRu1251);
    EXPECT_EQ(project.translation(hello, Russian), HelloRu1251);
    EXPECT_EQ(project.translation(hello, Greek), "");
    // The unchanged caption cell kept its text and its modified flag.
    EXPECT_EQ(project.translation(about, Russian), "\xCE \xEF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xE5");
    EXPECT_TRUE(project.db().translation(about, Russian)->modified);
    EXPECT_EQ(project.rows().row(project.rows().rowOfLineIndex(exit)).cell(2), ExitRu1251);
    EXPECT_TRUE(project.doc().isModified());

    ASSERT_TRUE(importer().chooseLanguage("Greek"));
    EXPECT_EQ(importer().importAll({}), 1);
    EXPECT_EQ(project.translation(hello, Greek), HelloEl1253);

    // Everything is current now.
    EXPECT_EQ(importer().importAll({}), 0);
    EXPECT_EQ(texts().back(), "Import Text.\nNo text imported. Current text is actual.");
}

TEST_F(WorkbookImportTest, TextsTheCodePageCannotHoldAreRefusedAndReported)
{
    int exit = project.lineOf("E&xit"), hello = project.lineOf("Hello world");
    rowOf("ID_EXIT")[RussianColumn] = "\xE6\x97\xA5\xE6\x9C\xAC \xCE\xB1";  // "日本 α": not in cp1251
    rowOf("IDS_HELLO")[RussianColumn] = HelloRu;
    ASSERT_TRUE(openEdited());
    ASSERT_TRUE(importer().chooseLanguage("Russian"));
    EXPECT_EQ(importer().importAll({}), 1);
    EXPECT_EQ(project.translation(exit, Russian), "");
    EXPECT_EQ(project.translation(hello, Russian), HelloRu1251);
    ASSERT_EQ(texts().size(), 2u);
    EXPECT_EQ(texts()[0], "1 text resources imported from Excel file.");
    EXPECT_EQ(texts()[1], "Import text from " + edited.string() +
                              "\nThese texts can not be stored in the code page of the translation and were not "
                              "imported:\nRow " + std::to_string(sheetRowOf("ID_EXIT") + 1) +
                              ", Id ID_EXIT: \xE6\x97\xA5 \xE6\x9C\xAC \xCE\xB1");

    // Alone, the refused text is not "actual": only the refusal is reported.
    project.feedback.said.clear();
    EXPECT_EQ(importer().importAll({}), 0);
    ASSERT_EQ(texts().size(), 1u);
    EXPECT_NE(texts()[0].find("\nThese texts can not be stored"), std::string::npos);

    // The single import refuses it too and stays on the pair.
    while (importer().currentPair()->sheetRow != sheetRowOf("ID_EXIT"))
        ASSERT_TRUE(importer().next(Direction::Down));
    EXPECT_FALSE(importer().importCurrent({}));
    EXPECT_EQ(importer().currentPair()->sheetRow, sheetRowOf("ID_EXIT"));
    EXPECT_EQ(project.translation(exit, Russian), "");
}

TEST_F(WorkbookImportTest, PairsNeedTheExactIdAndSourceText)
{
    rowOf("ID_EXIT")[3] = "e&xit";
    rowOf("ID_EXIT")[RussianColumn] = ExitRu;
    rowOf("IDS_HELLO")[RussianColumn] = HelloRu;
    rowOf("IDS_HELLO")[2] = "ids_hello";
    ASSERT_TRUE(openEdited());
    EXPECT_FALSE(importer().chooseLanguage("Russian"));
    EXPECT_EQ(texts(), (std::vector<std::string>{"No resources with the same ID found."}));
    EXPECT_EQ(importer().importAll({}), 0);
    EXPECT_EQ(texts().back(), "No resources with the same ID found. No text imported.");
    EXPECT_EQ(importer().markAll(), 0);
    EXPECT_EQ(texts().back(), "No resources with the same ID found. No text marked.");
}

TEST_F(WorkbookImportTest, RepeatedItemsPairInOrderAndEachPairIsKept)
{
    int okAbout = project.lineOf("OK", 0), okName = project.lineOf("OK", 1);
    rowOf("IDOK", 0)[RussianColumn] = "OK-1";
    rowOf("IDOK", 1)[RussianColumn] = "OK-2";
    ASSERT_TRUE(openEdited());
    ASSERT_TRUE(importer().chooseLanguage("Russian"));
    EXPECT_EQ(importer().currentPair()->sheetRow, sheetRowOf("IDOK", 0));
    EXPECT_EQ(importer().currentPair()->tableRow, project.rows().rowOfLineIndex(okAbout));
    ASSERT_TRUE(importer().next(Direction::Down));
    EXPECT_EQ(importer().currentPair()->tableRow, project.rows().rowOfLineIndex(okName));

    // Going back up finds the first sheet row with the row it was paired with, not the nearest.
    ASSERT_TRUE(importer().next(Direction::Up));
    EXPECT_EQ(importer().currentPair()->sheetRow, sheetRowOf("IDOK", 0));
    EXPECT_EQ(importer().currentPair()->tableRow, project.rows().rowOfLineIndex(okAbout));

    EXPECT_EQ(importer().importAll({}), 2);
    EXPECT_EQ(project.translation(okAbout, Russian), "OK-1");
    EXPECT_EQ(project.translation(okName, Russian), "OK-2");
}

TEST_F(WorkbookImportTest, TheSearchStartsOnceMoreAtRowTwo)
{
    rowOf("IDC_TEXT")[RussianColumn] = "a";
    rowOf("IDS_CAFE")[RussianColumn] = "b";
    ASSERT_TRUE(openEdited());
    ASSERT_TRUE(importer().chooseLanguage("Russian"));
    EXPECT_EQ(importer().currentPair()->sheetRow, sheetRowOf("IDC_TEXT"));
    ASSERT_TRUE(importer().next(Direction::Down));
    EXPECT_EQ(importer().currentPair()->sheetRow, sheetRowOf("IDS_CAFE"));
    ASSERT_TRUE(importer().next(Direction::Down));
    EXPECT_EQ(importer().currentPair()->sheetRow, sheetRowOf("IDC_TEXT"));
    ASSERT_TRUE(importer().next(Direction::Up));
    EXPECT_EQ(importer().currentPair()->sheetRow, sheetRowOf("IDS_CAFE"));

    // The single import stores, marks the cells asked for and moves to the next pair.
    int text = project.lineOf("Hello");
    ASSERT_TRUE(importer().next(Direction::Down));
    ASSERT_TRUE(importer().importCurrent({true, false}));
    EXPECT_EQ(project.translation(text, Russian), "a");
    EXPECT_TRUE(project.rows().item(project.rows().rowOfLineIndex(text)).hasMark(2));
    EXPECT_EQ(importer().currentPair()->sheetRow, sheetRowOf("IDS_CAFE"));
    EXPECT_FALSE(importer().hasPendingMarks());
    auto view = importer().currentView();
    ASSERT_TRUE(view);
    EXPECT_EQ(view->sourceText, "Caf\xC3\xA9");
    EXPECT_EQ(view->sheetText, "b");
}

TEST_F(WorkbookImportTest, ExcludedRowsAreNotOffered)
{
    int hello = project.lineOf("Hello world");
    ASSERT_TRUE(project.db().setExclude(hello, true));
    project.reload();
    rowOf("IDS_HELLO")[RussianColumn] = HelloRu;
    rowOf("IDS_CAFE")[RussianColumn] = "b";
    ASSERT_TRUE(openEdited());
    ASSERT_TRUE(importer().chooseLanguage("Russian"));
    EXPECT_EQ(importer().currentPair()->sheetRow, sheetRowOf("IDS_CAFE"));
    EXPECT_EQ(importer().importAll({}), 1);
    EXPECT_EQ(project.translation(hello, Russian), "");
}

TEST_F(WorkbookImportTest, AnEmptyIdEndsTheData)
{
    int cafe = project.lineOf("Caf\xE9");
    rowOf("IDS_CAFE")[RussianColumn] = "b";
    rowOf("IDS_HELLO") = std::vector<std::string>(grid[0].size());
    ASSERT_TRUE(openEdited());
    EXPECT_EQ(importer().dataEnd(), sheetRowOf("IDS_CAFE") - 1);
    EXPECT_FALSE(importer().chooseLanguage("Russian"));
    EXPECT_EQ(importer().importAll({}), 0);
    EXPECT_EQ(project.translation(cafe, Russian), "");
}

TEST_F(WorkbookImportTest, MarkAllMarksDifferencesAndSavesSheetMarksOnlyWhenAsked)
{
    int exit = project.lineOf("E&xit"), hello = project.lineOf("Hello world");
    ASSERT_TRUE(project.db().setTranslation(hello, Russian, HelloRu1251, false));
    project.reload();
    exportProject();
    rowOf("ID_EXIT")[RussianColumn] = ExitRu;
    ASSERT_EQ(rowOf("IDS_HELLO")[RussianColumn], HelloRu);
    const int exitRow = sheetRowOf("ID_EXIT"), helloRow = sheetRowOf("IDS_HELLO");
    ASSERT_TRUE(openEdited());
    project.rows().setMark(0, 1);
    ASSERT_TRUE(importer().chooseLanguage("Russian"));

    EXPECT_EQ(importer().markAll(), 1);
    EXPECT_EQ(texts().back(), "1 text items marked.");
    EXPECT_EQ(project.translation(exit, Russian), "");  // nothing imported
    const CObjectData& exitItem = project.rows().item(project.rows().rowOfLineIndex(exit));
    EXPECT_TRUE(exitItem.hasMark(1));
    EXPECT_TRUE(exitItem.hasMark(2));
    EXPECT_TRUE(project.rows().item(project.rows().rowOfLineIndex(hello)).marks.empty());
    EXPECT_FALSE(project.rows().item(0).hasMark(1));  // earlier marks are removed

    // The workbook file is not touched until the marks are saved.
    ASSERT_TRUE(importer().hasPendingMarks());
    WorkbookReader before;
    ASSERT_TRUE(before.open(edited));
    EXPECT_FALSE(before.look(exitRow, RussianColumn).fillColour);
    ASSERT_TRUE(importer().saveMarks());
    EXPECT_FALSE(importer().hasPendingMarks());
    WorkbookReader after;
    ASSERT_TRUE(after.open(edited));
    EXPECT_EQ(after.look(exitRow, RussianColumn).fillColour, 0xC0C0C0u);
    EXPECT_TRUE(after.look(exitRow, RussianColumn).bordered);
    EXPECT_EQ(after.look(helloRow, RussianColumn).fillColour, 0xFFFFFFu);
    EXPECT_EQ(after.text(exitRow, RussianColumn), ExitRu);

    // Imported with the sheet box checked: grey in the file after the next save.
    ASSERT_TRUE(importer().chooseLanguage("Russian"));
    while (importer().currentPair()->sheetRow != exitRow)
        ASSERT_TRUE(importer().next(Direction::Down));
    ASSERT_TRUE(importer().importCurrent({false, true}));
    EXPECT_TRUE(importer().hasPendingMarks());
    EXPECT_EQ(importer().markAll(), 0);
    EXPECT_EQ(texts().back(), "No import text found which differs from the current translation text. No text items marked.");
}

TEST_F(WorkbookImportTest, ALanguageTheProjectLacksIsMarkedButNotImported)
{
    for (auto& row : grid)
        row.push_back(row[3]);
    grid[0].back() = "German";
    rowOf("ID_EXIT").back() = "Beenden";
    ASSERT_TRUE(openEdited());
    ASSERT_TRUE(importer().chooseLanguage("German"));
    EXPECT_EQ(importer().importAll({}), 0);
    EXPECT_EQ(texts().back(), "Import Text\nThe project has no translation 'German'. Add the translation before "
                              "importing its text.");
    EXPECT_FALSE(importer().importCurrent({}));
    EXPECT_GT(importer().markAll(), 0);
    int exit = project.lineOf("E&xit");
    EXPECT_TRUE(project.rows().item(project.rows().rowOfLineIndex(exit)).hasMark(1));
}

TEST_F(WorkbookImportTest, ImportAllStopsOnCancel)
{
    rowOf("IDC_TEXT")[RussianColumn] = "a";
    rowOf("IDS_CAFE")[RussianColumn] = "b";
    ASSERT_TRUE(openEdited());
    ASSERT_TRUE(importer().chooseLanguage("Russian"));
    project.feedback.cancelAfterPolls = 0;
    EXPECT_EQ(importer().importAll({}), 1);
    EXPECT_EQ(project.translation(project.lineOf("Hello"), Russian), "a");
    EXPECT_EQ(project.translation(project.lineOf("Caf\xE9"), Russian), "");
}

TEST_F(WorkbookImportTest, AWorkbookThatCannotBeReadIsReported)
{
    auto bad = project.dir.write("bad.xlsx", "not a workbook");
    EXPECT_FALSE(importer().open(bad));
    ASSERT_EQ(texts().size(), 1u);
    EXPECT_EQ(texts()[0].rfind("Import Text\nCan not read the workbook file '" + bad.string() + "'", 0), 0u);
    EXPECT_FALSE(importer().chooseLanguage("Russian"));
}

} // namespace qmk
