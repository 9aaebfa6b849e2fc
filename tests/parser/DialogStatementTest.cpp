#include <gtest/gtest.h>

#include "ParseHelpers.h"

namespace qmk {
namespace {

using test::parseContent;
using test::Statement;

std::vector<Statement> dialog(const std::string& body, const std::string& header = "IDD_A DIALOGEX 10, 20, 200, 100\n")
{
    return parseContent(header + "BEGIN\n" + body + "END\n");
}

TEST(DialogTest, HeaderRecordsNameGeometryAndResourceLine)
{
    auto s = parseContent("#define X 1\nIDD_ABOUT DIALOGEX DISCARDABLE 0, 0, 186, 95, 1234\n"
                          "CAPTION \"About\"\nBEGIN\nEND\n");
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[1].kind, 13);
    EXPECT_EQ(s[1].text, "IDD_ABOUT DIALOGEX DISCARDABLE 0, 0, 186, 95, 1234");
    EXPECT_EQ(s[1].symbol, "IDD_ABOUT");
    // The help id after the geometry does not shift it.
    EXPECT_EQ(s[1].cx, 186);
    EXPECT_EQ(s[1].cy, 95);
    EXPECT_EQ(s[1].resourceLine, 2);
    EXPECT_EQ(s[2].kind, 1);
    EXPECT_EQ(s[2].action, 40);
    EXPECT_EQ(s[2].string, "About");
    EXPECT_EQ(s[2].cx, 186);
}

TEST(DialogTest, StyleListsOverSeveralLinesAreOneStatement)
{
    auto s = parseContent("IDD_A DIALOG 0,0,10,10\nSTYLE DS_MODALFRAME |\n   WS_POPUP | WS_CAPTION\n"
                          "EXSTYLE WS_EX_DLGMODALFRAME\nBEGIN\nEND\n");
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[1].kind, 12);
    EXPECT_EQ(s[1].text, "STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION ");
    EXPECT_EQ(s[1].style, 0x80u | 0x80000000u | 0x00C00000u);
    EXPECT_EQ(s[2].kind, 100);
    EXPECT_EQ(s[2].style, 1u);
}

TEST(DialogTest, FontStoresPointSizeAndFaceName)
{
    auto s = parseContent("IDD_A DIALOGEX 0,0,10,10\nFONT 8, \"MS Shell Dlg\", 0, 0, 0x1\nBEGIN\nEND\n");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[1].kind, 32);
    EXPECT_EQ(s[1].action, 66);
    EXPECT_EQ(s[1].cx, 8);
    EXPECT_EQ(s[1].secondString, "MS Shell Dlg");
    EXPECT_EQ(s[1].text, "FONT 8, \"MS Shell Dlg\", 0, 0, 0x1");
}

TEST(DialogTest, ClassAndMenuStatements)
{
    auto s = parseContent("IDD_A DIALOG 0,0,10,10\nCLASS \"MyClass\"\nMENU IDR_MAIN\nBEGIN\nEND\n");
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[1].kind, 33);
    EXPECT_EQ(s[1].secondString, "MyClass");
    EXPECT_EQ(s[2].kind, 101);
}

TEST(DialogTest, TextControlIsRebuiltWithOneBlankAfterKeywordAndCommas)
{
    auto s = dialog("  PUSHBUTTON   \"OK\" ,IDOK,10,  20, 50,14\n");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[1].text, "PUSHBUTTON \"OK\", IDOK, 10, 20, 50, 14");
    EXPECT_EQ(s[1].kind, 23);
    EXPECT_EQ(s[1].action, 40);
    EXPECT_EQ(s[1].symbol, "IDOK");
    EXPECT_EQ(s[1].string, "OK");
    EXPECT_EQ(s[1].x, 10);
    EXPECT_EQ(s[1].y, 20);
    EXPECT_EQ(s[1].cx, 50);
    EXPECT_EQ(s[1].cy, 14);
}

TEST(DialogTest, EveryTextControlKeepsItsKeywordAsKind)
{
    auto s = dialog("LTEXT \"a\",1,0,0,1,1\nRTEXT \"a\",1,0,0,1,1\nCTEXT \"a\",1,0,0,1,1\n"
                    "CHECKBOX \"a\",1,0,0,1,1\nGROUPBOX \"a\",1,0,0,1,1\nDEFPUSHBUTTON \"a\",1,0,0,1,1\n"
                    "RADIOBUTTON \"a\",1,0,0,1,1\nAUTORADIOBUTTON \"a\",1,0,0,1,1\n"
                    "AUTOCHECKBOX \"a\",1,0,0,1,1\nAUTO3STATE \"a\",1,0,0,1,1\nICON IDI_APP,-1,0,0,20,20\n");
    std::vector<int> kinds = {19, 20, 21, 22, 25, 26, 27, 102, 103, 104, 18};
    ASSERT_EQ(s.size(), kinds.size() + 1);
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        EXPECT_EQ(s[i + 1].kind, kinds[i]) << s[i + 1].text;
        EXPECT_EQ(s[i + 1].action, kinds[i] == 18 ? 66 : 40) << s[i + 1].text;
    }
    EXPECT_EQ(s.back().symbol, "-1");
}

TEST(DialogTest, OwnerDrawnControlsOfferNoText)
{
    auto s = dialog("PUSHBUTTON \"OK\", IDOK, 1, 2, 3, 4, BS_OWNERDRAW\n"
                    "LTEXT \"x\", IDC_S, 1, 2, 3, 4, SS_SIMPLE | WS_GROUP\n"
                    "LTEXT \"x\", IDC_T, 1, 2, 3, 4, SS_NOPREFIX\n");
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[1].action, 66);
    EXPECT_EQ(s[2].action, 66);
    EXPECT_EQ(s[3].action, 40);
    EXPECT_EQ(s[3].style, 0x80u);
}

