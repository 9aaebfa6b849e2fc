#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "resources/Messages.h"
#include "resources/WorkbookTexts.h"
#include "exchange/WorkbookReader.h"
#include "exchange/WorkbookWriter.h"
#include "exchange/ZipFixture.h"

namespace qmk {

namespace {

const char kSst[] = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";

class WorkbookReaderTest : public ::testing::Test {
protected:
    bool openSheet(const std::string& rows, const std::string& sharedStrings = "")
    {
        test::writeZip(path, test::minimalWorkbook(test::worksheetXml(rows), sharedStrings));
        return reader.open(path);
    }

    test::TempDir dir;
    std::filesystem::path path = dir / "book.xlsx";
    WorkbookReader reader;
};

} // namespace

TEST_F(WorkbookReaderTest, SharedStringsWithRichTextRunsAndPhoneticGuides)
{
    std::string sst = std::string(kSst) +
                      "<si><t>Resource Ident</t></si>"
                      "<si><r><rPr><b/></rPr><t>Item </t></r><r><t xml:space=\"preserve\"> Type</t></r></si>"
                      "<si><t>\xE6\xBC\xA2\xE5\xAD\x97</t><rPh sb=\"0\" eb=\"2\"><t>\xE3\x81\x8B\xE3\x82\x93\xE3\x81\x98</t></rPh></si>"
                      "<si>\n  <t xml:space=\"preserve\">  </t>\n</si>"
                      "<si><t>a_x000D__x000A_b &amp; &lt;c&gt; _x005F_x0041_</t></si>"
                      "</sst>";
    ASSERT_TRUE(openSheet("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                          "<c r=\"C1\" t=\"s\"><v>2</v></c><c r=\"D1\" t=\"s\"><v>3</v></c>"
                          "<c r=\"E1\" t=\"s\"><v>4</v></c></row>",
                          sst))
        << reader.errorDetail();
    EXPECT_EQ(reader.text(0, 0), "Resource Ident");
    EXPECT_EQ(reader.text(0, 1), "Item  Type");
    EXPECT_EQ(reader.text(0, 2), "\xE6\xBC\xA2\xE5\xAD\x97");  // without the reading
    EXPECT_EQ(reader.text(0, 3), "  ");
    EXPECT_EQ(reader.text(0, 4), "a\r\nb & <c> _x0041_");
}

TEST_F(WorkbookReaderTest, InlineStringsNumbersBooleansAndFormulaResults)
{
    ASSERT_TRUE(openSheet("<row r=\"1\">"
                          "<c r=\"A1\" t=\"inlineStr\"><is><t>inline</t></is></c>"
                          "<c r=\"B1\"><v>42</v></c>"
                          "<c r=\"C1\" t=\"n\"><v>1.5E-3</v></c>"
                          "<c r=\"D1\" t=\"b\"><v>1</v></c>"
                          "<c r=\"E1\" t=\"b\"><v>0</v></c>"
                          "<c r=\"F1\" t=\"str\"><f>A1</f><v>from formula</v></c>"
                          "<c r=\"G1\" t=\"e\"><v>#N/A</v></c>"
                          "<c r=\"H1\"><f>1+1</f></c>"
                          "<c r=\"I1\" t=\"inlineStr\"><is><r><t>rich</t></r><r><t> inline</t></r></is></c>"
                          "</row>"));
    EXPECT_EQ(reader.text(0, 0), "inline");
    EXPECT_EQ(reader.text(0, 1), "42");
    EXPECT_EQ(reader.text(0, 2), "1.5E-3");
    EXPECT_EQ(reader.text(0, 3), "TRUE");
    EXPECT_EQ(reader.text(0, 4), "FALSE");
    EXPECT_EQ(reader.text(0, 5), "from formula");
    EXPECT_EQ(reader.text(0, 6), "#N/A");
    EXPECT_EQ(reader.text(0, 7), "");  // a formula without its cached result
    EXPECT_EQ(reader.text(0, 8), "rich inline");
}

TEST_F(WorkbookReaderTest, SparseRowsAndCellsWithoutPositionsFollowTheirPredecessors)
{
    ASSERT_TRUE(openSheet("<row r=\"1\"><c t=\"inlineStr\"><is><t>A1</t></is></c><c t=\"inlineStr\"><is><t>B1</t></is></c>"
                          "<c r=\"E1\" t=\"inlineStr\"><is><t>E1</t></is></c><c t=\"inlineStr\"><is><t>F1</t></is></c></row>"
                          "<row><c t=\"inlineStr\"><is><t>A2</t></is></c></row>"
                          "<row r=\"7\"><c r=\"C7\" t=\"inlineStr\"><is><t>C7</t></is></c></row>"
                          "<row><c r=\"B8\" s=\"3\"/></row>"));
    EXPECT_EQ(reader.text(0, 0), "A1");
    EXPECT_EQ(reader.text(0, 1), "B1");
    EXPECT_EQ(reader.text(0, 4), "E1");
    EXPECT_EQ(reader.text(0, 5), "F1");
    EXPECT_EQ(reader.text(1, 0), "A2");
    EXPECT_EQ(reader.text(6, 2), "C7");
    EXPECT_EQ(reader.text(3, 0), "");
    EXPECT_EQ(reader.rowCount(), 7);  // the formatted empty B8 does not count
    EXPECT_EQ(reader.columnCount(), 6);
}

TEST_F(WorkbookReaderTest, PrefixedElementsAndWorkbookWithoutRelationships)
{
    std::string sheet =
        "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><x:sheetData>"
        "<x:row r=\"1\"><x:c r=\"A1\" t=\"inlineStr\"><x:is><x:t>prefixed</x:t></x:is></x:c></x:row>"
        "</x:sheetData></x:worksheet>";
    test::writeZip(path, {{"xl/worksheets/sheet1.xml", sheet}});
    ASSERT_TRUE(reader.open(path)) << reader.errorDetail();
    EXPECT_EQ(reader.text(0, 0), "prefixed");
}

TEST_F(WorkbookReaderTest, TheFirstWorksheetIsReadNotTheFirstFile)
{
    auto entries = test::minimalWorkbook(test::worksheetXml(
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>first</t></is></c></row>"));
    entries.emplace_back("xl/worksheets/sheet1.xml",
                         test::worksheetXml("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>other</t></is></c></row>"));
    test::writeZip(path, entries);
    ASSERT_TRUE(reader.open(path));
    EXPECT_EQ(reader.text(0, 0), "first");
}

TEST_F(WorkbookReaderTest, MissingFileAndFolderAreTold)
{
    EXPECT_FALSE(reader.open(dir / "none.xlsx"));
    EXPECT_EQ(reader.error(), WorkbookError::FileNotFound);
    EXPECT_FALSE(reader.open(dir.path()));
    EXPECT_EQ(reader.error(), WorkbookError::CannotOpen);
}

TEST_F(WorkbookReaderTest, FilesThatAreNoZipArchiveAreRefused)
{
    for (const std::string& bytes : {std::string(), std::string("Resource Ident;Item Type;Id\n"),
                                     std::string("PK\x03\x04 broken", 11)}) {
        test::TempDir other;
        EXPECT_FALSE(reader.open(other.write("a.xlsx", bytes)));
        EXPECT_EQ(reader.error(), WorkbookError::NotAWorkbook) << reader.errorDetail();
        EXPECT_EQ(reader.rowCount(), 0);
    }
}

TEST_F(WorkbookReaderTest, ZipWithoutWorksheetIsRefused)
{
    test::writeZip(path, {{"readme.txt", "not a workbook"}});
    EXPECT_FALSE(reader.open(path));
    EXPECT_EQ(reader.error(), WorkbookError::NoWorksheet);

    auto entries = test::minimalWorkbook("<worksheet/>");
    entries.erase(entries.begin() + 4);  // the sheet the workbook names
    test::writeZip(path, entries);
    EXPECT_FALSE(reader.open(path));
    EXPECT_EQ(reader.error(), WorkbookError::NoWorksheet) << reader.errorDetail();
}

TEST_F(WorkbookReaderTest, DamagedPartsAreReportedNotReadHalfway)
{
    std::string good = "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>text</t></is></c></row>";
    std::string sheet = test::worksheetXml(good);
    EXPECT_FALSE(openSheet(good + "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>cut"));
    test::writeZip(path, test::minimalWorkbook(sheet.substr(0, sheet.size() - 20)));
    EXPECT_FALSE(reader.open(path));
    EXPECT_EQ(reader.error(), WorkbookError::Damaged);
    EXPECT_NE(reader.errorDetail().find("xl/worksheets/data.xml"), std::string::npos);
    EXPECT_EQ(reader.text(0, 0), "");

    EXPECT_FALSE(openSheet("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>5</v></c></row>", std::string(kSst) + "<si><t>x</t></si></sst>"));
    EXPECT_EQ(reader.error(), WorkbookError::Damaged);
    EXPECT_FALSE(openSheet("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>-1</v></c></row>", std::string(kSst) + "</sst>"));
    EXPECT_FALSE(openSheet("<row r=\"1\"><c r=\"1A\"><v>1</v></c></row>"));
    EXPECT_FALSE(openSheet("<row r=\"0\"><c><v>1</v></c></row>"));
    EXPECT_FALSE(openSheet("<row r=\"99999999\"><c><v>1</v></c></row>"));
    EXPECT_FALSE(openSheet("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>", std::string(kSst) + "<si><t>x"));
    EXPECT_EQ(reader.error(), WorkbookError::Damaged);
}

TEST_F(WorkbookReaderTest, TruncatedAndCorruptedArchivesNeverCrash)
{
    WorkbookWriter writer;
    ASSERT_TRUE(writer.create(path));
    for (int row = 0; row < 300; ++row)
        writer.writeText(row, 0, "text number " + std::to_string(row));
    ASSERT_TRUE(writer.close());
    const std::string bytes = test::readFile(path);
    for (size_t cut : {bytes.size() / 4, bytes.size() / 2, bytes.size() - 30, bytes.size() - 1}) {
        test::TempDir other;
        EXPECT_FALSE(reader.open(other.write("cut.xlsx", bytes.substr(0, cut)))) << cut;
        EXPECT_NE(reader.error(), WorkbookError::None);
    }
    // Flipped bytes inside the compressed data: a checksum or inflate error, or garbled XML.
    for (size_t at = 100; at + 100 < bytes.size(); at += 97) {
        std::string damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
        test::TempDir other;
        if (!reader.open(other.write("flipped.xlsx", damaged))) {
            EXPECT_NE(reader.error(), WorkbookError::None);
        }
    }
}

// A shared string is held once however many cells show it: 200 cells of one 1 MB string cost
// 1 MB, not 200 MB (a 16 MB string in 1,000 cells would otherwise ask for 16 GB).
TEST_F(WorkbookReaderTest, OneLongSharedStringInManyCellsIsHeldOnce)
{
    const std::string longText(1u << 20, 'w');
    std::string rows;
    for (int r = 1; r <= 200; ++r)
        rows += "<row r=\"" + std::to_string(r) + "\"><c t=\"s\"><v>0</v></c><c t=\"s\"><v>1</v></c></row>";
    ASSERT_TRUE(openSheet(rows, std::string(kSst) + "<si><t>" + longText + "</t></si><si><t>short</t></si></sst>"))
        << reader.errorDetail();
    ASSERT_EQ(reader.rowCount(), 200);
    EXPECT_EQ(reader.text(0, 0), longText);
    EXPECT_EQ(reader.text(199, 1), "short");
    for (int r = 1; r < 200; ++r)
        ASSERT_EQ(&reader.text(r, 0), &reader.text(0, 0)) << "row " << r << " holds a copy";
}

TEST_F(WorkbookReaderTest, APartThatUnpacksBeyondTheLimitIsRefusedByName)
{
    const std::string strings = std::string(kSst) + "<si><t>" + std::string(2u << 20, ' ') + "</t></si></sst>";
    test::writeZip(path, test::minimalWorkbook(test::worksheetXml("<row r=\"1\"><c t=\"s\"><v>0</v></c></row>"), strings));
    reader.setPartSizeLimit(1u << 20);
    EXPECT_FALSE(reader.open(path));
    EXPECT_EQ(reader.error(), WorkbookError::PartTooLarge);
    EXPECT_EQ(reader.errorDetail(), fillPlaceholders(txt::WorkbookPartTooLarge, {"xl/strings.xml", "1"}));
    EXPECT_EQ(reader.rowCount(), 0);

    reader.setPartSizeLimit(WorkbookPackage::kDefaultPartSizeLimit);
    ASSERT_TRUE(reader.open(path)) << reader.errorDetail();
    EXPECT_EQ(reader.text(0, 0).size(), 2u << 20);
}

} // namespace qmk
