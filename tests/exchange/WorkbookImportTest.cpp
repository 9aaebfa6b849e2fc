// The workbook import over exported and edited workbooks: header checks, the pair search
// (exact match, pairs in order, restart, excluded rows, end of data), the operations with
// their counts and reports, code pages, and sheet marks saved only when asked.
#include <gtest/gtest.h>

#include "database/CProjectDatabase.h"
#include "exchange/ThreeWayImport.h"
#include "exchange/WorkbookExport.h"
#include "exchange/WorkbookImport.h"
#include "exchange/WorkbookProject.h"
#include "exchange/WorkbookReader.h"

namespace qmk {
namespace {

using test::Greek;
using test::Russian;
using Direction = WorkbookImport::Direction;

constexpr int RussianColumn = 4, GreekColumn = 5;
// "Выход", "Καλημέρα" in UTF-8 and in their code pages.
const std::string ExitRu = "\xD0\x92\xD1\x8B\xD1\x85\xD0\xBE\xD0\xB4", ExitRu1251 = "\xC2\xFB\xF5\xEE\xE4";
const std::string HelloEl = "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1",
                  HelloEl1253 = "\xCA\xE1\xEB\xE7\xEC\xDD\xF1\xE1";

class WorkbookImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(project.open(test::kWorkbookScript, {Russian, Greek}));
        importer = std::make_unique<WorkbookImport>(project.doc(), project.feedback);
        exportProject();
    }
    void exportProject()
    {
        WorkbookExport exporter(project.doc(), project.feedback);
        ASSERT_EQ(exporter.run(exported, {0, 1, 2, 3}).outcome, OperationResult::Done);
        grid = test::WorkbookProject::readGrid(exported);
    }
    std::vector<std::string>& rowOf(const std::string& id, int nth = 0)
    {
        for (std::size_t r = 2; r < grid.size(); ++r)
            if (grid[r][2] == id && nth-- == 0)
                return grid[r];
        ADD_FAILURE() << "no row " << id;
        return grid[0];
    }
    int sheetRowOf(const std::string& id, int nth = 0) { return static_cast<int>(&rowOf(id, nth) - grid.data()); }
    int tableRowOf(int lineIndex) { return project.rows().rowOfLineIndex(lineIndex); }
    // Writes the edited grid and opens it for import.
    bool openEdited()
    {
        test::WorkbookProject::writeGrid(edited, grid);
        project.feedback.said.clear();
        return importer->open(edited);
    }
    // The edited grid as the spreadsheet application saves the exported workbook: its export id kept.
    bool openEditedWithItsId()
    {
        WorkbookReader book;
        EXPECT_TRUE(book.open(exported));
        test::WorkbookProject::writeGrid(edited, grid, book.customProperty(WorkbookExport::ExportIdProperty));
        project.feedback.said.clear();
        return importer->open(edited);
    }
    void translate(const std::string& source, const std::string& text)
    {
        ASSERT_EQ(project.doc().storeTranslation(project.lineOf(source), Russian, text), OperationResult::Done);
    }
    bool saidSomething(const std::string& part) const
    {
        for (const auto& said : project.feedback.said)
            if (said.text.find(part) != std::string::npos)
                return true;
        return false;
    }
    std::string lastSaid() const { return project.feedback.said.empty() ? "" : project.feedback.said.back().text; }

    test::WorkbookProject project;
    std::filesystem::path exported = project.dir / "exported.xlsx", edited = project.dir / "edited.xlsx";
    test::Grid grid;
    std::unique_ptr<WorkbookImport> importer;  // made once the project is open
};

} // namespace

TEST_F(WorkbookImportTest, HeaderChecksAndUnknownLanguages)
{
    grid[0][3] = "Source";
    EXPECT_FALSE(openEdited());
    EXPECT_EQ(lastSaid(), "Import Text \nThe excel file '" + edited.string() +
                              "'\nwas not exported from Quillmark (header is not correct).\nCan not import text from this file.");
    for (auto& row : grid)
        row.resize(4);
    grid[0][3] = "Source Text";
    EXPECT_FALSE(openEdited());
    EXPECT_EQ(lastSaid(), "Import Text\nThe Excel file has no translation text. Can not import text.");

    // Unknown names are reported from the last column to the first; a gap ends the header.
    grid = test::WorkbookProject::readGrid(exported);
    for (auto& row : grid)
        row.resize(9);
    grid[0][5] = "Klingon", grid[0][6] = "Greek", grid[0][8] = "Elvish";
    ASSERT_TRUE(openEdited());
    EXPECT_EQ(importer->languageNames(), (std::vector<std::string>{"Russian", "Greek"}));
    ASSERT_EQ(project.feedback.said.size(), 1u);
    EXPECT_EQ(lastSaid(), "Error: Unknown Language\nThe file header contains a language string 'Klingon' which is not "
                          "known by Quillmark. The text at this column can not be imported.");

    project.feedback.said.clear();
    EXPECT_FALSE(importer->open(project.dir.write("bad.xlsx", "no zip")));
    EXPECT_EQ(lastSaid().rfind("Import Text\nCan not read the workbook file", 0), 0u);
}

