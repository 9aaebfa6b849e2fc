#include <gtest/gtest.h>

#include <string>

#include "ParseHelpers.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "parser/ParsedLine.h"
#include "parser/ParserCodes.h"
#include "parser/ParserError.h"

namespace qmk {
namespace {

using test::parseText;

TEST(ReaderTest, LineCounterCountsStatementsAndResourceLineNamesTheHeader)
{
    LineCounter counter;
    counter.value = 100;
    ScriptParser parser(counter);
    parser.setText("#include \"a.h\"\nIDR_M MENU\nBEGIN\nMENUITEM \"x\", 1\nEND\n// trailing\n");
    auto s = test::parseAll(parser, counter);
    ASSERT_EQ(s.size(), 6u);
    EXPECT_EQ(s[0].counter, 101);
    EXPECT_EQ(s[0].resourceLine, -1);
    EXPECT_EQ(s[1].resourceLine, 102);
    EXPECT_EQ(s[3].resourceLine, 102);
    EXPECT_EQ(s[5].kind, 0);
    EXPECT_EQ(s[5].text, "");
}

TEST(ReaderTest, TwoParsersRunSideBySideWithTheirOwnCounters)
{
    LineCounter a, b;
    ScriptParser pa(a), pb(b);
    pa.setText("STRINGTABLE\nBEGIN\nIDS_A \"a\"\nEND\n");
    pb.setText("LANGUAGE 7, 1\n");
    pa.reset();
    pb.reset();
    ParsedLine l1(pa);
    ParsedLine l2(pb);
    ParsedLine l3(pa);
    EXPECT_EQ(a.value, 2);
    EXPECT_EQ(b.value, 1);
    EXPECT_EQ(l2.kind, 94);
    EXPECT_EQ(l3.kind, 6);
}

TEST(ReaderTest, EndOfInputIsStickyAndErrorsStopTheReader)
{
    LineCounter counter;
    ScriptParser parser(counter);
    parser.setText("IDI_A ICON \"a.ico\"");
    parser.reset();
    std::string text;
    EXPECT_EQ(parser.readLine(text), 66);
    EXPECT_TRUE(parser.atEnd());
    EXPECT_EQ(parser.readLine(text), 0);
    EXPECT_EQ(parser.kindValue(), 0);

    parser.setText("IDI_A ICON \"a.ico\"");
    parser.setError(ParserCode::Syntax);
    EXPECT_EQ(parser.readLine(text), 0);
    EXPECT_TRUE(text.empty());
}

TEST(ReaderTest, LongStatementsAreReadWholeAndOnlyAnAbsurdOneOverflows)
{
    for (std::size_t length : {1300u, 200000u}) {
        std::string text(length, 'a');
        auto ok = parseText("STRINGTABLE\nBEGIN\nIDS_A \"" + text + "\"\nIDS_B \"b\"\nEND\n");
        ASSERT_GE(ok.size(), 5u);
        EXPECT_EQ(ok[2].string, text);
        EXPECT_EQ(ok[3].string, "b");
        EXPECT_EQ(ok.back().error, 0);
    }
    std::string absurd(ScriptScanner::kOutputCapacity + 10, 'a');
    LineCounter counter;
    ScriptParser parser(counter);
    parser.setText("STRINGTABLE\nBEGIN\nIDS_A \"" + absurd + "\"\nIDS_B \"b\"\nEND\n");
    auto s = test::parseAll(parser, counter);
    EXPECT_EQ(s.back().error, ParserCode::OutputOverflow);
    EXPECT_EQ(counter.value, 2); // the failing step does not count
}

TEST(ReaderTest, ByteOrderMarksAndUnreadableFiles)
{
    test::TempDir dir;
    LineCounter counter;
    {
        ScriptParser parser(counter);
        EXPECT_EQ(parser.loadFile(dir.write("bom.rc", "\xEF\xBB\xBFIDI_A ICON \"a.ico\"\n")), 0);
        auto s = test::parseAll(parser, counter);
        EXPECT_EQ(s[0].text, "IDI_A ICON   \"a.ico\"");
    }
    {
        ScriptParser parser(counter);
        auto path = dir.write("binary.rc", std::string("IDI_A ICON \"a.ico\"\n\n\x7F" "ELF\0\x01\x02", 28));
        EXPECT_EQ(parser.loadFile(path), ParserCode::UnreadableInput);
        EXPECT_EQ(parser.error(), ParserCode::UnreadableInput);
        std::string report = ParserError::reportText(parser.error(), parser.errorLocation("binary.rc"));
        EXPECT_EQ(report.rfind("Error: Can't read binary.rc", 0), 0u) << report;
        EXPECT_NE(report.find("line 3 holds binary data"), std::string::npos) << report;
        std::string text;
        EXPECT_EQ(parser.readLine(text), 0);
    }
    ScriptParser missing(counter);
    EXPECT_EQ(missing.loadFile(dir / "none.rc"), ParserCode::CannotOpenFile);
    EXPECT_LT(missing.error(), 0);
}

TEST(ParserErrorTest, ReportsNameFileLineAndStatement)
{
    LineCounter counter;
    ScriptParser parser(counter);
    parser.setText("LANGUAGE 9, 1\n\nIDD_ABOUT DIALOG 0, 0, 10, 10\nBEGIN\n  BEGIN\nEND\n");
    auto s = test::parseAll(parser, counter);
    ASSERT_EQ(s.back().error, ParserCode::Syntax);
    EXPECT_EQ(s.back().physicalLine, 5);
    EXPECT_EQ(ParserError::reportText(parser.error(), parser.errorLocation("app.rc")),
              "Parser Error: Resource File  app.rc(5): BEGIN (unexpected \"BEGIN\" here)");
}

TEST(ParserErrorTest, TextsOfEveryCode)
{
    EXPECT_EQ(ParserError::reportText(-98, "a.rc(3): x"),
              "Parser Error: Accelerator Resource has comma at the end. Build file failed at a.rc(3): x");
    EXPECT_EQ(ParserError::reportText(-97, "L"), "Parser Error: Can't find name of file from user resource. Build file failed at L");
    EXPECT_EQ(ParserError::reportText(-96, "L"), "Parser Error: Menu Popup, build file failed at L");
    EXPECT_EQ(ParserError::reportText(-95, "L"), "Parser Error: Menu Menuitem, build file failed at L");
    EXPECT_EQ(ParserError::reportText(-93, "L"), "Parser Error: LANGUAGE statement at file L");
    EXPECT_EQ(ParserError::reportText(-88, "L"), "Error: Not enough memory ! L");
    EXPECT_EQ(ParserError::reportText(-87, "a.rc"), "Error: Can't read a.rc.");
    EXPECT_EQ(ParserError::reportText(-83, "L"),
              "Parser Error: The statement is longer than 1048576 bytes, the most the reader takes. Build file failed at L");
    EXPECT_EQ(ParserError::reportText(-81, "dir"), "Error: Can't change directory to dir.");
    EXPECT_EQ(ParserError::reportText(-50, "a.rc"), "Error: Unknown error accrued at file   a.rc.");
    EXPECT_EQ(ParserError::reportText(2, "a.rc"), "Error: Can't open file 'a.rc'.");
    EXPECT_EQ(ParserError::reportText(1134, "a.rc"), "An application changed the source file: a.rc");
    EXPECT_EQ(ParserError::reportText(1135, "just this"), "just this");
    test::RecordingFeedback feedback;
    ParserError::report(feedback, -99, "x");
    ASSERT_EQ(feedback.said.size(), 1u);
    EXPECT_EQ(feedback.said[0].icon, Icon::Stop);
}

} // namespace
} // namespace qmk
