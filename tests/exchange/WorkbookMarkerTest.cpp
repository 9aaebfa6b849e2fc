#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "common/TempDir.h"
#include "exchange/VerbatimXml.h"
#include "exchange/WorkbookMarker.h"
#include "exchange/WorkbookReader.h"
#include "exchange/WorkbookWriter.h"
#include "exchange/ZipFixture.h"

namespace qmk {

namespace {

const char kStyles[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<fonts count=\"2\"><font><name val=\"Calibri\"/></font><font><name val=\"Arial Greek\"/></font></fonts>"
    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill></fills>"
    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
    "<cellXfs count=\"2\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/></cellXfs>"
    "</styleSheet>";

std::string cellXfsCount(const std::string& styles)
{
    pugi::xml_document doc;
    doc.load_string(styles.c_str());
    return doc.child("styleSheet").child("cellXfs").attribute("count").value();
}

class WorkbookMarkerTest : public ::testing::Test {
protected:
    // A workbook as the export writes it: header, empty row 2, data from row 3, a Greek column.
    void writeExport()
    {
        WorkbookWriter writer;
        ASSERT_TRUE(writer.create(path));
        writer.setColumnFont(1, "Arial Greek");
        writer.writeText(0, 0, "Source Text", CellStyle::Header);
        writer.writeText(0, 1, "Greek", CellStyle::Header);
        for (int row = 2; row < 6; ++row) {
            writer.writeText(row, 0, "Open " + std::to_string(row));
            writer.writeText(row, 1, "\xCE\x91\xCE\xBD\xCE\xBF\xCE\xB9\xCE\xB3\xCE\xBC\xCE\xB1 " + std::to_string(row));
        }
        ASSERT_TRUE(writer.close());
    }

    void expectTextsUnchanged(const std::vector<std::vector<std::string>>& before)
    {
        WorkbookReader reader;
        ASSERT_TRUE(reader.open(path)) << reader.errorDetail();
        ASSERT_EQ(reader.rowCount(), static_cast<int>(before.size()));
        for (size_t r = 0; r < before.size(); ++r)
            for (size_t c = 0; c < before[r].size(); ++c)
                EXPECT_EQ(reader.text(static_cast<int>(r), static_cast<int>(c)), before[r][c]) << r << "," << c;
    }

    std::vector<std::vector<std::string>> allTexts()
    {
        WorkbookReader reader;
        EXPECT_TRUE(reader.open(path));
        std::vector<std::vector<std::string>> texts(static_cast<size_t>(reader.rowCount()));
        for (int r = 0; r < reader.rowCount(); ++r)
            for (int c = 0; c < reader.columnCount() + 2; ++c)
                texts[static_cast<size_t>(r)].push_back(reader.text(r, c));
        return texts;
    }

    test::TempDir dir;
    std::filesystem::path path = dir / "export.xlsx";
};

} // namespace

TEST_F(WorkbookMarkerTest, MarkedCellsKeepTheirTextAndFontAndShowTheMark)
{
    writeExport();
    auto before = allTexts();
    WorkbookMarker marker;
    ASSERT_TRUE(marker.open(path)) << marker.errorDetail();
    EXPECT_FALSE(marker.hasChanges());
    ASSERT_TRUE(marker.mark(2, 1));
    ASSERT_TRUE(marker.mark(4, 1));
    ASSERT_TRUE(marker.mark(3, 0, CellMark::NotTaken));
    EXPECT_TRUE(marker.hasChanges());
    ASSERT_TRUE(marker.save()) << marker.errorDetail();
    EXPECT_FALSE(marker.hasChanges());

    expectTextsUnchanged(before);
    WorkbookReader reader;
    ASSERT_TRUE(reader.open(path));
    for (int row : {2, 4}) {
        CellLook look = reader.look(row, 1);
        EXPECT_EQ(look.fillColour, kTakenFillColour);
        EXPECT_TRUE(look.bordered);
        EXPECT_EQ(look.fontName, "Arial Greek");
    }
    EXPECT_EQ(reader.look(3, 0).fillColour, kNotTakenFillColour);
    EXPECT_FALSE(reader.look(3, 0).bordered);
    EXPECT_FALSE(reader.look(3, 1).fillColour);
    EXPECT_EQ(reader.look(0, 0).fillColour, kHeaderFillColour);
}

TEST_F(WorkbookMarkerTest, CellsAndRowsThatDoNotExistAreCreatedInOrder)
{
    std::string rows = "<row r=\"1\" spans=\"1:3\"><c r=\"A1\" t=\"inlineStr\"><is><t>a</t></is></c>"
                       "<c r=\"C1\" t=\"inlineStr\"><is><t>c</t></is></c></row>"
                       "<row r=\"4\"><c r=\"B4\"><v>4</v></c></row>";
    test::writeZip(path, test::minimalWorkbook(test::worksheetXml(rows), "", kStyles));
    WorkbookMarker marker;
    ASSERT_TRUE(marker.open(path)) << marker.errorDetail();
    for (auto [row, column] : {std::pair{0, 1}, {0, 30}, {2, 0}, {5, 2}, {3, 0}})
        ASSERT_TRUE(marker.mark(row, column));
    ASSERT_TRUE(marker.save());

    pugi::xml_document sheet;
    ASSERT_TRUE(sheet.load_string(test::zipEntry(path, "xl/worksheets/data.xml").c_str()));
    std::vector<std::string> order;
    for (pugi::xml_node row : sheet.child("worksheet").child("sheetData").children("row"))
        for (pugi::xml_node c : row.children("c"))
            order.push_back(std::string(row.attribute("r").value()) + ":" + c.attribute("r").value());
    EXPECT_EQ(order, (std::vector<std::string>{"1:A1", "1:B1", "1:C1", "1:AE1", "3:A3", "4:A4", "4:B4", "6:C6"}));

    WorkbookReader reader;
    ASSERT_TRUE(reader.open(path));
    EXPECT_EQ(reader.text(0, 0), "a");
    EXPECT_EQ(reader.text(0, 2), "c");
    EXPECT_EQ(reader.text(3, 1), "4");
    EXPECT_EQ(reader.text(0, 1), "");
    EXPECT_EQ(reader.look(0, 30).fillColour, kTakenFillColour);
    EXPECT_EQ(reader.look(5, 2).fillColour, kTakenFillColour);
    EXPECT_EQ(reader.rowCount(), 4);
}

TEST_F(WorkbookMarkerTest, RowsAndCellsWithoutPositionsStayWhereTheyWere)
{
    std::string rows = "<row><c t=\"inlineStr\"><is><t>A1</t></is></c><c t=\"inlineStr\"><is><t>B1</t></is></c></row>"
                       "<row><c t=\"inlineStr\"><is><t>A2</t></is></c></row>";
    test::writeZip(path, test::minimalWorkbook(test::worksheetXml(rows), "", kStyles));
    WorkbookMarker marker;
    ASSERT_TRUE(marker.open(path));
    ASSERT_TRUE(marker.mark(0, 0));
    ASSERT_TRUE(marker.mark(1, 1));
    ASSERT_TRUE(marker.save());
    WorkbookReader reader;
    ASSERT_TRUE(reader.open(path));
    EXPECT_EQ(reader.text(0, 0), "A1");
    EXPECT_EQ(reader.text(0, 1), "B1");
    EXPECT_EQ(reader.text(1, 0), "A2");
    EXPECT_TRUE(reader.look(0, 0).bordered);
    EXPECT_TRUE(reader.look(1, 1).bordered);
    EXPECT_FALSE(reader.look(0, 1).bordered);
}

TEST_F(WorkbookMarkerTest, StylesAreReusedNotAddedPerCellOrPerSave)
{
    writeExport();
    WorkbookMarker marker;
    ASSERT_TRUE(marker.open(path));
    for (int row = 2; row < 6; ++row)
        marker.mark(row, 1);
    marker.mark(2, 0);
    ASSERT_TRUE(marker.save());
    std::string afterFirst = test::zipEntry(path, "xl/styles.xml");

    WorkbookMarker again;
    ASSERT_TRUE(again.open(path));
    for (int row = 2; row < 6; ++row)
        again.mark(row, 1);
    again.mark(3, 0);  // a plain cell marked in the first save lends its style (the header's is bold)
    ASSERT_TRUE(again.save());
    std::string afterSecond = test::zipEntry(path, "xl/styles.xml");
    EXPECT_EQ(cellXfsCount(afterSecond), cellXfsCount(afterFirst));
    pugi::xml_document doc;
    doc.load_string(afterSecond.c_str());
    pugi::xml_node fills = doc.child("styleSheet").child("fills");
    EXPECT_EQ(std::distance(fills.children("fill").begin(), fills.children("fill").end()),
              fills.attribute("count").as_int());
    int grey = 0;
    for (pugi::xml_node fill : fills.children("fill"))
        grey += std::string_view(fill.child("patternFill").child("fgColor").attribute("rgb").value()) == "FFC0C0C0";
    EXPECT_EQ(grey, 1);  // the header's fill serves the marks too
}

TEST_F(WorkbookMarkerTest, EverythingButTheMarksStaysByteForByte)
{
    std::string rows = "\n  <row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> a &amp; b&#13;\r\n c </t></is></c></row>"
                       "<!-- kept --><row r=\"2\"><c r=\"A2\" s=\"1\"><v>2</v></c></row>\n";
    auto entries = test::minimalWorkbook(test::worksheetXml(rows), "", kStyles);
    entries.emplace_back("docProps/app.xml", "<Properties>anything at all</Properties>");
    test::writeZip(path, entries);

    WorkbookMarker unchanged;
    ASSERT_TRUE(unchanged.open(path));
    ASSERT_TRUE(unchanged.save());
    EXPECT_EQ(test::readZip(path), entries);

    WorkbookMarker marker;
    ASSERT_TRUE(marker.open(path));
    ASSERT_TRUE(marker.mark(1, 0));
    ASSERT_TRUE(marker.save());
    auto saved = test::readZip(path);
    ASSERT_EQ(saved.size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(saved[i].first, entries[i].first);
        if (saved[i].first != "xl/worksheets/data.xml" && saved[i].first != "xl/styles.xml") {
            EXPECT_EQ(saved[i].second, entries[i].second) << saved[i].first;
        }
    }
    std::string sheet = test::zipEntry(path, "xl/worksheets/data.xml");
    EXPECT_NE(sheet.find("<t xml:space=\"preserve\"> a &amp; b&#13;\r\n c </t>"), std::string::npos) << sheet;
    EXPECT_NE(sheet.find("<c r=\"A2\" s=\"2\">"), std::string::npos) << sheet;
    WorkbookReader reader;
    ASSERT_TRUE(reader.open(path));
    EXPECT_EQ(reader.text(0, 0), " a & b\r\n c ");
    EXPECT_EQ(reader.look(1, 0).fontName, "Arial Greek");
    EXPECT_TRUE(reader.look(1, 0).bordered);
}

TEST_F(WorkbookMarkerTest, FailedSaveLeavesTheWorkbookUntouchedAndCanBeRetried)
{
    writeExport();
    const std::string original = test::readFile(path);
    WorkbookMarker marker;
    ASSERT_TRUE(marker.open(path));
    ASSERT_TRUE(marker.mark(3, 1));
    {
        test::FileSizeLimit limit(1024);
        EXPECT_FALSE(marker.save());
    }
    EXPECT_EQ(marker.error(), WorkbookError::WriteFailed) << marker.errorDetail();
    EXPECT_EQ(test::readFile(path), original);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1);
    EXPECT_TRUE(marker.hasChanges());