TEST_F(WorkbookImportTest, ImportAllStoresChangedCellsInTheirCodePagesAndNothingElse)
{
    int exit = project.lineOf("E&xit"), hello = project.lineOf("Hello world"), about = project.lineOf("About");
    ASSERT_TRUE(project.db().texts().setTranslation(about, Russian, "\xCE \xEF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xE5", true));
    project.reload();
    exportProject();
    rowOf("ID_EXIT")[RussianColumn] = ExitRu;
    rowOf("IDS_HELLO")[GreekColumn] = HelloEl;
    ASSERT_TRUE(openEdited());

    ASSERT_TRUE(importer->chooseLanguage("Russian"));
    EXPECT_EQ(importer->importAll({}), 1);
    EXPECT_EQ(lastSaid(), "1 text resources imported from Excel file.");
    EXPECT_EQ(project.translation(exit, Russian), ExitRu1251);
    EXPECT_EQ(project.rows().row(tableRowOf(exit)).cell(2), ExitRu1251);
    EXPECT_TRUE(project.db().texts().translation(about, Russian)->modified);  // unchanged cell: untouched
    EXPECT_TRUE(project.doc().isModified());
    ASSERT_TRUE(importer->chooseLanguage("Greek"));
    EXPECT_EQ(importer->importAll({}), 1);
    EXPECT_EQ(project.translation(hello, Greek), HelloEl1253);
    EXPECT_EQ(project.translation(hello, Russian), "");
    EXPECT_EQ(importer->importAll({}), 0);
    EXPECT_EQ(lastSaid(), "Import Text.\nNo text imported. Current text is actual.");
}

TEST_F(WorkbookImportTest, ALineBreakTypedIntoACellIsStoredAsTheScriptsEscape)
{
    const int hello = project.lineOf("Hello world");
    rowOf("IDS_HELLO")[RussianColumn] = "\xD0\x9F\xD1\x80\xD0\xB8\n\xD0\xB2\xD0\xB5\xD1\x82";  // Alt+Enter in the cell
    ASSERT_TRUE(openEdited());
    ASSERT_TRUE(importer->chooseLanguage("Russian"));
    EXPECT_EQ(importer->importAll({}), 1);
    EXPECT_EQ(project.translation(hello, Russian), "\xCF\xF0\xE8\\n\xE2\xE5\xF2");
    EXPECT_EQ(importer->importAll({}), 0);  // the same text again: nothing differs
}

TEST_F(WorkbookImportTest, TextsTheCodePageCannotHoldAreRefusedAndReported)
{
    rowOf("ID_EXIT")[RussianColumn] = "\xE6\x97\xA5 \xCE\xB1";  // "日 α": not in cp1251
    ASSERT_TRUE(openEdited());
    ASSERT_TRUE(importer->chooseLanguage("Russian"));
    EXPECT_EQ(importer->importAll({}), 0);
    EXPECT_EQ(project.translation(project.lineOf("E&xit"), Russian), "");
    ASSERT_EQ(project.feedback.said.size(), 1u);  // not "current text is actual"
    EXPECT_EQ(lastSaid(), "Import text from " + edited.string() +
                              "\nThese texts can not be stored in the code page of the translation and were not "
                              "imported:\nRow " + std::to_string(sheetRowOf("ID_EXIT") + 1) + ", Id ID_EXIT: \xE6\x97\xA5 \xCE\xB1");
    while (importer->currentPair()->sheetRow != sheetRowOf("ID_EXIT"))
        ASSERT_TRUE(importer->next(Direction::Down));
    EXPECT_FALSE(importer->importCurrent({}));
    EXPECT_EQ(importer->currentPair()->sheetRow, sheetRowOf("ID_EXIT"));
}

