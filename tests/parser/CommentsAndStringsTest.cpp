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

} // namespace
} // namespace qmk
