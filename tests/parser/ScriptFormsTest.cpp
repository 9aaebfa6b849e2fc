// Forms real scripts use that the resource compiler accepts: literals joined into one text,
// LANGUAGE however it is spelt, names that are no identifiers, MENUEX menus, and refusals that
// say why.
#include <gtest/gtest.h>

#include "ParseHelpers.h"

namespace qmk {
namespace {

using test::parseContent;

TEST(JoinedLiteralsTest, AdjacentLiteralsAreOneTextWhereTextsStand)
{
    // A control's text in two literals on one line.
    auto s = parseContent("IDD_A DIALOGEX 0, 0, 200, 100\nBEGIN\n"
                          "  CTEXT \"Use your finger to\" \" activate the program.\",IDC_X,17,50,175,17\nEND\n");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[1].kind, 21);
    EXPECT_EQ(s[1].action, 40);
    EXPECT_EQ(s[1].string, "Use your finger to activate the program.");
    EXPECT_EQ(s[1].symbol, "IDC_X");
    EXPECT_EQ(s[1].cx, 175);
    EXPECT_EQ(s[1].text, "CTEXT \"Use your finger to activate the program.\", IDC_X, 17, 50, 175, 17");

    // A string-table entry continued on the next line, then the next entry.
    s = parseContent("STRINGTABLE\nBEGIN\n  IDS_X \"Line1\\n\"\n        \"Line2\"\n  IDS_Y \"Other\"\nEND\n");
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[1].kind, 70);
    EXPECT_EQ(s[1].string, "Line1\\nLine2");
    EXPECT_EQ(s[1].symbol, "IDS_X");
    EXPECT_EQ(s[2].string, "Other");

    // A caption continued by a backslash, a comment between two pieces, a menu item, a version
    // value, doubled quotes and a wide piece.
    s = parseContent("IDD_B DIALOG 0, 0, 100, 50\nCAPTION \"About \" \\\n  \"this program\"\nBEGIN\nEND\n"
                     "IDR_M MENU\nBEGIN\n  MENUITEM \"&Open\" /* ellipsis */ \"...\", 1\n"
                     "  POPUP \"Say \"\"hi\"\"\" L\" now\"\n  BEGIN\n  END\nEND\n"
                     "1 VERSIONINFO\nBEGIN\n BLOCK \"StringFileInfo\"\n BEGIN\n  BLOCK \"040904b0\"\n  BEGIN\n"
                     "   VALUE \"Comments\", \"one \"\n      \"two\"\n  END\n END\nEND\n");
    ASSERT_GE(s.size(), 9u);
    EXPECT_EQ(s[1].kind, 1);
    EXPECT_EQ(s[1].string, "About this program");
    EXPECT_EQ(s[3].string, "&Open...");
    EXPECT_EQ(s[3].symbol, "1");
    EXPECT_EQ(s[4].kind, 3);
    EXPECT_EQ(s[4].string, "Say \"\"hi\"\" now");
    EXPECT_EQ(s[4].text, "POPUP L\"Say \"\"hi\"\" now\"");
    EXPECT_EQ(s.back().kind, 86);
    EXPECT_EQ(s.back().string, "one two");
}

TEST(JoinedLiteralsTest, LiteralsStayApartWhereJoiningWouldChangeThem)
{
    // An escape that would take the next literal's digit, data resources and TEXTINCLUDE lines.
    auto s = parseContent("STRINGTABLE\nBEGIN\n  1 \"\\x4\" \"1\"\nEND\n");
    ASSERT_GE(s.size(), 2u);
    EXPECT_EQ(s[1].string, "\\x4");
    s = parseContent("1 TEXTINCLUDE\nBEGIN\n  \"resource.h\\0\"\n  \"\\0\"\nEND\n"
                     "2 RCDATA\nBEGIN\n  \"a\" \"b\", 0\nEND\n");
    ASSERT_EQ(s.size(), 6u);
    EXPECT_EQ(s[1].text, "\"resource.h\\0\"");
    EXPECT_EQ(s[2].text, "\"\\0\"");
    EXPECT_EQ(s[4].text, "   \"a\" ");  // each literal of the data as it was
    EXPECT_EQ(s[5].text, "   \"b\", 0");
}

} // namespace
} // namespace qmk