TEST_F(WorkbookImportTest, PairsNeedTheExactIdAndSourceText)
{
    rowOf("ID_EXIT")[RussianColumn] = ExitRu;
    rowOf("ID_EXIT")[3] = "e&xit";
    rowOf("IDS_HELLO")[RussianColumn] = "x";
    rowOf("IDS_HELLO")[2] = "ids_hello";
    ASSERT_TRUE(openEdited());
    EXPECT_FALSE(importer->chooseLanguage("Russian"));
    EXPECT_EQ(lastSaid(), "No resources with the same ID found.");
    EXPECT_EQ(importer->importAll({}), 0);
    EXPECT_EQ(lastSaid(), "No resources with the same ID found. No text imported.");
    EXPECT_EQ(importer->markAll(), 0);
    EXPECT_EQ(lastSaid(), "No resources with the same ID found. No text marked.");
}

TEST_F(WorkbookImportTest, RepeatedItemsPairInOrderAndTheSearchRestartsOnce)
{
    int okAbout = project.lineOf("OK", 0), okName = project.lineOf("OK", 1), text = project.lineOf("Hello");
    rowOf("IDC_TEXT")[RussianColumn] = "a";
    rowOf("IDOK", 0)[RussianColumn] = "OK-1";
    rowOf("IDOK", 1)[RussianColumn] = "OK-2";
    ASSERT_TRUE(openEdited());
    ASSERT_TRUE(importer->chooseLanguage("Russian"));
    EXPECT_EQ(importer->currentPair()->sheetRow, sheetRowOf("IDC_TEXT"));
    ASSERT_TRUE(importer->next(Direction::Down));
    EXPECT_EQ(importer->currentPair()->tableRow, tableRowOf(okAbout));
    ASSERT_TRUE(importer->next(Direction::Down));
    EXPECT_EQ(importer->currentPair()->tableRow, tableRowOf(okName));
    ASSERT_TRUE(importer->next(Direction::Down));  // from row 2 again
    EXPECT_EQ(importer->currentPair()->sheetRow, sheetRowOf("IDC_TEXT"));
    ASSERT_TRUE(importer->next(Direction::Up));  // from the bottom again; the pair is kept
    EXPECT_EQ(importer->currentPair(), (WorkbookPair{sheetRowOf("IDOK", 1), tableRowOf(okName)}));

    // The single import stores, marks the Text Table cell as asked and moves on.
    ASSERT_TRUE(importer->next(Direction::Up));
    ASSERT_TRUE(importer->importCurrent({true, false}));
    EXPECT_EQ(project.translation(okAbout, Russian), "OK-1");
    EXPECT_TRUE(project.rows().item(tableRowOf(okAbout)).hasMark(2));
    EXPECT_FALSE(importer->hasPendingMarks());
    EXPECT_EQ(importer->currentView()->sheetText, "OK-2");
    EXPECT_EQ(importer->currentView()->sourceText, "OK");
    EXPECT_EQ(importer->importAll({}), 2);
    EXPECT_EQ(project.translation(okName, Russian), "OK-2");
    EXPECT_EQ(project.translation(text, Russian), "a");
}

TEST_F(WorkbookImportTest, TheTableSearchStartsAtTheCurrentRow)
{
    // The second dialog's caption puts the position behind the first dialog's OK button.
    int okAbout = project.lineOf("OK", 0), okName = project.lineOf("OK", 1);
    rowOf("\"Caption\"", 1)[RussianColumn] = "c";
    rowOf("IDOK", 1)[RussianColumn] = "OK-2";
    ASSERT_TRUE(openEdited());
    ASSERT_TRUE(importer->chooseLanguage("Russian"));
    EXPECT_EQ(importer->importAll({}), 2);
    EXPECT_EQ(project.translation(okName, Russian), "OK-2");
    EXPECT_EQ(project.translation(okAbout, Russian), "");
}

TEST_F(WorkbookImportTest, ExcludedRowsAreSkippedAndAnEmptyIdEndsTheData)
{
    int hello = project.lineOf("Hello world"), cafe = project.lineOf("Caf\xE9");
    ASSERT_TRUE(project.db().texts().setExclude(hello, true));
    project.reload();
    rowOf("IDS_HELLO")[RussianColumn] = "x";
    rowOf("ID_EXIT")[RussianColumn] = ExitRu;
    rowOf("IDS_CAFE")[RussianColumn] = "b";
    rowOf("IDB_LOGO")[2] = "";
    ASSERT_TRUE(openEdited());
    EXPECT_EQ(importer->dataEnd(), sheetRowOf("ID_EXIT") + 1);
    ASSERT_TRUE(importer->chooseLanguage("Russian"));
    EXPECT_EQ(importer->importAll({}), 1);
    EXPECT_EQ(project.translation(hello, Russian), "");
    EXPECT_EQ(project.translation(cafe, Russian), "");
}

