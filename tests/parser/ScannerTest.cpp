#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parser/DoubleByteCodePage.h"
#include "parser/ParserCodes.h"
#include "parser/ScriptKeywords.h"
#include "parser/ScriptScanner.h"

namespace qmk {
namespace {

struct Scanned {
    int token;
    std::string text;
};

std::vector<Scanned> scanAll(const std::string& input, int resourceType = 0)
{
    ScriptScanner sc;
    sc.setInput(input);
    sc.setResourceType(resourceType);
    std::vector<Scanned> out;
    for (int i = 0; i < 1000; ++i) {
        int t = sc.next();
        if (t == Tok::None)
            break;
        out.push_back({t, std::string(sc.tokenText())});
    }
    return out;
}

TEST(ScannerTest, KeywordsMatchInAnyLetterCase)
{
    auto s = scanAll("MENUITEM MenuItem menuitem Begin end");
    ASSERT_EQ(s.size(), 5u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(s[i].token, Tok::MenuItem);
    EXPECT_EQ(s[3].token, Tok::Begin);
    EXPECT_EQ(s[4].token, Tok::End);
    EXPECT_EQ(s[0].text, "MENUITEM");
    EXPECT_EQ(s[1].text, "MenuItem");
}

TEST(ScannerTest, WordThatOnlyBeginsWithAKeywordIsAnIdentifier)
{
    auto s = scanAll("MENUX BEGIN_1 ENDING");
    ASSERT_EQ(s.size(), 3u);
    for (const auto& t : s)
        EXPECT_EQ(t.token, Tok::Identifier) << t.text;
}

TEST(ScannerTest, NumbersInAllBasesAreSingleTokens)
{
    auto s = scanAll("0x1F 0X1fL 077 0o17 12L");
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0].token, Tok::HexNumber);
    EXPECT_EQ(s[1].token, Tok::HexNumber);
    EXPECT_EQ(s[1].text, "0X1fL");
    EXPECT_EQ(s[2].token, Tok::Number);
    EXPECT_EQ(s[3].token, Tok::OctalNumber);
    EXPECT_EQ(s[4].text, "12L");
}

TEST(ScannerTest, OptionWordsDependOnTheResourceBeingRead)
{
    EXPECT_EQ(scanAll("CONTROL", 17)[0].token, Tok::AcceleratorOption);
    EXPECT_EQ(scanAll("CONTROL", 0)[0].token, Tok::Control);
    EXPECT_EQ(scanAll("help", 8)[0].token, Tok::MenuOption);
    EXPECT_EQ(scanAll("HELP", 0)[0].token, Tok::Identifier);
    EXPECT_EQ(scanAll("discardable", 0)[0].token, Tok::MemoryOption);
}

TEST(ScannerTest, PunctuationAndDollarTokens)
{
    auto s = scanAll("$$ $ , | - + # < > ' ! ( ) { } * :");
    std::vector<int> expected = {Tok::DoubleDollar, Tok::Dollar, Tok::Comma, Tok::Bar, Tok::Minus,
                                 Tok::Plus, Tok::Hash, Tok::Less, Tok::Greater, Tok::Apostrophe,
                                 Tok::Exclamation, Tok::LeftParen, Tok::RightParen, Tok::LeftBrace,
                                 Tok::RightBrace, Tok::Star, Tok::Colon};
    ASSERT_EQ(s.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(s[i].token, expected[i]) << i;
}

TEST(ScannerTest, BytesAbove127BelongToWordsSoNoCharacterIsTakenApart)
{
    auto s = scanAll("\xC3\xA9t\xC3\xA9 IDR_\xC3\x84,\xEF\xBF\xBD");
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].token, Tok::Identifier);
    EXPECT_EQ(s[0].text, "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(s[1].text, "IDR_\xC3\x84");
    EXPECT_EQ(s[3].text, "\xEF\xBF\xBD");

    // In a double-byte code page a trail byte that is a backslash or a bar stays in its word.
    ScriptScanner sc;
    const std::string input = "X\x95\\ \x83|";
    sc.setInput(input);
    sc.setDoubleByte(DoubleByteCodePage::of(932));
    EXPECT_EQ(sc.next(), Tok::Identifier);
    EXPECT_EQ(sc.tokenText(), "X\x95\\");
    EXPECT_EQ(sc.next(), Tok::Identifier);
    EXPECT_EQ(sc.tokenText(), "\x83|");
}

TEST(ScannerTest, PushBackReadsTheSameTokenAgainAndCutsTheOutput)
{
    ScriptScanner sc;
    std::string input = "IDC_A  12\n  IDC_B";
    sc.setInput(input);
    EXPECT_EQ(sc.next(), Tok::Identifier);
    EXPECT_EQ(sc.next(), Tok::Number);
    EXPECT_EQ(sc.numberCount(), 1);
    sc.pushBack();
    EXPECT_EQ(sc.output(), "IDC_A");
    EXPECT_EQ(sc.numberCount(), 0);
    EXPECT_EQ(sc.next(), Tok::Number);
    EXPECT_EQ(sc.output(), "IDC_A 12");
    EXPECT_EQ(sc.next(), Tok::Identifier);
    EXPECT_EQ(sc.tokenLine(), 2);
}

TEST(ScannerTest, NumberHistoryKeepsTheFourNewestNewestFirst)
{
    ScriptScanner sc;
    std::string input = "1,22,333,4444,55555";
    sc.setInput(input);
    while (sc.next() != Tok::None) {
    }
    EXPECT_EQ(sc.outputSpan(sc.numberHistory(0)), "55555");
    EXPECT_EQ(sc.outputSpan(sc.numberHistory(3)), "22");
    EXPECT_EQ(sc.numberHistory(4).length, 0);
}

TEST(ScannerTest, LongIdentifierStaysWholeInTheTextAndIsCutInTheWord)
{
    std::string longName(100, 'A');
    ScriptScanner sc;
    sc.setInput(longName);
    EXPECT_EQ(sc.next(), Tok::Identifier);
    EXPECT_EQ(sc.word().size(), 83u);
    EXPECT_EQ(sc.output(), longName);
}

TEST(ScannerTest, KeywordTableHasItsEntriesInSearchOrder)
{
    auto table = ScriptKeywords::table();
    ASSERT_EQ(table.size(), 54u);
    EXPECT_EQ(table.front().text, "CONTROL");
    EXPECT_EQ(table[4].text, "MenuItem");
    EXPECT_EQ(table.back().text, "code_page");
    EXPECT_EQ(ScriptKeywords::text(Tok::DialogEx), "DIALOGEX");
    for (const KeywordEntry& k : table)
        EXPECT_EQ(ScriptKeywords::code(k.text), k.code) << k.text;
    EXPECT_EQ(ScriptKeywords::code("MENUX"), 0);
}

TEST(ScannerTest, TouchingTokensGetABlankSoTheyDoNotFuse)
{
    // A number directly followed by a name, or two literals, must not read back as one.
    for (std::string input : {"\"a\"    \"b\"", "10IDC"}) {
        ScriptScanner sc;
        sc.setInput(input);
        sc.next();
        sc.next();
        EXPECT_EQ(sc.output(), input == "10IDC" ? "10 IDC" : "\"a\" \"b\"");
    }
}

} // namespace
} // namespace qmk
