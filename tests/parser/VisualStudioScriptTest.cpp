// Scripts as Visual Studio and real projects write them: UTF-16 files, syntax Microsoft's
// compiler accepts and others refuse, editor blocks, macro lines and double-byte code pages.
#include <gtest/gtest.h>

#include "ParseHelpers.h"
#include "common/TempDir.h"
#include "parser/ParserError.h"
#include "parser/ScriptEncoding.h"

namespace qmk {
namespace {

using test::parseContent;
using test::parseText;

std::string utf16le(std::string_view utf8)
{
    std::string out;
    EXPECT_TRUE(utf8ToUtf16LE(utf8, out));
    return out;
}

std::string utf16be(std::string_view utf8)
{
    std::string le = utf16le(utf8);
    for (std::size_t i = 0; i + 1 < le.size(); i += 2)
        std::swap(le[i], le[i + 1]);
    return le;
}

std::vector<test::Statement> parseFile(const std::string& bytes, ScriptEncoding* encoding = nullptr)
{
    test::TempDir dir;
    LineCounter counter;
    ScriptParser parser(counter);
    EXPECT_EQ(parser.loadFile(dir.write("script.rc", bytes)), 0);
    if (encoding)
        *encoding = parser.encoding();
    return test::parseAll(parser, counter);
}

constexpr std::string_view kScript = "// Ü\r\nSTRINGTABLE\r\nBEGIN\r\n  IDS_A \"Grüße 😀\"\r\n  IDS_B, \"x\"\r\nEND\r\n";

TEST(Utf16ScriptTest, EveryLayoutReadsAsTheSameUtf8Statements)
{
    const auto expected = parseText(std::string(kScript));
    ASSERT_EQ(expected[2].string, "Grüße 😀");
    struct Case {
        std::string bytes;
        ScriptEncoding encoding;
    } cases[] = {
        {"\xFF\xFE" + utf16le(kScript), ScriptEncoding::Utf16LE},
        {"\xFE\xFF" + utf16be(kScript), ScriptEncoding::Utf16BE},
        {utf16le(kScript), ScriptEncoding::Utf16LE},  // no byte-order mark
        {"\xEF\xBB\xBF" + std::string(kScript), ScriptEncoding::Utf8Bom},
    };
    for (const Case& c : cases) {
        ScriptEncoding encoding{};
        auto s = parseFile(c.bytes, &encoding);
        EXPECT_EQ(encoding, c.encoding);
        ASSERT_EQ(s.size(), expected.size());
        for (std::size_t i = 0; i < s.size(); ++i) {
            EXPECT_EQ(s[i].text, expected[i].text);
            EXPECT_EQ(s[i].physicalLine, expected[i].physicalLine);  // lines of the file itself
        }
    }
}

TEST(Utf16ScriptTest, ConversionsKeepSurrogatePairsAndSurviveDamage)
{
    std::string wide;
    ASSERT_TRUE(utf8ToUtf16LE("a€😀", wide));
    EXPECT_EQ(wide, std::string("a\0\xAC\x20\x3D\xD8\x00\xDE", 8));
    EXPECT_EQ(utf16ToUtf8(wide, false), "a€😀");
    // A lone surrogate and an odd last byte: read on instead of failing the file.
    EXPECT_EQ(utf16ToUtf8(std::string("\x3D\xD8" "a\0" "b", 5), false), "\xEF\xBF\xBD" "a");
    std::string bad;
    EXPECT_FALSE(utf8ToUtf16LE("\xC3", bad));
    EXPECT_FALSE(utf8ToUtf16LE("\xED\xA0\x80", bad));  // an encoded surrogate
    // Single-byte text is never taken for UTF-16.
    EXPECT_EQ(detectScriptEncoding("IDS_A \"\xE4\"\r\n"), ScriptEncoding::Bytes);
}

TEST(VisualStudioSyntaxTest, CommasTheCompilerDoesNotInsistOnAreNormalised)
{
    auto s = parseContent(
        "IDD_D DIALOGEX 0, 0, 100, 50\nBEGIN\n"
        "    EDITTEXT, COLOR_HUE, 216, 124, 19, 12, WS_GROUP\n"
        "    EDITTEXT IDC_SEARCHBOX     13, 169, 60, 12\n"
        "    CONTROL \"Tab(&S)\"IDC_TAB,\"Button\",BS_AUTOCHECKBOX | WS_TABSTOP,7,47,162,10\n"
        "    LTEXT \"Name\" IDC_NAME, 1, 2, 3, 4\n"
        "END\n");
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[1].text, "EDITTEXT COLOR_HUE, 216, 124, 19, 12, WS_GROUP ");
    EXPECT_EQ(s[1].symbol, "COLOR_HUE");
    EXPECT_EQ(s[1].cx, 19);
    EXPECT_EQ(s[2].text, "EDITTEXT IDC_SEARCHBOX, 13, 169, 60, 12");
    EXPECT_EQ(s[3].kind, 2);
    EXPECT_EQ(s[3].string, "Tab(&S)");
    EXPECT_EQ(s[3].symbol, "IDC_TAB");
    EXPECT_EQ(s[3].secondString, "Button");
    EXPECT_EQ(s[3].cy, 10);
    EXPECT_EQ(s[4].text, "LTEXT \"Name\", IDC_NAME, 1, 2, 3, 4");
}

TEST(VisualStudioSyntaxTest, BracesInlineLanguageBrokenStringsAndEmptyMenuExArguments)
{
    auto s = parseText(
        "STRINGTABLE\nLANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n{\n  IDS_A \"first\n second\"\n}\n"
        "IDM_X MENUEX\nBEGIN\n  MENUITEM \"(none)\", IDM_FIRST, , MFS_GRAYED\nEND\n");
    ASSERT_GE(s.size(), 10u);
    EXPECT_EQ(s[1].kind, 94);
    EXPECT_EQ(s[3].kind, 70);
    EXPECT_EQ(s[3].string, "first\n second");
    EXPECT_EQ(s[4].kind, 7);
    EXPECT_EQ(s[5].kind, 8);  // MENUEX: a menu whose items offer their texts
    EXPECT_EQ(s[7].kind, 4);
    EXPECT_EQ(s[7].string, "(none)");
    EXPECT_EQ(s[7].text, "MENUITEM \"(none)\", IDM_FIRST, , MFS_GRAYED");
    EXPECT_EQ(s.back().error, 0);
}

TEST(VisualStudioSyntaxTest, EditorBlocksOfferNoText)
{
    auto s = parseContent(
        "IDD_A DLGINIT\nBEGIN\n    IDC_C, 0x403, 6, 0\n\"Text\", \"\\000\"\n    0\nEND\n"
        "IDD_A AFX_DIALOG_LAYOUT\nBEGIN\n    0\nEND\n"
        "GUIDELINES DESIGNINFO\nBEGIN\n    IDD_A, DIALOG\n    BEGIN\n        LEFTMARGIN, 7\n    END\nEND\n"
        "2 TEXTINCLUDE\nBEGIN\n    \"#include \"\"afxres.h\"\"\\r\\n\"\n    \"\\0\"\nEND\n"
        "IDR_D RCDATA\nBEGIN\n  \"kept\", \"offered\"\nEND\n");
    int offered = 0;
    for (const auto& st : s)
        if (st.action == 40 && st.kind != 76) {
            ++offered;
            EXPECT_EQ(st.string, "kept");
        }
    EXPECT_EQ(offered, 1);
}

TEST(VisualStudioSyntaxTest, MacroLinesAreKeptAsTheyStand)
{
    const std::string suggest = "SUGGEST(IDS_X, ERROR_FILE,\t0, \\\n        \"Reason  (a)\")";
    auto s = parseContent("STRINGTABLE\nBEGIN\nJAPANBEGIN\n    IDS_125MB   \"1%s25 MB\"\nJAPANEND\n" + suggest +
                          "\n  IDS_B\n    \"on the next line\"\nEND\n"
                          "JAPANBEGIN\nIDD_X DIALOG 0, 0, 10, 10\nBEGIN\n  MYCONTROL(IDC_A,  \"t\")\n"
                          "  LTEXT \"L\", IDC_L, 1, 2, 3, 4\nEND\n");
    ASSERT_EQ(s.size(), 10u);
    EXPECT_EQ(s[1].text, "JAPANBEGIN");
    EXPECT_EQ(s[1].action, 66);
    EXPECT_EQ(s[2].kind, 70);
    EXPECT_EQ(s[2].string, "1%s25 MB");
    EXPECT_EQ(s[3].text, "JAPANEND");
    EXPECT_EQ(s[4].text, suggest);  // byte for byte, continuation and all
    EXPECT_EQ(s[4].action, 66);
    EXPECT_EQ(s[5].kind, 70);
    EXPECT_EQ(s[5].string, "on the next line");
    EXPECT_EQ(s[6].text, "JAPANBEGIN");
    EXPECT_EQ(s[7].kind, 13);
    EXPECT_EQ(s[8].text, "MYCONTROL(IDC_A,  \"t\")");
    EXPECT_EQ(s[9].kind, 19);
}

TEST(VisualStudioSyntaxTest, DoubleByteTrailBackslashDoesNotEscapeTheQuote)
{
    // 0x955C is one Shift-JIS character whose second byte is a backslash.
    auto s = parseContent("#pragma code_page(932)\nSTRINGTABLE\nBEGIN\n  IDS_A \"\x95\\\"\n  IDS_B \"b\\\"q\"\nEND\n"
                          "#pragma code_page(1252)\nSTRINGTABLE\nBEGIN\n  IDS_C \"\x95\\\" more\"\nEND\n");
    ASSERT_EQ(s.size(), 7u);
    EXPECT_EQ(s[2].string, "\x95\\");
    EXPECT_EQ(s[3].string, "b\\\"q");
    EXPECT_EQ(s[6].string, "\x95\\\" more");  // in a single-byte code page the backslash escapes
}

TEST(NotAScriptTest, ListingsAndBinaryDataAreRefusedNamingFileAndLine)
{
    std::string listing;
    for (int i = 0; i < 40; ++i)
        listing += ".text:004010" + std::to_string(10 + i) + "  push    ebp\n";
    LineCounter counter;
    ScriptParser parser(counter);
    parser.setText(listing);
    auto s = test::parseAll(parser, counter);
    ASSERT_LT(parser.error(), 0);
    const std::string report = ParserError::reportText(parser.error(), parser.errorLocation("dump.rc"));
    EXPECT_NE(report.find("dump.rc("), std::string::npos) << report;
    EXPECT_LT(s.size(), 40u);
}

} // namespace
} // namespace qmk