TEST_F(WorkbookImportTest, MarkAllMarksDifferencesAndTheFileOnlyWhenAsked)
{
    int exit = project.lineOf("E&xit"), hello = project.lineOf("Hello world");
    ASSERT_TRUE(project.db().texts().setTranslation(hello, Russian, "same", false));
    project.reload();
    exportProject();
    rowOf("ID_EXIT")[RussianColumn] = ExitRu;
    const int exitRow = sheetRowOf("ID_EXIT"), helloRow = sheetRowOf("IDS_HELLO");
    ASSERT_TRUE(openEdited());
    project.doc().setMark(0, 1);
    ASSERT_TRUE(importer->chooseLanguage("Russian"));
    EXPECT_EQ(importer->markAll(), 1);
    EXPECT_EQ(lastSaid(), "1 text items marked.");
    EXPECT_EQ(project.translation(exit, Russian), "");
    EXPECT_EQ(project.rows().item(tableRowOf(exit)).marks, (std::set<int>{1, 2}));
    EXPECT_TRUE(project.rows().item(tableRowOf(hello)).marks.empty());
    EXPECT_FALSE(project.rows().item(0).hasMark(1));  // earlier marks go

    WorkbookReader before;
    ASSERT_TRUE(before.open(edited));
    EXPECT_FALSE(before.look(exitRow, RussianColumn).fillColour);
    ASSERT_TRUE(importer->saveMarks());
    WorkbookReader after;
    ASSERT_TRUE(after.open(edited));
    EXPECT_EQ(after.look(exitRow, RussianColumn).fillColour, 0xC0C0C0u);
    EXPECT_TRUE(after.look(exitRow, RussianColumn).bordered);
    EXPECT_EQ(after.look(helloRow, RussianColumn).fillColour, 0xFFFFFFu);
    EXPECT_EQ(after.text(exitRow, RussianColumn), ExitRu);

    while (importer->currentPair()->sheetRow != exitRow)
        ASSERT_TRUE(importer->next(Direction::Down));
    ASSERT_TRUE(importer->importCurrent({false, true}));
    EXPECT_TRUE(importer->hasPendingMarks());
    EXPECT_EQ(importer->markAll(), 0);
    EXPECT_EQ(lastSaid(), "No import text found which differs from the current translation text. No text items marked.");
}

TEST_F(WorkbookImportTest, ALanguageTheProjectLacksIsMarkedButNotImported)
{
    for (auto& row : grid)
        row.push_back("Beenden");
    grid[0].back() = "German";
    ASSERT_TRUE(openEdited());
    ASSERT_TRUE(importer->chooseLanguage("German"));
    EXPECT_EQ(importer->importAll({}), 0);
    EXPECT_EQ(lastSaid(), "Import Text\nThe project has no translation 'German'. Add the translation before "
                          "importing its text.");
    EXPECT_FALSE(importer->importCurrent({}));
    EXPECT_GT(importer->markAll(), 0);
    EXPECT_TRUE(project.rows().item(tableRowOf(project.lineOf("E&xit"))).hasMark(1));
}

TEST_F(WorkbookImportTest, ImportAllStopsOnCancel)
{
    rowOf("IDC_TEXT")[RussianColumn] = "a";
    rowOf("IDS_CAFE")[RussianColumn] = "b";
    ASSERT_TRUE(openEdited());
    ASSERT_TRUE(importer->chooseLanguage("Russian"));
    project.feedback.cancelAfterPolls = 0;
    EXPECT_EQ(importer->importAll({}), 1);
    EXPECT_EQ(project.translation(project.lineOf("Caf\xE9"), Russian), "");
}

TEST_F(WorkbookImportTest, TheExportRecordsWhatItSentOfEachTranslationUnderTheWorkbooksId)
{
    translate("E&xit", "Vyhod");
    exportProject();
    WorkbookReader book;
    ASSERT_TRUE(book.open(exported));
    const std::string id = book.customProperty(WorkbookExport::ExportIdProperty);
    ASSERT_FALSE(id.empty());
    ASSERT_TRUE(project.db().exports().knows(workbookExportKey(id, Russian), Russian));
    ASSERT_TRUE(project.db().exports().knows(workbookExportKey(id, Greek), Greek));
    EXPECT_EQ(project.db().exports().sent(workbookExportKey(id, Russian)).at(project.lineOf("E&xit")).text, "Vyhod");
    EXPECT_FALSE(project.db().exports().knows(workbookExportKey(id, Russian), Greek));

    // A workbook that cannot come back (no Ids or no sources) carries no id.
    WorkbookExport sourcesOnly(project.doc(), project.feedback);
    ASSERT_EQ(sourcesOnly.run(edited, {1, 2}).outcome, OperationResult::Done);
    ASSERT_TRUE(book.open(edited));
    EXPECT_EQ(book.customProperty(WorkbookExport::ExportIdProperty), "");
}