namespace qmk {
namespace {

TEST(ResourceNameTest, NamesThatAreNoIdentifiersStandAsWritten)
{
    auto s = test::parseContent("a-b RCDATA { \"foo\" }\na/b RCDATA\nBEGIN\n  1\nEND\nIDR_X+1 MENU\nBEGIN\nEND\n"
                                "IDD_A DIALOG 0, 0, 10, 10// the about box\nBEGIN\nEND\n");
    ASSERT_GE(s.size(), 5u);
    EXPECT_EQ(s[0].text, "a-b RCDATA ");
    EXPECT_EQ(s[0].symbol, "a-b");
    EXPECT_EQ(s[0].kind, 31);
    EXPECT_EQ(s[2].text, "a/b RCDATA ");
    EXPECT_EQ(s[2].symbol, "a/b");
    EXPECT_EQ(s[4].symbol, "IDR_X+1");
    EXPECT_EQ(s[4].kind, 8);
    EXPECT_EQ(s.back().symbol, "IDD_A");
    EXPECT_EQ(s.back().kind, 13);
}

TEST(MenuExTest, ItemsAndPopupsOfferTheirTexts)
{
    auto s = test::parseContent(
        "IDR_M MENUEX\nBEGIN\n  POPUP \"&File\", IDM_FILE, MFT_STRING, MFS_ENABLED, 0\n  BEGIN\n"
        "    MENUITEM \"&Open\\tCtrl+O\", IDM_OPEN, MFT_STRING, MFS_ENABLED\n"
        "    MENUITEM \"\", -1, MFT_SEPARATOR\n    MENUITEM \"E&xit\", IDM_EXIT\n"
        "    MENUITEM \"&Help\",, MFT_STRING | MFT_RIGHTJUSTIFY\n  END\nEND\n"
        "STRINGTABLE\nBEGIN\n  1 \"after\"\nEND\n");
    ASSERT_EQ(s.size(), 8u);
    EXPECT_EQ(s[0].kind, 8);
    EXPECT_EQ(s[1].kind, 3);
    EXPECT_EQ(s[1].action, 40);
    EXPECT_EQ(s[1].string, "&File");
    EXPECT_EQ(s[1].text, "POPUP \"&File\", IDM_FILE, MFT_STRING, MFS_ENABLED, 0");
    EXPECT_EQ(s[2].kind, 4);
    EXPECT_EQ(s[2].string, "&Open\\tCtrl+O");
    EXPECT_EQ(s[2].symbol, "IDM_OPEN");
    EXPECT_EQ(s[2].text, "MENUITEM \"&Open\\tCtrl+O\", IDM_OPEN, MFT_STRING, MFS_ENABLED");
    EXPECT_EQ(s[3].action, 66);  // a separator has no text
    EXPECT_EQ(s[3].symbol, "-1");
    EXPECT_EQ(s[4].symbol, "IDM_EXIT");
    EXPECT_EQ(s[5].string, "&Help");
    EXPECT_EQ(s[5].symbol, "");
    EXPECT_EQ(s[5].text, "MENUITEM \"&Help\", , MFT_STRING | MFT_RIGHTJUSTIFY");
    EXPECT_EQ(s[7].kind, 70);  // the menu ended where its END stands
}

} // namespace
} // namespace qmk

#include "parser/ParserError.h"

namespace qmk {
namespace {

// The report of the first refusal of a script.
std::string refusal(const std::string& script)
{
    LineCounter counter;
    ScriptParser parser(counter);
    EXPECT_EQ(parser.setText(script), 0);
    parser.reset();
    std::string text;
    while (!parser.atEnd() && parser.error() >= 0)
        parser.readLine(text);
    return parser.error() < 0 ? ParserError::reportText(parser.error(), parser.errorLocation("t.rc")) : std::string();
}

TEST(RefusalTest, EveryRefusalSaysWhatStoodWhere)
{
    // Statements the reader refuses, each reported with file, line and the token it met.
    EXPECT_EQ(refusal("STRINGTABLE\nBEGIN\n  , \"x\"\nEND\n"),
              "Parser Error: Resource File  t.rc(3): (unexpected \",\" here)");
    EXPECT_EQ(refusal("LANGUAGE LANG_GERMAN SUBLANG_GERMAN\n"),
              "Parser Error: LANGUAGE statement at file t.rc(1): LANGUAGE LANG_GERMAN (unexpected \"SUBLANG_GERMAN\" here)");
    EXPECT_EQ(refusal("IDR_M MENU\nBEGIN\n  POPUP \"a\" 5\n"),
              "Parser Error: Menu Popup, build file failed at t.rc(3): POPUP \"a\"5 (unexpected \"5\" here)");
    const std::string atEnd = refusal("IDD_A DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"x\",");
    EXPECT_NE(atEnd.find("t.rc(3): LTEXT \"x\",  (the file ends before the statement is complete)"), std::string::npos)
        << atEnd;
}

} // namespace
} // namespace qmk
