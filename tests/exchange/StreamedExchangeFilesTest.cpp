// XLIFF and PO written block by block as they are made and read where they lie: the text does
// not depend on where the blocks end, an output that refuses a block ends the file there, and
// the readers that shorten or slice the bytes in place keep every other unit whole.
#include <gtest/gtest.h>

#include "exchange/PoFile.h"
#include "exchange/TextOutput.h"
#include "exchange/XliffFile.h"

namespace qmk {
namespace {

ExchangeDocument awkwardDocument()
{
    ExchangeDocument document{{"en-US", "de-DE", "app & \"co\".rc", false, "1765000000-0123456789ab"}, {}};
    const char* const texts[] = {"Tom & \"Jerry\" <b>", "Line one\nLine two\r\nTab\there", "]]> 'quoted' > done",
                                 "Gr\xC3\xBC\xC3\x9F" "e %s of %5.2f\\", ""};
    int n = 0;
    for (const char* source : texts)
        for (const char* target : texts) {
            ExchangeUnit unit;
            unit.id = "Stringtable_String/IDS_" + std::to_string(n) + (n % 3 ? "\t\"&" : "");
            unit.ident = "IDS_" + std::to_string(n);
            unit.itemType = "Stringtable String";
            unit.resource = n % 2 ? "IDD_<MAIN>" : "";
            unit.source = source;
            unit.target = target;
            unit.needsReview = n % 4 == 1;
            unit.previousSource = n % 4 == 1 ? "Old\n\"text\"" : "";
            unit.maxWidth = n % 5 == 0 ? 120 : 0;
            document.units.push_back(unit);
            ++n;
        }
    return document;
}

}

TEST(StreamedExchangeFiles, TheTextDoesNotDependOnWhereItsBlocksEnd)
{
    const ExchangeDocument document = awkwardDocument();
    const std::string xliff = writeXliff(document);
    const std::string po = writePo(document, "2026-01-01 00:00+0000");
    for (const std::size_t blockSize : {1u, 3u, 7u, 4096u}) {
        std::string streamed;
        std::size_t blocks = 0;
        TextOutput out([&](std::string_view block) {
            EXPECT_FALSE(block.empty());
            ++blocks;
            streamed.append(block);
            return true;
        }, blockSize);
        ASSERT_TRUE(writeXliff(document, out));
        EXPECT_EQ(streamed, xliff) << "blocks of " << blockSize;
        if (blockSize < 8) {
            EXPECT_GT(blocks, xliff.size() / 64);  // handed on as it is made, not at the end
        }
        streamed.clear();
        TextOutput poOut(appendingTo(streamed), blockSize);
        ASSERT_TRUE(writePo(document, "2026-01-01 00:00+0000", poOut));
        EXPECT_EQ(streamed, po) << "blocks of " << blockSize;
    }
    // Both read back to what was written.
    std::string problem;
    const std::optional<ExchangeDocument> back = readXliff(xliff, problem);
    ASSERT_TRUE(back) << problem;
    ASSERT_EQ(back->units.size(), document.units.size());
    EXPECT_EQ(back->header.exportId, document.header.exportId);
    for (std::size_t i = 0; i < document.units.size(); ++i) {
        EXPECT_EQ(back->units[i].id, document.units[i].id);
        EXPECT_EQ(back->units[i].source, document.units[i].source);
        EXPECT_EQ(back->units[i].target, document.units[i].target);
    }
    const std::optional<ExchangeDocument> fromPo = readPo(po, problem);
    ASSERT_TRUE(fromPo) << problem;
    ASSERT_EQ(fromPo->units.size(), document.units.size());
    EXPECT_EQ(fromPo->units.back().target, document.units.back().target);
    EXPECT_EQ(fromPo->units[6].target, document.units[6].target);
}

TEST(StreamedExchangeFiles, AnOutputThatRefusesABlockEndsTheFileThere)
{
    const ExchangeDocument document = awkwardDocument();
    for (const bool xliff : {true, false}) {
        int offered = 0;
        TextOutput out([&](std::string_view) { return ++offered < 2; }, 64);
        const bool written = xliff ? writeXliff(document, out) : writePo(document, "2026-01-01 00:00+0000", out);
        EXPECT_FALSE(written);
        EXPECT_TRUE(out.failed());
        EXPECT_EQ(offered, 2) << "nothing is offered after the refused block";
    }
}

// References to NUL are made &#1; by shortening the bytes in place: the units after them, and
// the text after them in their own unit, keep every character.
TEST(StreamedExchangeFiles, NulReferencesRefuseTheirUnitsAndLeaveTheOthersWhole)
{
    auto unit = [](const std::string& id, const std::string& target) {
        return "<trans-unit id=\"" + id + "\"><source>S &amp; T</source><target>" + target + "</target></trans-unit>";
    };
    const std::string file = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><xliff version=\"1.2\"><file source-language=\"en-US\"><body>" +
                             unit("a", "one&#0;") + unit("b", "Zwei &amp; drei&#10;vier") +
                             unit("c", "&#x00000000;drei") + unit("d", "&#0000;") + unit("e", "&#xA;f&#0010;&#x;&#") +
                             unit("f", "Ende &lt;g&gt;") + "</body></file></xliff>";
    std::string problem;
    const std::optional<ExchangeDocument> document = readXliff(file, problem);
    ASSERT_TRUE(document) << problem;
    ASSERT_EQ(document->units.size(), 6u);
    for (const int refused : {0, 2, 3})
        EXPECT_NE(document->units[refused].unreadable.find("control character (code 1)"), std::string::npos)
            << document->units[refused].id;
    EXPECT_EQ(document->units[1].target, "Zwei & drei\nvier");
    EXPECT_EQ(document->units[1].source, "S & T");
    EXPECT_EQ(document->units[1].unreadable, "");
    EXPECT_EQ(document->units[3].id, "d");
    EXPECT_EQ(document->units[5].target, "Ende <g>");
    EXPECT_EQ(document->units[5].unreadable, "");
}

// Lines are sliced from the bytes: line breaks of both kinds, a byte-order mark and a last line
// without its line break.
TEST(StreamedExchangeFiles, PoLinesEndAnywayTheyMay)
{
    const std::string po = "\xEF\xBB\xBFmsgid \"\"\r\nmsgstr \"\"\r\n\"Language: de\\n\"\r\n\r\n"
                           "#: IDS_A\r\nmsgctxt \"a\"\r\nmsgid \"One\"\r\nmsgstr \"\"\r\n\"Eins\"\n\n"
                           "#, fuzzy\nmsgctxt \"b\"\nmsgid \"Two\"\nmsgstr \"Zwei\"";
    std::string problem;
    const std::optional<ExchangeDocument> document = readPo(po, problem);
    ASSERT_TRUE(document) << problem;
    EXPECT_EQ(document->header.targetLanguage, "de");
    ASSERT_EQ(document->units.size(), 2u);
    EXPECT_EQ(document->units[0].target, "Eins");
    EXPECT_EQ(document->units[0].references, std::vector<std::string>{" IDS_A"});
    EXPECT_EQ(document->units[1].id, "b");
    EXPECT_EQ(document->units[1].target, "Zwei");
    EXPECT_TRUE(document->units[1].needsReview);
    EXPECT_FALSE(readPo("msgid \"a\"\nmsgstr \"b", problem));
    EXPECT_EQ(problem, "line 2 cannot be read");
}

} // namespace qmk