TEST(DialogTest, ListControlsHaveIdAndGeometryButNoText)
{
    auto s = dialog("EDITTEXT IDC_E,5,6,70,12,ES_AUTOHSCROLL\nCOMBOBOX IDC_C, 1,2,3,4\n"
                    "LISTBOX IDC_L 1,2,3,4\nSCROLLBAR IDC_S,1,2,3,4\n");
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[1].kind, 28);
    EXPECT_EQ(s[1].action, 66);
    EXPECT_EQ(s[1].symbol, "IDC_E");
    EXPECT_EQ(s[1].text, "EDITTEXT IDC_E, 5, 6, 70, 12, ES_AUTOHSCROLL ");
    EXPECT_EQ(s[1].cx, 70);
    EXPECT_EQ(s[2].kind, 29);
    EXPECT_EQ(s[3].kind, 24);
    EXPECT_EQ(s[3].text, "LISTBOX IDC_L, 1, 2, 3, 4");  // the comma Microsoft's compiler lets a script leave out
    EXPECT_EQ(s[4].kind, 30);
}

TEST(ControlTest, TextIdClassStyleAndGeometry)
{
    auto s = dialog("CONTROL \"&Wrap\",IDC_WRAP,\"Button\",BS_AUTOCHECKBOX | WS_TABSTOP,\n"
                    "        15,25,180,15, WS_EX_STATICEDGE\n");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[1].kind, 2);
    EXPECT_EQ(s[1].action, 40);
    EXPECT_EQ(s[1].string, "&Wrap");
    EXPECT_EQ(s[1].symbol, "IDC_WRAP");
    EXPECT_EQ(s[1].secondString, "Button");
    EXPECT_EQ(s[1].text,
              "CONTROL \"&Wrap\", IDC_WRAP, \"Button\", BS_AUTOCHECKBOX | WS_TABSTOP, 15, 25, 180, 15, WS_EX_STATICEDGE ");
    EXPECT_EQ(s[1].style, 0x3u | 0x10000u);
    EXPECT_EQ(s[1].x, 15);
    EXPECT_EQ(s[1].cy, 15);
}

TEST(ControlTest, NumericStylesAndExtendedStyleDoNotShiftGeometry)
{
    auto s = dialog("CONTROL \"\", IDC_X, \"Static\", 0x50000007, -1, 2, 30, 40, 0x200\n");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[1].style, 0x50000007u);
    EXPECT_EQ(s[1].x, -1);
    EXPECT_EQ(s[1].cy, 40);
    EXPECT_EQ(s[1].action, 66); // empty text
}

TEST(ControlTest, BareClassWordsAreWrittenAsQuotedClassNames)
{
    auto s = dialog("CONTROL \"a\", 1, button, 0, 1, 2, 3, 4\nCONTROL \"b\", 2, BUTTON_CLASS, 0, 1, 2, 3, 4\n"
                    "CONTROL \"c\", 3, combobox, 0, 1, 2, 3, 4\nCONTROL \"d\", 4, SysListView32, 0, 1, 2, 3, 4\n");
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[1].text, "CONTROL \"a\", 1, \"BUTTON\", 0, 1, 2, 3, 4");
    EXPECT_EQ(s[1].secondString, "BUTTON");
    EXPECT_EQ(s[2].secondString, "BorBtn");
    EXPECT_EQ(s[2].text, "CONTROL \"b\", 2, \"BorBtn\", 0, 1, 2, 3, 4");
    EXPECT_EQ(s[3].secondString, "COMBOBOX");
    EXPECT_EQ(s[4].secondString, "");
    EXPECT_EQ(s[4].text, "CONTROL \"d\", 4, SysListView32, 0, 1, 2, 3, 4");
    EXPECT_EQ(s[4].cx, 3);
}

TEST(ControlTest, OwnerDrawStyleAndNumericText)
{
    auto s = dialog("CONTROL \"x\", 1, \"Button\", BS_OWNERDRAW | WS_TABSTOP, 1, 2, 3, 4\n"
                    "CONTROL 101, 2, \"Static\", SS_BITMAP, 1, 2, 3, 4\n");
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[1].action, 66);
    EXPECT_EQ(s[2].number, 101);
    EXPECT_EQ(s[2].kind, 2);
}

TEST(DialogTest, IdExpressionsAreTheWholeSymbol)
{
    auto s = dialog("LTEXT \"a\", IDC_BASE + 1*2, 1, 2, 3, 4\n");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[1].symbol, "IDC_BASE+1*2");
}

TEST(DialogTest, MalformedStatementsFail)
{
    EXPECT_EQ(dialog("BEGIN\nEND\n").back().error, -99);   // BEGIN inside the block
    EXPECT_EQ(dialog("LTEXT \"a\", , 1, 2\n").back().error, -99);
    EXPECT_EQ(parseContent("IDD_A DIALOG 0,0,1,1\nCLASS 5\n").back().error, -99);
}

TEST(DialogTest, DialogExNamedByAStringReadsItsControls)
{
    auto s = parseContent("\"ABOUT\" DIALOGEX 0, 0, 100, 50\nBEGIN\nLTEXT \"Hi\", 1, 1, 2, 3, 4\nEND\n");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].kind, 99);
    EXPECT_EQ(s[0].symbol, "ABOUT");
    EXPECT_EQ(s[1].kind, 19);
    EXPECT_EQ(s[1].action, 40);
}

} // namespace
} // namespace qmk
