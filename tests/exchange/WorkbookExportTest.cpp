// The workbook export read back: layout, owners and item types, excluded rows, block headers,
// fonts per column, texts decoded from their code pages, wide sheets, cancel and failures.
#include <gtest/gtest.h>

#include "database/TranslationColumnNames.h"
#include <pugixml.hpp>

#include "exchange/WorkbookExport.h"
#include "exchange/WorkbookFonts.h"
#include "exchange/WorkbookProject.h"
#include "exchange/WorkbookReader.h"
#include "exchange/ZipFixture.h"
#include "parser/LanguageTable.h"

namespace qmk {
namespace {

using test::Greek;
using test::Russian;

class WorkbookExportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(project.open(test::kWorkbookScript, {Russian, Greek})); }

    WorkbookExportResult exportTo(const std::vector<int>& columns, const std::filesystem::path& path = {})
    {
        WorkbookExport exporter(project.doc(), project.feedback);
        return exporter.run(path.empty() ? target : path, columns);
    }
    // The sheet row of the n-th row with this Id (column C).
    const std::vector<std::string>& rowOf(const test::Grid& grid, const std::string& id, int nth = 0)
    {
        for (std::size_t r = 2; r < grid.size(); ++r)
            if (grid[r][2] == id && nth-- == 0)
                return grid[r];
        static const std::vector<std::string> none(8);
        ADD_FAILURE() << "no row " << id;
        return none;
    }

    test::WorkbookProject project;
    std::filesystem::path target = project.dir / "texts.xlsx";
};

} // namespace

TEST_F(WorkbookExportTest, IdsAndTwoTranslationsGiveFiveColumnsWithOwnersTypesAndFonts)
{
    ASSERT_EQ(exportTo({3, 0, 2}).outcome, OperationResult::Done);  // any order: the import needs A-D fixed
    auto grid = test::WorkbookProject::readGrid(target);
    ASSERT_EQ(grid[0], (std::vector<std::string>{"Resource Ident", "Item Type", "Id", "Russian", "Greek"}));
    EXPECT_EQ(grid[1], std::vector<std::string>(5));
    EXPECT_EQ(rowOf(grid, "\"Caption\"")[0], "IDD_ABOUT");
    EXPECT_EQ(rowOf(grid, "\"Caption\"")[1], "Dialog Caption");
    EXPECT_EQ(rowOf(grid, "IDOK", 1)[0], "IDD_NAME");
    EXPECT_EQ(rowOf(grid, "IDOK", 1)[1], "Dialog Item");
    EXPECT_EQ(rowOf(grid, "\"Popup\"")[0], "IDR_MAIN");
    EXPECT_EQ(rowOf(grid, "ID_EXIT")[1], "Menu Item");
    EXPECT_EQ(rowOf(grid, "FileDescription")[0], "VS_VERSION_INFO");
    EXPECT_EQ(rowOf(grid, "IDS_HELLO")[0], "");
    EXPECT_EQ(rowOf(grid, "IDS_HELLO")[1], "Stringtable String");
    // Block headers are left out without leaving a gap.
    for (std::size_t r = 2; r < grid.size(); ++r)
        EXPECT_NE(grid[r][1], "Block Header");
    EXPECT_EQ(grid.size(), 2u + static_cast<std::size_t>(project.rows().rowCount()) - 1u);

    WorkbookReader reader;
    ASSERT_TRUE(reader.open(target));
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(reader.look(0, c).fillColour, 0xC0C0C0u);
        EXPECT_TRUE(reader.look(0, c).bordered);
    }
    EXPECT_FALSE(reader.look(2, 0).bordered);
    // The project's faces for Russian and Greek ("Arial Cyr", "Arial Greek") exist only on Windows.
    EXPECT_EQ(reader.look(0, 3).fontName, kWorkbookDefaultFace);
    EXPECT_EQ(reader.look(4, 3).fontName, kWorkbookDefaultFace);
    EXPECT_EQ(reader.look(3, 4).fontName, kWorkbookDefaultFace);
    EXPECT_EQ(reader.look(3, 2).fontName, kWorkbookDefaultFace);
}

