#include <gtest/gtest.h>

#include "ParseHelpers.h"

namespace qmk {
namespace {

using test::parseContent;
using test::parseText;

TEST(CommentsTest, LineAndBlockCommentsLeaveNoTrace)
{
    auto s = parseContent("// first\n; second\nSTRINGTABLE /* a\n b */ DISCARDABLE // tail\nBEGIN\n"
                          "  IDS_A /* inside */ \"text\" ; note\nEND\n");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].text, "STRINGTABLE DISCARDABLE ");
    EXPECT_EQ(s[1].text, "IDS_A \"text\"");
    EXPECT_EQ(s[1].physicalLine, 6);
}

TEST(CommentsTest, EmptyBlockCommentClosesItself)
{
    auto s = parseContent("/**/ IDR_M MENU\nBEGIN\nEND\n");
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].kind, 8);
}

TEST(CommentsTest, UnterminatedCommentEndsTheInput)
{
    auto s = parseText("/* never closed\nIDR_M MENU\n");
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].kind, 0);
}

TEST(StringLiteralTest, DoubledQuotesAreKeptAsWritten)
{
    auto s = parseContent("STRINGTABLE\nBEGIN\nIDS_A \"say \"\"hi\"\"\"\nIDS_B \"\"\"\"\nEND\n");
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[1].string, "say \"\"hi\"\"");
    EXPECT_EQ(s[2].string, "\"\"");
}

TEST(StringLiteralTest, BackslashEscapesAreKeptAndAnEscapedBackslashEndsTheString)
{
    auto s = parseContent("STRINGTABLE\nBEGIN\nIDS_A \"a \\\"b\\\" c\"\nIDS_B \"C:\\\\\"\nIDS_C \"x\\\\\\\"y\"\nEND\n");
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[1].string, "a \\\"b\\\" c");
    EXPECT_EQ(s[2].string, "C:\\\\");
    EXPECT_EQ(s[3].string, "x\\\\\\\"y");
    EXPECT_EQ(s[3].kind, 70);
}

TEST(StringLiteralTest, EscapesAndEmbeddedZerosAreNotDecoded)
{
    auto s = parseContent("STRINGTABLE\nBEGIN\nIDS_F \"All (*.*)\\0*.*\\0\\tend\\n\"\nEND\n");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[1].string, "All (*.*)\\0*.*\\0\\tend\\n");
}

TEST(StringLiteralTest, StringOverSeveralLinesKeepsTheLineCount)
{
    auto s = parseContent("STRINGTABLE\nBEGIN\nIDS_A \"one\ntwo\"\nIDS_B \"three\"\nEND\n");
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[1].string, "one\ntwo");
    EXPECT_EQ(s[2].physicalLine, 5);
}

TEST(StringLiteralTest, AWideLiteralIsOneTokenWhereverAStringMayStand)
{
    auto s = parseContent("STRINGTABLE\nBEGIN\n  1 L\"one\"\nEND\nD DIALOGEX 0, 0, 100, 50\nCAPTION L\"Cap\"\n"
                          "FONT 8, L\"MS Shell Dlg\", 0, 0, 0x1\nBEGIN\n  CONTROL L\"c\", 2, L\"Button\", 0, 1, 2, 3, 4\nEND\n");
    ASSERT_EQ(s.size(), 6u);
    EXPECT_EQ(std::vector<std::string>({s[1].text, s[1].string, s[3].text, s[3].string, s[5].text, s[5].secondString}),
              std::vector<std::string>({"1 L\"one\"", "one", "CAPTION L\"Cap\"", "Cap",
                                        "CONTROL L\"c\", 2, L\"Button\", 0, 1, 2, 3, 4", "Button"}));
    EXPECT_EQ(s[4].text, "FONT 8, L\"MS Shell Dlg\", 0, 0, 0x1");
    EXPECT_EQ(s[4].secondString, "MS Shell Dlg");
    // A word that merely ends in L before a literal stays a word.
    EXPECT_EQ(parseContent("STRINGTABLE\nBEGIN\n  IDS_LABEL\"x\"\nEND\n")[1].string, "x");
}

} // namespace
} // namespace qmk
