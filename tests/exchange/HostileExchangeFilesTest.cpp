// XLIFF, PO and workbook files made to hurt, and projects holding bytes no exchange file may
// carry: nesting tens of thousands deep is read without running out of stack; bytes that are no
// UTF-8 refuse their unit (listed with the reason, never stored); an export never writes a file
// that is not UTF-8, leaving out and listing the units it could not carry.
#include <gtest/gtest.h>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "exchange/PlatformExchange.h"
#include "exchange/PoFile.h"
#include "exchange/WorkbookReader.h"
#include "exchange/XliffFile.h"
#include "exchange/ZipFixture.h"
#include "project/CQuillDoc.h"
#include "resources/TextValidity.h"

namespace qmk {
namespace {

constexpr LanguageId German{7, 1};
constexpr int kDepth = 60000;  // deep enough that a recursive reader overflows an 8 MB stack

const char* const kScript = "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n"
                            "STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hello\"\n    IDS_BYE \"Goodbye\"\n"
                            "    IDS_HELP \"Help\"\nEND\n";

// `open` and `close` around `inner`, `depth` times.
std::string nested(const std::string& open, const std::string& close, const std::string& inner, int depth)
{
    std::string text;
    text.reserve((open.size() + close.size()) * static_cast<std::size_t>(depth) + inner.size());
    for (int i = 0; i < depth; ++i)
        text += open;
    text += inner;
    for (int i = 0; i < depth; ++i)
        text += close;
    return text;
}

class HostileExchangeFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{});
        ASSERT_TRUE(doc->OnOpenDocument(dir.write("app.rc", kScript)));
        ASSERT_TRUE(doc->NewTranslation(German, "app-German.rc"));
        ASSERT_TRUE(doc->reloadRows().done());
    }
    const ExchangeUnit& unitOf(const std::string& ident)
    {
        units = exchangeUnits(*doc, German);
        for (const ExchangeUnit& unit : units)
            if (unit.ident == ident)
                return unit;
        throw std::runtime_error("no item " + ident);
    }
    std::string stored(const std::string& ident)
    {
        return doc->database().texts().translation(unitOf(ident).lineIndex, German).value_or(TranslatedText{}).text;
    }
    PlatformImport import(const std::string& name, const std::string& text)
    {
        return importPlatformFile(*doc, German, dir.write(name, text));
    }
    std::string xliff(const std::string& units)
    {
        return "<?xml version=\"1.0\"?>\n<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\">"
               "<file original=\"app.rc\" source-language=\"en-US\" target-language=\"de-DE\" datatype=\"winres\">"
               "<body>" + units + "</body></file></xliff>";
    }
    std::string unitXml(const std::string& ident, const std::string& source, const std::string& target)
    {
        return "<trans-unit id=\"" + unitOf(ident).id + "\"><source>" + source + "</source><target>" + target +
               "</target></trans-unit>";
    }
    std::string poEntry(const std::string& ident, const std::string& source, const std::string& target)
    {
        return "msgctxt \"" + unitOf(ident).id + "\"\nmsgid \"" + source + "\"\nmsgstr \"" + target + "\"\n\n";
    }

    test::TempDir dir;
    test::RecordingFeedback feedback;
    std::unique_ptr<CQuillDoc> doc;
    std::vector<ExchangeUnit> units;
};

} // namespace

// A target nesting 60,000 <g> (and <mrk>) is read to its text and imported, not a crash.
TEST_F(HostileExchangeFilesTest, XliffTargetsNestedSixtyThousandDeepAreImported)
{
    const std::string deep = nested("<g id=\"1\">", "</g>", "Hallo", kDepth);
    const std::string marks = nested("<mrk mtype=\"seg\">", "</mrk>", "Auf <g>Wieder</g>sehen", kDepth);
    const PlatformImport run =
        import("deep.xlf", xliff(unitXml("IDS_HELLO", "Hello", deep + " Welt") + unitXml("IDS_BYE", "Goodbye", marks)));
    ASSERT_TRUE(run.outcome.done()) << run.problem;
    EXPECT_TRUE(run.result.refused.empty()) << refusedLines(run.result).front();
    EXPECT_EQ(run.result.imported, 2);
    EXPECT_EQ(stored("IDS_HELLO"), "Hallo Welt");
    EXPECT_EQ(stored("IDS_BYE"), "Auf Wiedersehen");
    // An inline code at the bottom of the nesting still refuses its unit, naming the code.
    const PlatformImport code = import("code.xlf", xliff(unitXml("IDS_HELP", "Help", nested("<g>", "</g>", "Hilfe <x id=\"1\"/>", kDepth))));
    ASSERT_TRUE(code.outcome.done()) << code.problem;
    ASSERT_EQ(code.result.refused.size(), 1u);
    EXPECT_EQ(code.result.refused[0].reason, "inline code <x> in the translation");
    EXPECT_EQ(stored("IDS_HELP"), "");
}

