// The workbook export read back: layout, identifiers and item types, excluded rows, block
// headers, fonts per column, Cyrillic and Greek texts, wide sheets, cancel and failures.
#include <gtest/gtest.h>

#include <algorithm>

#include "database/TranslationColumnNames.h"
#include "exchange/WorkbookExport.h"
#include "exchange/WorkbookProject.h"
#include "exchange/WorkbookReader.h"
#include "parser/LanguageTable.h"
#include "project/TextCodec.h"

namespace qmk {
namespace {

using test::Greek;
using test::Russian;

constexpr int Ids = 0, Source = 1, FirstTranslation = 2;

class WorkbookExportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(project.open(test::kWorkbookScript, {Russian, Greek})); }

    WorkbookExportResult exportTo(const std::vector<int>& columns)
    {
        WorkbookExport exporter(project.doc(), project.rows(), project.feedback);
        return exporter.run(target, columns);
    }

    // The sheet row whose column holds the text; -1 if none.
    static int rowWith(const test::Grid& grid, int column, const std::string& text)
    {
        for (std::size_t r = 0; r < grid.size(); ++r)
            if (column < static_cast<int>(grid[r].size()) && grid[r][static_cast<std::size_t>(column)] == text)
                return static_cast<int>(r);
        return -1;
    }

    test::WorkbookProject project;
    std::filesystem::path target = project.dir / "texts.xlsx";
};

} // namespace

TEST_F(WorkbookExportTest, EntriesNameIdsSourceAndEachTranslation)
{
    WorkbookExport exporter(project.doc(), project.rows(), project.feedback);
    auto entries = exporter.entries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].text, "\"Id's\"");
    EXPECT_EQ(entries[1].text, "\"Source\"");
    EXPECT_EQ(entries[2].text, "Russian");
    EXPECT_EQ(entries[3].text, "Greek");
    EXPECT_EQ(entries[3].column, 3);
    EXPECT_EQ(WorkbookExport::sheetWidth({Ids, 2, 3}), 5);
    EXPECT_EQ(WorkbookExport::sheetWidth({Source}), 1);
}

TEST_F(WorkbookExportTest, SourceOnlyGivesOneColumnWithHeaderEmptyRowAndData)
{
    auto result = exportTo({Source});
    ASSERT_EQ(result.outcome, WorkbookExportOutcome::Written);
    WorkbookReader reader;
    ASSERT_TRUE(reader.open(target));
    EXPECT_EQ(reader.columnCount(), 1);
    EXPECT_EQ(reader.text(0, 0), "Source Text");
    CellLook header = reader.look(0, 0);
    EXPECT_EQ(header.fillColour, 0xC0C0C0u);
    EXPECT_TRUE(header.bordered);
    EXPECT_EQ(reader.text(1, 0), "");
    EXPECT_FALSE(reader.look(2, 0).bordered);

    // Every shown row but the block header, in Text Table order, from row 3 without gaps.
    std::vector<std::string> expected;
    for (int r = 0; r < project.rows().rowCount(); ++r)
        if (project.rows().item(r).itemType != ItemType::BlockHeader)
            expected.push_back(*decodeToUtf8(project.rows().row(r).cell(Source), 1252));
    ASSERT_EQ(result.rowsWritten, static_cast<int>(expected.size()));
    ASSERT_EQ(reader.rowCount(), 2 + result.rowsWritten);
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(reader.text(2 + static_cast<int>(i), 0), expected[i]) << i;
    EXPECT_NE(std::find(expected.begin(), expected.end(), "Caf\xC3\xA9"), expected.end());  // decoded from cp1252
}

