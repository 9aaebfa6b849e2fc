#include <gtest/gtest.h>

#include "ParseHelpers.h"

namespace qmk {
namespace {

using test::parseContent;

TEST(MenuTest, PopupsItemsAndSeparators)
{
    auto s = parseContent("IDR_M MENU DISCARDABLE\nBEGIN\n  POPUP \"&File\", GRAYED\n  BEGIN\n"
                          "    MENUITEM \"&Open...\\tCtrl+O\",  IDM_OPEN, CHECKED\n    MENUITEM SEPARATOR\n"
                          "    menuitem \"E&xit\" IDM_EXIT\n  END\n  POPUP \"&Help\" HELP\n  BEGIN\n  END\nEND\n");
    ASSERT_EQ(s.size(), 6u);
    EXPECT_EQ(s[0].kind, 8);
    EXPECT_EQ(s[0].text, "IDR_M MENU DISCARDABLE ");
    EXPECT_EQ(s[1].kind, 3);
    EXPECT_EQ(s[1].action, 40);
    EXPECT_EQ(s[1].text, "POPUP \"&File\", GRAYED");
    EXPECT_EQ(s[2].kind, 4);
    EXPECT_EQ(s[2].string, "&Open...\\tCtrl+O");
    EXPECT_EQ(s[2].symbol, "IDM_OPEN");
    EXPECT_EQ(s[2].text, "MENUITEM \"&Open...\\tCtrl+O\", IDM_OPEN, CHECKED");
    EXPECT_EQ(s[3].kind, 39);
    EXPECT_EQ(s[3].symbol, "");
    EXPECT_EQ(s[4].text, "menuitem \"E&xit\" IDM_EXIT");
    EXPECT_EQ(s[5].text, "POPUP \"&Help\" HELP");
}

TEST(MenuTest, OutermostEndClosesTheResource)
{
    auto all = test::parseText("IDR_M MENU\nBEGIN\nPOPUP \"a\"\nBEGIN\nMENUITEM \"b\", 1\nEND\nEND\n"
                               "STRINGTABLE\nBEGIN\nEND\n");
    ASSERT_GE(all.size(), 8u);
    EXPECT_EQ(all[5].kind, 7);
    EXPECT_EQ(all[6].kind, 7);
    EXPECT_EQ(all[6].action, 7);
    EXPECT_EQ(all[7].kind, 5);
}

TEST(MenuTest, TextlessPopupAndItemCarryNoString)
{
    auto s = parseContent("IDR_M MENU\nBEGIN\nPOPUP IDS_X\nBEGIN\nMENUITEM IDS_Y, IDM_Y\nEND\nEND\n");
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[1].action, 66);
    EXPECT_EQ(s[2].action, 66);
    EXPECT_EQ(s[2].symbol, "IDM_Y");
}

TEST(MenuTest, MalformedPopupsAndItemsFail)
{
    EXPECT_EQ(parseContent("M MENU\nBEGIN\nPOPUP \"a\" 5\nBEGIN\nEND\nEND\n").back().error, -96);
    EXPECT_EQ(parseContent("M MENU\nBEGIN\nPOPUP 5\n").back().error, -96);
    EXPECT_EQ(parseContent("M MENU\nBEGIN\nMENUITEM 5, 6\nEND\n").back().error, -95);
    EXPECT_EQ(parseContent("M MENU\nBEGIN\nMENUITEM \"a\"\nEND\n").back().error, -99);
}

TEST(MenuTest, MenuAsResourceNameAtTopLevel)
{
    auto s = parseContent("MENU MENU\nBEGIN\nMENUITEM \"a\", 1\nEND\n");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].kind, 8);
    EXPECT_EQ(s[0].symbol, "MENU");
    EXPECT_EQ(s[1].kind, 4);
}

TEST(StringTableTest, EntryFormsAndKinds)
{
    auto s = parseContent("STRINGTABLE DISCARDABLE\nBEGIN\n  IDS_A, \"With comma\"\n  IDS_B \"Without\"\n"
                          "  IDS_C TEXT(\"Macro\")\n  IDS_D TEXT \"No parens\"\n  IDS_E 42\n  IDS_F OTHER_NAME\n"
                          "  IDS_G+1 \"Sum\"\nEND\n");
    ASSERT_EQ(s.size(), 8u);
    EXPECT_EQ(s[0].kind, 5);
    EXPECT_EQ(s[1].kind, 70);
    EXPECT_EQ(s[1].action, 40);
    EXPECT_EQ(s[1].text, "IDS_A, \"With comma\"");
    EXPECT_EQ(s[1].symbol, "IDS_A");
    EXPECT_EQ(s[2].kind, 70);
    EXPECT_EQ(s[2].text, "IDS_B \"Without\"");
    EXPECT_EQ(s[3].kind, 70);
    EXPECT_EQ(s[3].string, "Macro");
    EXPECT_EQ(s[3].text, "IDS_C TEXT(\"Macro\")");
    EXPECT_EQ(s[3].symbol, "IDS_C");
    EXPECT_EQ(s[4].kind, 65);
    EXPECT_EQ(s[4].text, "IDS_D TEXT \"No parens\"");
    EXPECT_EQ(s[5].kind, 65);
    EXPECT_EQ(s[5].text, "IDS_E 42");
    EXPECT_EQ(s[6].kind, 65);
    EXPECT_EQ(s[7].symbol, "IDS_G+1");
    EXPECT_EQ(s[7].kind, 70);
}

TEST(StringTableTest, EmptyStringIsNotTranslatable)
{
    auto s = parseContent("STRINGTABLE\nBEGIN\nIDS_A \"\"\nEND\n");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[1].kind, 70);
    EXPECT_EQ(s[1].action, 66);
}

TEST(StringTableTest, OnlyABlockMayFollowTheHeader)
{
    EXPECT_EQ(parseContent("STRINGTABLE\nCAPTION \"x\"\n").back().error, -99);
    auto s = parseContent("STRINGTABLE\n#ifdef X\nBEGIN\n#endif\nIDS_A \"x\"\nEND\n");
    EXPECT_EQ(s.back().kind, 70);
    EXPECT_EQ(parseContent("STRINGTABLE\nBEGIN\n\"x\"\nEND\n").back().error, -99);
}

TEST(AcceleratorTest, EntriesCarryNoTranslatableText)
{
    auto s = parseContent("IDR_A ACCELERATORS\nBEGIN\n  \"^C\", IDM_COPY\n  VK_F1,IDM_HELP,VIRTKEY , NOINVERT\n"
                          "  \"N\", IDM_NEW, VIRTKEY, CONTROL\n  65, IDM_A, ASCII\nEND\n");
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0].kind, 17);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(s[i].kind, 34);
        EXPECT_EQ(s[i].action, 66);
        EXPECT_EQ(s[i].string, "");
    }
    EXPECT_EQ(s[2].text, "VK_F1, IDM_HELP, VIRTKEY, NOINVERT");
    EXPECT_EQ(s[2].symbol, "IDM_HELP");
    EXPECT_EQ(s[3].text, "\"N\", IDM_NEW, VIRTKEY, CONTROL");
}

TEST(AcceleratorTest, MissingCommaAfterTheKey)
{
    EXPECT_EQ(parseContent("A ACCELERATORS\nBEGIN\n\"^C\" IDM_COPY\nEND\n").back().error, -98);
    EXPECT_EQ(parseContent("A ACCELERATORS\nBEGIN\n, IDM_COPY\nEND\n").back().error, -99);
}

} // namespace
} // namespace qmk