TEST_F(WorkbookExportTest, TheHeaderRowIsBoldFrozenAndFiltered)
{
    const WorkbookExportResult result = exportTo({0, 1, 2, 3});
    ASSERT_EQ(result.outcome, OperationResult::Done);
    pugi::xml_document sheet, styles;
    ASSERT_TRUE(sheet.load_string(test::zipEntry(target, "xl/worksheets/sheet1.xml").c_str()));
    ASSERT_TRUE(styles.load_string(test::zipEntry(target, "xl/styles.xml").c_str()));
    pugi::xml_node worksheet = sheet.child("worksheet");

    pugi::xml_node pane = worksheet.child("sheetViews").child("sheetView").child("pane");
    EXPECT_STREQ(pane.attribute("state").value(), "frozen");
    EXPECT_STREQ(pane.attribute("ySplit").value(), "1");
    EXPECT_FALSE(pane.attribute("xSplit"));
    const std::string lastRow = std::to_string(WorkbookExport::FirstDataRow + result.rowsWritten);
    EXPECT_EQ(std::string(worksheet.child("autoFilter").attribute("ref").value()), "A1:F" + lastRow);

    // Every header cell's style names a bold font; the data cells' do not.
    auto boldAt = [&](const std::string& column, const std::string& row) {
        const pugi::xml_node cell = worksheet.child("sheetData")
                                        .find_child_by_attribute("row", "r", row.c_str())
                                        .find_child_by_attribute("c", "r", (column + row).c_str());
        pugi::xml_node style = styles.child("styleSheet").child("cellXfs").child("xf");
        for (int s = cell.attribute("s").as_int(); s > 0 && style; --s)
            style = style.next_sibling("xf");
        pugi::xml_node font = styles.child("styleSheet").child("fonts").child("font");
        for (int f = style.attribute("fontId").as_int(); f > 0 && font; --f)
            font = font.next_sibling("font");
        return static_cast<bool>(font.child("b"));
    };
    for (const char* column : {"A", "B", "C", "D", "E", "F"})
        EXPECT_TRUE(boldAt(column, "1")) << column;
    EXPECT_FALSE(boldAt("D", "3"));
    EXPECT_FALSE(boldAt("F", "3"));
}

TEST(WorkbookFontsTest, WindowsOnlyFacesBecomeFacesOfTheCharacterSet)
{
    EXPECT_EQ(workbookFontFace("Arial Cyr", 0xCC), kWorkbookDefaultFace);
    EXPECT_EQ(workbookFontFace("arial greek", 0xA1), kWorkbookDefaultFace);
    EXPECT_EQ(workbookFontFace("", 1), kWorkbookDefaultFace);
    EXPECT_EQ(workbookFontFace("MS Gothic", 0x80), "Noto Sans CJK JP");
    EXPECT_EQ(workbookFontFace("Arial", 0x86), "Noto Sans CJK SC");
    EXPECT_EQ(workbookFontFace("Liberation Serif", 0xCC), "Liberation Serif");  // the translator's choice
}

TEST_F(WorkbookExportTest, SourceOnlyGivesOneColumnOfDecodedTexts)
{
    auto result = exportTo({1});
    auto grid = test::WorkbookProject::readGrid(target);
    ASSERT_EQ(grid.size(), 2u + static_cast<std::size_t>(result.rowsWritten));
    EXPECT_EQ(grid[0], std::vector<std::string>{"Source Text"});
    EXPECT_EQ(grid[1], std::vector<std::string>{""});
    EXPECT_EQ(grid[2][0], "About");
    EXPECT_EQ(grid[grid.size() - 2][0], "Caf\xC3\xA9");  // from cp1252
    EXPECT_EQ(grid.back()[0], "Demo");
}

TEST_F(WorkbookExportTest, ExcludedRowsExportTheSourceInEveryTranslationColumn)
{
    int hello = project.lineOf("Hello world"), exit = project.lineOf("E&xit");
    ASSERT_TRUE(project.db().texts().setTranslation(exit, Russian, "\xC2\xFB\xF5\xEE\xE4", false));  // cp1251
    ASSERT_TRUE(project.db().texts().setTranslation(hello, Russian, "x", false));
    ASSERT_TRUE(project.db().texts().setExclude(hello, true));
    project.reload();
    ASSERT_EQ(exportTo({0, 1, 2, 3}).outcome, OperationResult::Done);
    auto grid = test::WorkbookProject::readGrid(target);
    EXPECT_EQ(rowOf(grid, "IDS_HELLO")[4], "Hello world");
    EXPECT_EQ(rowOf(grid, "IDS_HELLO")[5], "Hello world");
    EXPECT_EQ(rowOf(grid, "ID_EXIT")[4], "\xD0\x92\xD1\x8B\xD1\x85\xD0\xBE\xD0\xB4");  // "Выход"
    EXPECT_EQ(rowOf(grid, "ID_EXIT")[5], "");
}