TEST_F(WorkbookImportTest, ImportAllTakesTheWorkbooksChangesKeepsNewerWorkAndListsChangesOnBothSides)
{
    translate("E&xit", "Vyhod");
    translate("Hello world", "Privet");
    translate("About", "O programme");
    exportProject();
    translate("Hello world", "Privet, mir");  // corrected here after the export
    translate("About", "Ob");                 // corrected here, and in the workbook below
    rowOf("ID_EXIT")[RussianColumn] = "Vyhod!";
    rowOf("\"Caption\"")[RussianColumn] = "O programme...";  // IDD_ABOUT's
    rowOf("IDS_CAFE")[RussianColumn] = "Kafe";  // translated in the workbook only
    ASSERT_TRUE(openEditedWithItsId());
    ASSERT_TRUE(importer->chooseLanguage("Russian"));

    EXPECT_EQ(importer->importAll({}), 2);
    EXPECT_EQ(project.translation(project.lineOf("E&xit"), Russian), "Vyhod!");
    EXPECT_EQ(project.translation(project.lineOf("Caf\xE9"), Russian), "Kafe");
    EXPECT_EQ(project.translation(project.lineOf("Hello world"), Russian), "Privet, mir");
    EXPECT_EQ(importer->unchangedSinceExport(), 1);
    // Both changed: ours kept, flagged for review, listed as a conflict the window can settle.
    const int about = project.lineOf("About");
    EXPECT_EQ(project.translation(about, Russian), "Ob");
    EXPECT_TRUE(project.db().texts().translation(about, Russian)->modified);
    ASSERT_EQ(importer->conflicts().size(), 1u);
    EXPECT_EQ(importer->conflicts()[0].lineIndex, about);
    EXPECT_EQ(importer->conflicts()[0].ours, "Ob");
    EXPECT_EQ(importer->conflicts()[0].theirs, "O programme...");
    EXPECT_TRUE(importer->keptExisting().empty());
    EXPECT_TRUE(saidSomething("Row " + std::to_string(sheetRowOf("\"Caption\"") + 1) + ", Id \"Caption\": changed "
                              "here and in the workbook since the export: kept \"Ob\""));
    EXPECT_EQ(settleConflict(project.doc(), Russian, importer->conflicts()[0], true), OperationResult::Done);
    EXPECT_EQ(project.translation(about, Russian), "O programme...");
}

TEST_F(WorkbookImportTest, AWorkbookOfNoKnownExportReplacesNoOtherTranslationUnlessAsked)
{
    translate("E&xit", "Vyhod");
    exportProject();
    rowOf("ID_EXIT")[RussianColumn] = "Vyhod!";
    rowOf("IDS_CAFE")[RussianColumn] = "Kafe";  // an empty translation is filled all the same
    ASSERT_TRUE(openEdited());                   // a copy made again: no export id
    ASSERT_TRUE(importer->chooseLanguage("Russian"));
    project.feedback.answer = false;
    EXPECT_EQ(importer->importAll({}), 1);
    ASSERT_EQ(project.feedback.askedTexts.size(), 1u);
    EXPECT_EQ(project.translation(project.lineOf("E&xit"), Russian), "Vyhod");
    EXPECT_EQ(project.translation(project.lineOf("Caf\xE9"), Russian), "Kafe");
    ASSERT_EQ(importer->keptExisting().size(), 1u);
    EXPECT_TRUE(saidSomething("kept: \"Vyhod\"; the workbook has \"Vyhod!\" (/OVERWRITE replaces it)"));

    importer->setOverwrite(true);  // the batch's /OVERWRITE: nothing asked
    EXPECT_EQ(importer->importAll({}), 1);
    EXPECT_EQ(project.feedback.askedTexts.size(), 1u);
    EXPECT_EQ(project.translation(project.lineOf("E&xit"), Russian), "Vyhod!");
    EXPECT_TRUE(importer->keptExisting().empty());
}

} // namespace qmk
