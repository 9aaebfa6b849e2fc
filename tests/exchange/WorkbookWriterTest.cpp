#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "exchange/CellAddress.h"
#include "exchange/WorkbookReader.h"
#include "exchange/WorkbookWriter.h"
#include "exchange/ZipFixture.h"

namespace qmk {

namespace {

class WorkbookRoundTripTest : public ::testing::Test {
protected:
    // Writes the given cells (row, column, text) and reads the workbook back.
    void roundTrip(const std::vector<std::tuple<int, int, std::string>>& cells)
    {
        WorkbookWriter writer;
        ASSERT_TRUE(writer.create(path)) << writer.errorDetail();
        for (const auto& [row, column, text] : cells)
            ASSERT_TRUE(writer.writeText(row, column, text)) << writer.errorDetail();
        ASSERT_TRUE(writer.close()) << writer.errorDetail();
        ASSERT_TRUE(reader.open(path)) << reader.errorDetail();
    }

    test::TempDir dir;
    std::filesystem::path path = dir / "texts.xlsx";
    WorkbookReader reader;
};

} // namespace

TEST_F(WorkbookRoundTripTest, TextsInManyScriptsComeBackByteExact)
{
    const std::vector<std::string> texts = {
        "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82",        // Cyrillic
        "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE3\x83\x86\xE3\x82\xAD\xE3\x82\xB9\xE3\x83\x88",  // Japanese
        "\xCE\x91\xCF\x81\xCF\x87\xCE\xB5\xCE\xAF\xCE\xBF",        // Greek
        "\xF0\x9F\x98\x80 outside the basic plane",
        "Say \"Hello\" & <goodbye> 'now'",
        "two\nlines",
        "carriage\r\nreturn",
        "  leading and trailing blanks  ",
        " ",
        "tab\tbetween",
        "control \x01\x1F characters",
        "looks like an escape: _x000D_ and _x005F_",
        "&File\\tCtrl+O",
    };
    std::vector<std::tuple<int, int, std::string>> cells;
    for (size_t i = 0; i < texts.size(); ++i)
        cells.emplace_back(static_cast<int>(i) + 2, 1, texts[i]);
    roundTrip(cells);
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(reader.text(static_cast<int>(i) + 2, 1), texts[i]) << i;
    EXPECT_EQ(reader.rowCount(), static_cast<int>(texts.size()) + 2);
    EXPECT_EQ(reader.columnCount(), 2);
}

TEST_F(WorkbookRoundTripTest, EmptyAndMissingCellsReadAsEmpty)
{
    roundTrip({{0, 0, "Source Text"}, {2, 0, "Open"}, {4, 3, "far"}});
    EXPECT_EQ(reader.text(1, 0), "");   // the empty second row
    EXPECT_EQ(reader.text(2, 1), "");
    EXPECT_EQ(reader.text(500, 500), "");
    EXPECT_EQ(reader.rowCount(), 5);
    EXPECT_EQ(reader.columnCount(), 4);
}

TEST_F(WorkbookRoundTripTest, WideSheetsKeepEveryColumnApart)
{
    std::vector<std::tuple<int, int, std::string>> cells;
    for (int column : {0, 25, 26, 27, 701, 702, 703, kSheetMaxColumns - 1})
        cells.emplace_back(0, column, "col " + columnLetters(column));
    roundTrip(cells);
    for (const auto& [row, column, text] : cells)
        EXPECT_EQ(reader.text(row, column), text);
    EXPECT_EQ(reader.text(0, 24), "");
    EXPECT_EQ(reader.columnCount(), kSheetMaxColumns);
}

TEST_F(WorkbookRoundTripTest, HeaderCellsAreGreyAndBorderedAndColumnFontsApply)
{
    WorkbookWriter writer;
    ASSERT_TRUE(writer.create(path));
    ASSERT_TRUE(writer.setColumnFont(1, "Arial Cyr"));
    ASSERT_TRUE(writer.setColumnWidth(1, 40));
    ASSERT_TRUE(writer.writeText(0, 0, "Source Text", CellStyle::Header));
    ASSERT_TRUE(writer.writeText(0, 1, "Russian", CellStyle::Header));
    ASSERT_TRUE(writer.writeText(2, 0, "Open"));
    ASSERT_TRUE(writer.writeText(2, 1, "\xD0\x9E\xD1\x82\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82\xD1\x8C"));
    ASSERT_TRUE(writer.close()) << writer.errorDetail();
    ASSERT_TRUE(reader.open(path));

    CellLook header = reader.look(0, 0);
    EXPECT_EQ(header.fillColour, kHeaderFillColour);
    EXPECT_TRUE(header.bordered);
    CellLook russianHeader = reader.look(0, 1);
    EXPECT_EQ(russianHeader.fillColour, kHeaderFillColour);
    EXPECT_EQ(russianHeader.fontName, "Arial Cyr");
    EXPECT_EQ(reader.look(2, 1).fontName, "Arial Cyr");
    EXPECT_FALSE(reader.look(2, 1).fillColour);
    EXPECT_NE(reader.look(2, 0).fontName, "Arial Cyr");
    EXPECT_FALSE(reader.look(2, 0).bordered);
}

TEST_F(WorkbookRoundTripTest, ManyRowsReadBackInOrder)
{
    std::vector<std::tuple<int, int, std::string>> cells;
    for (int row = 2; row < 5002; ++row)
        for (int column = 0; column < 5; ++column)
            cells.emplace_back(row, column, "r" + std::to_string(row) + "c" + std::to_string(column));
    roundTrip(cells);
    EXPECT_EQ(reader.rowCount(), 5002);
    EXPECT_EQ(reader.text(4321, 3), "r4321c3");
}

TEST(WorkbookWriterTest, TextThatIsNotUtf8OrTooLongIsRefused)
{
    test::TempDir dir;
    WorkbookWriter writer;
    ASSERT_TRUE(writer.create(dir / "a.xlsx"));
    EXPECT_FALSE(writer.writeText(0, 0, "Gr\xF6\xDF" "e"));
    EXPECT_EQ(writer.error(), WorkbookError::InvalidText);
    EXPECT_FALSE(writer.writeText(0, 0, std::string("nul\0inside", 10)));
    EXPECT_FALSE(writer.writeText(0, 0, std::string(32768, 'x')));
    EXPECT_TRUE(writer.writeText(0, 0, std::string(32767, 'x')));
    EXPECT_FALSE(writer.writeText(kSheetMaxRows, 0, "x"));
    EXPECT_EQ(writer.error(), WorkbookError::OutOfRange);
    EXPECT_FALSE(writer.writeText(0, kSheetMaxColumns, "x"));
    EXPECT_TRUE(writer.close());
    EXPECT_FALSE(writer.create(dir / "b.xlsx", "no/slashes"));
    EXPECT_EQ(writer.error(), WorkbookError::InvalidText);
    EXPECT_FALSE(std::filesystem::exists(dir / "b.xlsx"));
}

TEST(WorkbookWriterTest, AbandonedWorkbookLeavesNothingBehind)
{
    test::TempDir dir;
    {
        WorkbookWriter writer;
        ASSERT_TRUE(writer.create(dir / "a.xlsx"));
        writer.writeText(0, 0, "x");
        writer.abandon();
        EXPECT_FALSE(writer.isOpen());
        WorkbookWriter dropped;
        ASSERT_TRUE(dropped.create(dir / "b.xlsx"));
        dropped.writeText(0, 0, "x");
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(WorkbookWriterTest, MissingFolderIsReportedAtCreate)
{
    test::TempDir dir;
    WorkbookWriter writer;
    EXPECT_FALSE(writer.create(dir / "no-such-folder" / "a.xlsx"));
    EXPECT_EQ(writer.error(), WorkbookError::CannotCreate);
    EXPECT_FALSE(writer.writeText(0, 0, "x"));
    EXPECT_EQ(writer.error(), WorkbookError::NotOpen);
}

TEST(WorkbookWriterTest, FullDiskLeavesTheOldFileAndNoTemporaryFile)
{
    test::TempDir dir;
    auto path = dir.write("a.xlsx", "the previous workbook");
    WorkbookWriter writer;
    ASSERT_TRUE(writer.create(path));
    for (int row = 0; row < 200; ++row)
        writer.writeText(row, 0, "some text to fill the disk " + std::to_string(row));
    {
        test::FileSizeLimit limit(512);
        EXPECT_FALSE(writer.close());
    }
    EXPECT_EQ(writer.error(), WorkbookError::WriteFailed) << writer.errorDetail();
    EXPECT_EQ(test::readFile(path), "the previous workbook");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1);
}

TEST(WorkbookWriterTest, ClosingReplacesAnOlderFileOfTheSameName)
{
    test::TempDir dir;
    auto path = dir.write("a.xlsx", "old");
    WorkbookWriter writer;
    ASSERT_TRUE(writer.create(path));
    ASSERT_TRUE(writer.writeText(0, 0, "new"));
    ASSERT_TRUE(writer.close());
    WorkbookReader reader;
    ASSERT_TRUE(reader.open(path));
    EXPECT_EQ(reader.text(0, 0), "new");
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::owner_read,
              std::filesystem::perms::owner_read);
}

} // namespace qmk