TEST_F(WorkbookExportTest, IdsAndTwoTranslationsGiveFiveColumnsWithOwnersAndItemTypes)
{
    // The order of the choice does not matter: the import relies on the fixed places.
    ASSERT_EQ(exportTo({3, Ids, 2}).outcome, WorkbookExportOutcome::Written);
    auto grid = test::WorkbookProject::readGrid(target);
    ASSERT_EQ(grid[0], (std::vector<std::string>{"Resource Ident", "Item Type", "Id", "Russian", "Greek"}));

    auto rowOfId = [&](const std::string& id, int nth = 0) {
        for (std::size_t r = 2; r < grid.size(); ++r)
            if (grid[r][2] == id && nth-- == 0)
                return grid[r];
        return std::vector<std::string>{};
    };
    EXPECT_EQ(rowOfId("\"Caption\"")[0], "IDD_ABOUT");
    EXPECT_EQ(rowOfId("\"Caption\"")[1], "Dialog Caption");
    EXPECT_EQ(rowOfId("\"Caption\"", 1)[0], "IDD_NAME");
    EXPECT_EQ(rowOfId("IDOK", 1)[0], "IDD_NAME");
    EXPECT_EQ(rowOfId("IDOK", 1)[1], "Dialog Item");
    EXPECT_EQ(rowOfId("\"Popup\"")[0], "IDR_MAIN");
    EXPECT_EQ(rowOfId("\"Popup\"")[1], "Popup Menu");
    EXPECT_EQ(rowOfId("ID_EXIT")[0], "IDR_MAIN");
    EXPECT_EQ(rowOfId("FileDescription")[0], "VS_VERSION_INFO");
    EXPECT_EQ(rowOfId("FileDescription")[1], "Version Value");
    EXPECT_EQ(rowOfId("IDS_HELLO")[0], "");
    EXPECT_EQ(rowOfId("IDS_HELLO")[1], "Stringtable String");
    EXPECT_EQ(rowOfId("IDB_LOGO")[0], "");
}

TEST_F(WorkbookExportTest, ExcludedRowsExportTheSourceInEveryTranslationColumn)
{
    int hello = project.lineOf("Hello world");
    int exit = project.lineOf("E&xit");
    ASSERT_TRUE(project.db().setTranslation(exit, Russian, "\xC2\xFB\xF5\xEE\xE4", false));  // "Выход" in cp1251
    ASSERT_TRUE(project.db().setTranslation(hello, Russian, "\xCF\xF0\xE8\xE2\xE5\xF2", false));
    ASSERT_TRUE(project.db().setExclude(hello, true));
    project.reload();

    ASSERT_EQ(exportTo({Ids, Source, 2, 3}).outcome, WorkbookExportOutcome::Written);
    auto grid = test::WorkbookProject::readGrid(target);
    auto excluded = grid[static_cast<std::size_t>(rowWith(grid, 2, "IDS_HELLO"))];
    EXPECT_EQ(excluded[4], "Hello world");
    EXPECT_EQ(excluded[5], "Hello world");
    auto translated = grid[static_cast<std::size_t>(rowWith(grid, 2, "ID_EXIT"))];
    EXPECT_EQ(translated[4], "\xD0\x92\xD1\x8B\xD1\x85\xD0\xBE\xD0\xB4");  // decoded from cp1251
    EXPECT_EQ(translated[5], "");
}

TEST_F(WorkbookExportTest, BlockHeadersAreLeftOutAndVersionValuesKept)
{
    bool tableHasBlockHeader = false;
    for (int r = 0; r < project.rows().rowCount(); ++r)
        tableHasBlockHeader = tableHasBlockHeader || project.rows().item(r).itemType == ItemType::BlockHeader;
    ASSERT_TRUE(tableHasBlockHeader);

    ASSERT_EQ(exportTo({Ids, Source}).outcome, WorkbookExportOutcome::Written);
    auto grid = test::WorkbookProject::readGrid(target);
    EXPECT_EQ(rowWith(grid, 1, "Block Header"), -1);
    EXPECT_EQ(rowWith(grid, 2, "\"Block Header\""), -1);
    EXPECT_GT(rowWith(grid, 2, "FileDescription"), 1);
    // No gap where the header was left out: every row from 3 on has an Id.
    for (std::size_t r = 2; r < grid.size(); ++r)
        EXPECT_FALSE(grid[r][2].empty()) << r;
}