// Bytes FF FE (a UTF-16 byte-order mark pasted into UTF-8) or Latin-1 in a segment refuse that
// unit with the reason; the file's other units are imported.
TEST_F(HostileExchangeFilesTest, SegmentsThatAreNoUtf8RefuseTheirUnitAndAreNeverStored)
{
    const PlatformImport xlf = import("bad.xlf", xliff(unitXml("IDS_HELLO", "Hello", "\xFF\xFEHallo") +
                                                       unitXml("IDS_BYE", "Goodbye", "Tsch\xFCss") +
                                                       unitXml("IDS_HELP", "Help", "Hilfe")));
    ASSERT_TRUE(xlf.outcome.done()) << xlf.problem;
    EXPECT_EQ(xlf.result.imported, 1);
    ASSERT_EQ(xlf.result.refused.size(), 2u);
    EXPECT_EQ(xlf.result.refused[0].id, unitOf("IDS_HELLO").id);
    EXPECT_EQ(xlf.result.refused[0].reason, "invalid UTF-8 (bytes FF FE) at offset 0 in the translation");
    EXPECT_EQ(xlf.result.refused[1].reason, "invalid UTF-8 (byte FC) at offset 4 in the translation");
    EXPECT_EQ(stored("IDS_HELLO"), "");
    EXPECT_EQ(stored("IDS_BYE"), "");
    EXPECT_EQ(stored("IDS_HELP"), "Hilfe");

    const PlatformImport po = import("bad.po", "msgid \"\"\nmsgstr \"Language: de_DE\\n\"\n\n" +
                                                   poEntry("IDS_HELLO", "Hello", "\xFF\xFEHallo") +
                                                   poEntry("IDS_BYE", "Goodbye", "Tsch\xC3\xBCss") +
                                                   "msgctxt \"Stringtable_String/IDS\xFF\"\nmsgid \"Help\"\nmsgstr \"Hilfe!\"\n");
    ASSERT_TRUE(po.outcome.done()) << po.problem;
    EXPECT_EQ(po.result.imported, 1);
    ASSERT_EQ(po.result.refused.size(), 2u);
    EXPECT_EQ(po.result.refused[0].reason, "invalid UTF-8 (bytes FF FE) at offset 0 in the translation");
    // A context that is no UTF-8 names no item; the report shows its bytes readably.
    EXPECT_EQ(po.result.refused[1].id, "Stringtable_String/IDS\\xFF");
    for (const std::string& line : refusedLines(po.result))
        EXPECT_EQ(utf8Problem(line), "") << line;
    EXPECT_EQ(stored("IDS_HELLO"), "");
    EXPECT_EQ(stored("IDS_BYE"), "Tsch\xFCss");  // German is kept in 1252
    EXPECT_EQ(stored("IDS_HELP"), "Hilfe");
}