TEST_F(WorkbookExportTest, CyrillicProjectTextsArriveAsUnicode)
{
    test::WorkbookProject cyrillic;
    ASSERT_TRUE(cyrillic.open("#pragma code_page(1251)\nLANGUAGE 25, 1\nSTRINGTABLE\nBEGIN\n"
                              "  IDS_OPEN \"\xCE\xF2\xEA\xF0\xFB\xF2\xFC\"\nEND\n",
                              {Greek}));
    ASSERT_EQ(cyrillic.doc().codePage(), 1251);
    ASSERT_TRUE(cyrillic.db().texts().setTranslation(cyrillic.lineOf("\xCE\xF2\xEA\xF0\xFB\xF2\xFC"), Greek,
                                             "\xC1\xED\xEF\xE9\xE3\xEC\xE1", false));  // cp1253
    cyrillic.reload();
    WorkbookExport exporter(cyrillic.doc(), cyrillic.feedback);
    ASSERT_EQ(exporter.run(target, {1, 2}).outcome, OperationResult::Done);
    auto grid = test::WorkbookProject::readGrid(target);
    EXPECT_EQ(grid[2][0], "\xD0\x9E\xD1\x82\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82\xD1\x8C");  // "Открыть"
    EXPECT_EQ(grid[2][1], "\xCE\x91\xCE\xBD\xCE\xBF\xCE\xB9\xCE\xB3\xCE\xBC\xCE\xB1");  // "Ανοιγμα"
}

TEST_F(WorkbookExportTest, TextsNotValidInTheirCodePageAreWrittenEmptyAndReported)
{
    ASSERT_TRUE(project.db().texts().setTranslation(project.lineOf("E&xit"), Greek, "\xAA", false));  // not in cp1253
    project.reload();
    auto result = exportTo({0, 3});
    ASSERT_EQ(result.outcome, OperationResult::Done);
    EXPECT_EQ(result.undecodableCells, 1);
    EXPECT_EQ(rowOf(test::WorkbookProject::readGrid(target), "ID_EXIT")[3], "");
    ASSERT_EQ(project.feedback.said.size(), 1u);
    EXPECT_NE(project.feedback.said[0].text.find("Id ID_EXIT, column Greek"), std::string::npos);
}

TEST_F(WorkbookExportTest, SheetsWiderThan26ColumnsGoOnWithTwoLetterColumns)
{
    int added = 0;
    for (const LanguageRow& row : languageRows()) {
        LanguageId id{row.language, row.sublanguage};
        if (added < 24 && !translationColumnName(id.language, id.sublanguage).empty() && !project.doc().hasTranslation(id) &&
            project.doc().NewTranslation(id, "t" + std::to_string(added) + ".rc"))
            ++added;
    }
    project.reload();
    std::vector<int> all;
    for (int c = 0; c < project.rows().columns().count(); ++c)
        all.push_back(c);
    ASSERT_EQ(WorkbookExport::sheetWidth(all), 30);
    ASSERT_EQ(exportTo(all).outcome, OperationResult::Done);
    WorkbookReader reader;
    ASSERT_TRUE(reader.open(target));
    EXPECT_EQ(reader.columnCount(), 30);
    EXPECT_EQ(reader.text(0, 29), project.rows().columns().header(27));  // column AD
    EXPECT_TRUE(reader.look(0, 29).bordered);
}

TEST_F(WorkbookExportTest, CancelNothingChosenAndFailuresLeaveNoFile)
{
    project.feedback.cancelAfterPolls = 2;
    EXPECT_EQ(exportTo({1}).outcome, OperationResult::Cancelled);
    EXPECT_FALSE(std::filesystem::exists(target));
    ASSERT_EQ(project.feedback.askedTexts.size(), 1u);
    EXPECT_EQ(project.feedback.askedTexts[0], "Exporting text aborted.\nDo you want to close the Excel application ?");

    // "No" keeps the rows written before the cancel.
    project.feedback.answer = false;
    project.feedback.polls = 0;
    WorkbookExportResult kept = exportTo({1});
    EXPECT_EQ(kept.outcome, OperationResult::Cancelled);
    EXPECT_TRUE(kept.keptPartial);
    EXPECT_EQ(kept.rowsWritten, 3);
    auto grid = test::WorkbookProject::readGrid(target);
    EXPECT_EQ(grid.size(), 5u);
    EXPECT_EQ(grid[0][0], "Source Text");
    std::filesystem::remove(target);
    project.feedback.answer = true;

    project.dir.write("texts.xlsx", "old");
    project.feedback.polls = 0;
    exportTo({1});
    EXPECT_EQ(test::readFile(target), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(project.dir.path()), {}), 3);  // no temporary left

    project.feedback.cancelAfterPolls = -1;
    EXPECT_EQ(exportTo({7, -1}).outcome, OperationResult::InputRefused);
    EXPECT_EQ(exportTo({1}, project.dir / "missing" / "x.xlsx").outcome, OperationResult::Failed);
    ASSERT_EQ(project.feedback.said.size(), 1u);
    EXPECT_EQ(project.feedback.said[0].text.rfind("Export Text\nCan not write the workbook file", 0), 0u);
}

} // namespace qmk