TEST_F(WorkbookExportTest, TranslationColumnsTakeTheFontOfTheirCharacterSet)
{
    ASSERT_TRUE(project.doc().NewTranslation(test::German, "German.rc"));
    project.reload();
    ASSERT_EQ(exportTo({Ids, Source, 2, 3, 4}).outcome, WorkbookExportOutcome::Written);
    WorkbookReader reader;
    ASSERT_TRUE(reader.open(target));
    ASSERT_EQ(reader.text(0, 4), "Russian");
    EXPECT_EQ(reader.look(0, 4).fontName, "Arial Cyr");
    EXPECT_EQ(reader.look(2, 4).fontName, "Arial Cyr");
    EXPECT_EQ(reader.look(0, 5).fontName, "Arial Greek");
    EXPECT_EQ(reader.look(3, 5).fontName, "Arial Greek");
    ASSERT_EQ(reader.text(0, 6), "German");
    std::string defaultFont = reader.look(2, 3).fontName;
    EXPECT_EQ(reader.look(2, 6).fontName, defaultFont);
    EXPECT_NE(defaultFont, "Arial Cyr");
}

TEST_F(WorkbookExportTest, CyrillicProjectTextsArriveAsUnicode)
{
    test::WorkbookProject cyrillic;
    ASSERT_TRUE(cyrillic.open("#pragma code_page(1251)\nLANGUAGE 25, 1\nSTRINGTABLE\nBEGIN\n"
                              "  IDS_OPEN \"\xCE\xF2\xEA\xF0\xFB\xF2\xFC\"\n  IDS_SAVE \"\xD1\xEE\xF5\xF0\xE0\xED\xE8\xF2\xFC\"\nEND\n",
                              {Greek}));
    ASSERT_EQ(cyrillic.doc().codePage(), 1251);
    ASSERT_TRUE(cyrillic.db().setTranslation(cyrillic.lineOf("\xCE\xF2\xEA\xF0\xFB\xF2\xFC"), Greek,
                                             "\xC1\xED\xEF\xE9\xE3\xEC\xE1", false));  // "Ανοιγμα" in cp1253
    cyrillic.reload();
    auto path = cyrillic.dir / "ru.xlsx";
    WorkbookExport exporter(cyrillic.doc(), cyrillic.rows(), cyrillic.feedback);
    ASSERT_EQ(exporter.run(path, {Ids, Source, 2}).outcome, WorkbookExportOutcome::Written);
    auto grid = test::WorkbookProject::readGrid(path);
    ASSERT_EQ(grid.size(), 4u);
    EXPECT_EQ(grid[2][3], "\xD0\x9E\xD1\x82\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82\xD1\x8C");  // "Открыть"
    EXPECT_EQ(grid[2][4], "\xCE\x91\xCE\xBD\xCE\xBF\xCE\xB9\xCE\xB3\xCE\xBC\xCE\xB1");  // "Ανοιγμα"
    EXPECT_EQ(grid[3][2], "IDS_SAVE");
    EXPECT_EQ(grid[3][3], "\xD0\xA1\xD0\xBE\xD1\x85\xD1\x80\xD0\xB0\xD0\xBD\xD0\xB8\xD1\x82\xD1\x8C");
    EXPECT_TRUE(cyrillic.feedback.said.empty());
}

TEST_F(WorkbookExportTest, TextsNotValidInTheirCodePageAreWrittenEmptyAndReported)
{
    int exit = project.lineOf("E&xit");
    ASSERT_TRUE(project.db().setTranslation(exit, Greek, "\xAA", false));  // unassigned in cp1253
    project.reload();
    auto result = exportTo({Ids, 3});
    ASSERT_EQ(result.outcome, WorkbookExportOutcome::Written);
    EXPECT_EQ(result.undecodableCells, 1);
    auto grid = test::WorkbookProject::readGrid(target);
    int row = rowWith(grid, 2, "ID_EXIT");
    ASSERT_GT(row, 1);
    EXPECT_EQ(grid[static_cast<std::size_t>(row)][3], "");
    ASSERT_EQ(project.feedback.said.size(), 1u);
    EXPECT_NE(project.feedback.said[0].text.find("Id ID_EXIT, column Greek"), std::string::npos);
}