// A UTF-8 translation whose stored bytes are no UTF-8 (written by an older version, or by
// hand): XLIFF and PO exports leave its unit out and list it; what they write is UTF-8 and reads
// back whole.
TEST_F(HostileExchangeFilesTest, ExportsLeaveOutTextsThatAreNoUtf8AndWriteOnlyUtf8)
{
    ASSERT_TRUE(doc->changeEncoding(German, 65001).done());
    ASSERT_TRUE(doc->database().texts().setTranslation(unitOf("IDS_HELLO").lineIndex, German, "\xFF\xFEHallo", false));
    ASSERT_TRUE(doc->database().texts().setTranslation(unitOf("IDS_BYE").lineIndex, German, "Tsch\xC3\xBCss", false));
    ASSERT_TRUE(doc->reloadRows().done());
    const ExchangeDocument document = exchangeDocument(*doc, German);
    ASSERT_EQ(document.units.size(), 3u);
    for (const ExchangeKind format : {ExchangeKind::Xliff, ExchangeKind::Po}) {
        const auto path = dir / (format == ExchangeKind::Xliff ? "de.xlf" : "de.po");
        std::string problem;
        std::vector<LeftOutUnit> leftOut;
        ASSERT_TRUE(writeExchangeFile(path, format, document, problem, &leftOut)) << problem;
        ASSERT_EQ(leftOut.size(), 1u);
        EXPECT_EQ(leftOut[0].id, unitOf("IDS_HELLO").id);
        EXPECT_EQ(leftOut[0].reason, "invalid UTF-8 (bytes FF FE) at offset 0 in the translation");
        const std::string text = test::readFile(path);
        EXPECT_EQ(utf8Problem(text), "");
        const std::optional<ExchangeDocument> back = readExchangeFile(path, format, problem);
        ASSERT_TRUE(back) << problem;
        ASSERT_EQ(back->units.size(), 2u);
        EXPECT_EQ(back->units[0].target, "Tsch\xC3\xBCss");
    }
}

// Everything an XLIFF file cannot carry is left out of it, whatever field holds it, and the
// header (the script's file name may be any bytes) is written readably.
TEST(ExchangeWriters, UnitsWithCharactersTheFormatCannotCarryAreListedNotWritten)
{
    ExchangeDocument document{{"en-US", "de-DE", "app\xFF.rc", false}, {}};
    auto unit = [](std::string id, std::string source, std::string target) {
        ExchangeUnit u;
        u.id = std::move(id);
        u.source = std::move(source);
        u.target = std::move(target);
        u.itemType = "Stringtable String";
        return u;
    };
    document.units = {unit("a", "Bell\a", "Glocke"), unit("b\xFF", "Id", "Kennung"), unit("c", "ok", "gut"),
                      unit("d", "Odd", "Seltsam\xEF\xBF\xBF"), unit("e", "Caf\xE9", "Kaffee")};
    std::vector<LeftOutUnit> leftOut;
    const std::string xml = writeXliff(document, &leftOut);
    EXPECT_EQ(xmlTextProblem(xml), "");
    ASSERT_EQ(leftOut.size(), 4u);
    EXPECT_EQ(leftOut[0].reason, "a control character (code 7) in the source text");
    EXPECT_EQ(leftOut[1].id, "b\\xFF");
    EXPECT_EQ(leftOut[2].reason, "the non-character U+FFFF in the translation");
    EXPECT_EQ(leftOut[3].reason, "invalid UTF-8 (byte E9) at offset 3 in the source text");
    std::string problem;
    const std::optional<ExchangeDocument> back = readXliff(xml, problem);
    ASSERT_TRUE(back) << problem;
    ASSERT_EQ(back->units.size(), 1u);
    EXPECT_EQ(back->header.original, "app\\xFF.rc");

    // PO carries control characters; what is no UTF-8 it leaves out too.
    leftOut.clear();
    const std::string po = writePo(document, "2026-01-01 00:00+0000", &leftOut);
    EXPECT_EQ(utf8Problem(po), "");
    ASSERT_EQ(leftOut.size(), 2u);
    EXPECT_EQ(leftOut[0].reason, "invalid UTF-8 (byte FF) at offset 1 in the id");
    EXPECT_EQ(leftOut[1].id, "e");
}

// A workbook whose shared string and cell nest 60,000 elements deep opens, and its plain cells
// read as they are.
TEST(HostileWorkbooks, DeeplyNestedPartsOpenWithoutRunningOutOfStack)
{
    test::TempDir dir;
    const std::string sst = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                            "<si><t>Resource Ident</t></si><si>" + nested("<r>", "</r>", "<t>deep</t>", kDepth) +
                            "</si></sst>";
    const std::string rows = "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                             "<c r=\"C1\" t=\"inlineStr\"><is>" + nested("<x>", "</x>", "", kDepth) +
                             "<t>inline</t></is></c></row>";
    const auto path = dir / "deep.xlsx";
    test::writeZip(path, test::minimalWorkbook(test::worksheetXml(rows), sst));
    WorkbookReader reader;
    ASSERT_TRUE(reader.open(path)) << reader.errorDetail();
    EXPECT_EQ(reader.text(0, 0), "Resource Ident");
    EXPECT_EQ(reader.text(0, 2), "inline");
}

} // namespace qmk