    ASSERT_TRUE(marker.save()) << marker.errorDetail();
    WorkbookReader reader;
    ASSERT_TRUE(reader.open(path));
    EXPECT_TRUE(reader.look(3, 1).bordered);
}

TEST_F(WorkbookMarkerTest, SaveKeepsTheFilePermissions)
{
    writeExport();
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    WorkbookMarker marker;
    ASSERT_TRUE(marker.open(path));
    marker.mark(2, 0);
    ASSERT_TRUE(marker.save());
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
}

TEST_F(WorkbookMarkerTest, StyleSheetWithoutCellFormatsKeepsUnmarkedCellsPlain)
{
    std::string styles = "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                         "<fonts count=\"1\"><font><name val=\"Calibri\"/></font></fonts></styleSheet>";
    std::string rows = "<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\"><v>2</v></c></row>";
    test::writeZip(path, test::minimalWorkbook(test::worksheetXml(rows), "", styles));
    WorkbookMarker marker;
    ASSERT_TRUE(marker.open(path));
    ASSERT_TRUE(marker.mark(0, 1));
    ASSERT_TRUE(marker.save());
    WorkbookReader reader;
    ASSERT_TRUE(reader.open(path));
    EXPECT_FALSE(reader.look(0, 0).fillColour);
    EXPECT_EQ(reader.look(0, 1).fillColour, kTakenFillColour);
    EXPECT_TRUE(reader.look(0, 1).bordered);
    EXPECT_EQ(reader.text(0, 1), "2");
}

TEST_F(WorkbookMarkerTest, WorkbooksItCannotMarkAreRefused)
{
    WorkbookMarker marker;
    EXPECT_FALSE(marker.mark(0, 0));
    EXPECT_EQ(marker.error(), WorkbookError::NotOpen);
    EXPECT_FALSE(marker.open(dir / "missing.xlsx"));
    EXPECT_EQ(marker.error(), WorkbookError::FileNotFound);
    test::writeZip(path, test::minimalWorkbook(test::worksheetXml("")));
    EXPECT_FALSE(marker.open(path));  // no style part
    EXPECT_EQ(marker.error(), WorkbookError::Damaged);
    test::writeZip(path, test::minimalWorkbook(test::worksheetXml("<row r=\"1\"><c r=\"A1\"><v>1"), "", kStyles));
    EXPECT_FALSE(marker.open(path));
    EXPECT_EQ(marker.error(), WorkbookError::Damaged);
    writeExport();
    ASSERT_TRUE(marker.open(path));
    EXPECT_FALSE(marker.mark(-1, 0));
    EXPECT_EQ(marker.error(), WorkbookError::OutOfRange);
}

// Attribute values and texts that hold quotes, ampersands and angle brackets, written in every
// form XML allows (single-quoted, references), come back as they were and the parts stay XML.
TEST_F(WorkbookMarkerTest, QuotesAmpersandsAndAnglesKeepTheMarkedWorkbookXml)
{
    const std::string meant = "He said \"go\" & <left> it's";
    const std::string styles = std::string(kStyles).insert(
        std::string(kStyles).find("</styleSheet>"),
        "<cellStyles count=\"1\"><cellStyle name='He said \"go\" &amp; &lt;left&gt; it&apos;s' xfId=\"0\"/>"
        "</cellStyles>");
    const std::string rows =
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>He said \"go\" &amp; &lt;left> it's</t></is></c></row>";
    const std::string sheet = test::worksheetXml(rows).insert(
        test::worksheetXml(rows).find("</worksheet>"),
        "<headerFooter><oddHeader>&amp;L&quot;x&quot;</oddHeader></headerFooter>"
        "<extLst><ext uri='{1}' note='He said \"go\" &amp; &lt;left&gt; it&#39;s'/></extLst>");
    test::writeZip(path, test::minimalWorkbook(sheet, "", styles));

    WorkbookMarker marker;
    ASSERT_TRUE(marker.open(path)) << marker.errorDetail();
    ASSERT_TRUE(marker.mark(0, 0));
    ASSERT_TRUE(marker.save()) << marker.errorDetail();

    for (const char* part : {"xl/styles.xml", "xl/worksheets/data.xml"}) {
        pugi::xml_document doc;
        EXPECT_TRUE(doc.load_string(test::zipEntry(path, part).c_str())) << part;
    }
    pugi::xml_document styleDoc, sheetDoc;
    ASSERT_TRUE(styleDoc.load_string(test::zipEntry(path, "xl/styles.xml").c_str()));
    EXPECT_EQ(styleDoc.child("styleSheet").child("cellStyles").child("cellStyle").attribute("name").value(), meant);
    ASSERT_TRUE(sheetDoc.load_string(test::zipEntry(path, "xl/worksheets/data.xml").c_str()));
    pugi::xml_node worksheet = sheetDoc.child("worksheet");
    EXPECT_EQ(worksheet.child("extLst").child("ext").attribute("note").value(), meant);
    EXPECT_STREQ(worksheet.child("headerFooter").child_value("oddHeader"), "&L\"x\"");

    WorkbookReader reader;
    ASSERT_TRUE(reader.open(path)) << reader.errorDetail();
    EXPECT_EQ(reader.text(0, 0), meant);
    EXPECT_EQ(reader.look(0, 0).fillColour, kTakenFillColour);
}

TEST(VerbatimXmlTest, OnlyWhatWouldBreakTheXmlIsEscaped)
{
    EXPECT_EQ(xml::escapeVerbatim("a &amp; b &#10; &#x0D; &lt;", true), "a &amp; b &#10; &#x0D; &lt;");
    EXPECT_EQ(xml::escapeVerbatim("say \"hi\" it's", true), "say &quot;hi&quot; it's");
    EXPECT_EQ(xml::escapeVerbatim("R&D & <x> &#; &nope", true), "R&amp;D &amp; &lt;x> &amp;#; &amp;nope");
    EXPECT_EQ(xml::escapeVerbatim("\"quoted\" ]]> a > b", false), "\"quoted\" ]]&gt; a > b");
}

} // namespace qmk