TEST_F(WorkbookExportTest, NoCategoriesGiveTheHeaderAlone)
{
    for (ProjectSwitch s : {ProjectSwitch::DialogEdit, ProjectSwitch::MenuEdit, ProjectSwitch::StringtableEdit,
                            ProjectSwitch::BitmapEdit, ProjectSwitch::VersionEdit})
        if (project.doc().switches().get(s))
            project.doc().toggleSwitch(s);
    project.reload();
    auto result = exportTo({Ids, Source, 2});
    ASSERT_EQ(result.outcome, WorkbookExportOutcome::Written);
    EXPECT_EQ(result.rowsWritten, 0);
    auto grid = test::WorkbookProject::readGrid(target);
    ASSERT_EQ(grid.size(), 1u);
    EXPECT_EQ(grid[0][3], "Source Text");
}

TEST_F(WorkbookExportTest, SheetsWiderThan26ColumnsUseTwoLetterColumns)
{
    std::vector<LanguageId> more;
    for (const LanguageRow& row : languageRows()) {
        LanguageId id{row.language, row.sublanguage};
        if (more.size() < 24 && !translationColumnName(id.language, id.sublanguage).empty() &&
            !project.doc().hasTranslation(id) && project.doc().NewTranslation(id, "t" + std::to_string(more.size()) + ".rc"))
            more.push_back(id);
    }
    ASSERT_EQ(more.size(), 24u);
    project.reload();
    std::vector<int> all;
    for (int c = 0; c < project.rows().columns().count(); ++c)
        all.push_back(c);
    ASSERT_EQ(WorkbookExport::sheetWidth(all), 30);
    ASSERT_EQ(exportTo(all).outcome, WorkbookExportOutcome::Written);
    WorkbookReader reader;
    ASSERT_TRUE(reader.open(target));
    EXPECT_EQ(reader.columnCount(), 30);
    const LanguageId last = more.back();
    EXPECT_EQ(reader.text(0, 29), translationColumnName(last.language, last.sublanguage));  // column AD
    EXPECT_TRUE(reader.look(0, 29).bordered);
    EXPECT_EQ(reader.text(2, 3), "About");
}

TEST_F(WorkbookExportTest, CancelLeavesNoFileAndKeepsAnOldOne)
{
    project.feedback.cancelAfterPolls = 2;
    auto result = exportTo({Source});
    EXPECT_EQ(result.outcome, WorkbookExportOutcome::Cancelled);
    EXPECT_FALSE(std::filesystem::exists(target));

    project.dir.write("texts.xlsx", "old");
    project.feedback.polls = 0;
    exportTo({Source});
    EXPECT_EQ(test::readFile(target), "old");
    auto leftovers = std::distance(std::filesystem::directory_iterator(project.dir.path()), {});
    EXPECT_EQ(leftovers, 3);  // script, database and the old workbook
}

TEST_F(WorkbookExportTest, NothingChosenAndUnwritableTargetsWriteNothing)
{
    EXPECT_EQ(exportTo({}).outcome, WorkbookExportOutcome::NothingChosen);
    EXPECT_EQ(exportTo({7, -1}).outcome, WorkbookExportOutcome::NothingChosen);
    EXPECT_FALSE(std::filesystem::exists(target));

    WorkbookExport exporter(project.doc(), project.rows(), project.feedback);
    auto result = exporter.run(project.dir / "missing" / "texts.xlsx", {Source});
    EXPECT_EQ(result.outcome, WorkbookExportOutcome::Failed);
    ASSERT_EQ(project.feedback.said.size(), 1u);
    EXPECT_EQ(project.feedback.said[0].text.rfind("Export Text\nCan not write the workbook file", 0), 0u);
}

} // namespace qmk