namespace qmk {

// Units are parsed one at a time: markup that only looks like a unit (in a comment, a CDATA
// section or the document type) is none, a ">" in a quoted value ends no tag, units closed by
// themselves are read, a fault inside a unit or a unit left open fails the file, and a file in
// UTF-16 is read whole as before.
TEST(StreamedExchangeFiles, UnitsReadOneAtATimeAreTheUnitsOfTheWholeFile)
{
    const std::string file =
        "\xEF\xBB\xBF\n<?xml version=\"1.0\" encoding='utf-8'?>\n"
        "<!DOCTYPE xliff [ <!ENTITY x \"<trans-unit id='dtd'>\"> ]>\n"
        "<xliff version=\"1.2\"><!-- <trans-unit id=\"comment\"> -->"
        "<file source-language=\"en-US\" target-language=\"de-DE\" original=\"a>b.rc\"><header>"
        "<prop-group name=\"quillmark\"><prop prop-type=\"x-export-id\">42-abc</prop></prop-group></header><body>"
        "<trans-unit id=\"a\" resname=\"IDS_A\"><source>One</source><target state=\"needs-review-translation\">"
        "<![CDATA[</trans-unit> <g>]]> <g>Eins</g></target></trans-unit>"
        "<group title=\"a > b\"><trans-unit id=\"b\" resname=\"x /> y\"/></group>"
        "<trans-unit\tid=\"c\"><source>Three</source><target>Drei</target></trans-unit >"
        "</body></file></xliff>";
    std::string problem;
    const std::optional<ExchangeDocument> document = readXliff(file, problem);
    ASSERT_TRUE(document) << problem;
    EXPECT_EQ(document->header.exportId, "42-abc");
    EXPECT_EQ(document->header.original, "a>b.rc");
    ASSERT_EQ(document->units.size(), 3u);
    EXPECT_EQ(document->units[0].id, "a");
    EXPECT_EQ(document->units[0].target, "</trans-unit> <g> Eins");
    EXPECT_TRUE(document->units[0].needsReview);
    EXPECT_EQ(document->units[1].id, "b");
    EXPECT_EQ(document->units[2].target, "Drei");

    std::string broken = file;
    const std::size_t fault = broken.find("<target>Drei");
    broken.replace(fault, 8, "<target ");
    EXPECT_FALSE(readXliff(broken, problem));
    EXPECT_NE(problem.find("not an XLIFF file"), std::string::npos) << problem;
    std::string unclosed = file.substr(0, file.find("</trans-unit >"));
    EXPECT_FALSE(readXliff(unclosed, problem));
    EXPECT_NE(problem.find("not an XLIFF file"), std::string::npos) << problem;

    // The same units in UTF-16 (little-endian, with its byte order mark).
    const std::string ascii = "<xliff version=\"1.2\"><file><body><trans-unit id=\"u\"><source>S</source>"
                              "<target>T</target></trans-unit></body></file></xliff>";
    std::string utf16 = "\xFF\xFE";
    for (char c : ascii)
        utf16 += std::string{c, '\0'};
    const std::optional<ExchangeDocument> wide = readXliff(utf16, problem);
    ASSERT_TRUE(wide) << problem;
    ASSERT_EQ(wide->units.size(), 1u);
    EXPECT_EQ(wide->units[0].target, "T");
}

} // namespace qmk
