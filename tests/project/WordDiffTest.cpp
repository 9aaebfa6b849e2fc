// The word diff of an old and a new source text: tokens, the shortest diff, the limit on its
// work and the compact form of tooltips.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "project/TextTokens.h"
#include "project/WordDiff.h"

namespace qmk {
namespace {

using Kind = DiffSegment::Kind;

std::vector<std::string> tokenStrings(std::string_view text)
{
    std::vector<std::string> out;
    for (const TextToken& token : textTokens(text))
        out.emplace_back(token.text);
    return out;
}

// Tokens in the Same segments: the length of the common subsequence the diff found.
std::size_t sameTokens(const std::vector<DiffSegment>& diff)
{
    std::size_t count = 0;
    for (const DiffSegment& segment : diff)
        if (segment.kind == Kind::Same)
            count += textTokens(segment.text).size();
    return count;
}

std::size_t longestCommonSubsequence(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    std::vector<std::vector<std::size_t>> table(a.size() + 1, std::vector<std::size_t>(b.size() + 1, 0));
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j)
            table[i][j] = a[i - 1] == b[j - 1] ? table[i - 1][j - 1] + 1 : std::max(table[i - 1][j], table[i][j - 1]);
    return table[a.size()][b.size()];
}

std::string words(std::mt19937& random, int count, const std::vector<std::string>& vocabulary)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? " " : "") + vocabulary[random() % vocabulary.size()];
    return text;
}

} // namespace

TEST(TextTokensTest, WordsBlanksEscapesAndSinglePunctuation)
{
    EXPECT_EQ(tokenStrings("Save &As...\tCtrl+S"),
              (std::vector<std::string>{"Save", " ", "&", "As", ".", ".", ".", "\t", "Ctrl", "+", "S"}));
    // Escapes as the script writes them are one token; a trailing backslash is punctuation.
    EXPECT_EQ(tokenStrings("Line\\nNext \\x41BCx \\0123 \\"),
              (std::vector<std::string>{"Line", "\\n", "Next", " ", "\\x41BC", "x", " ", "\\012", "3", " ", "\\"}));
    // Apostrophes and hyphens join letters, points and commas join digits, nothing else joins.
    EXPECT_EQ(tokenStrings("don't e-mail 1,234.5 'x' 3-4 a."),
              (std::vector<std::string>{"don't", " ", "e-mail", " ", "1,234.5", " ", "'", "x", "'", " ", "3", "-", "4",
                                        " ", "a", "."}));
}

TEST(TextTokensTest, Utf8LettersIdeographsAndBrokenBytes)
{
    // "Größe ändern", non-breaking space between the words.
    EXPECT_EQ(tokenStrings("Gr\xC3\xB6\xC3\x9F" "e\xC2\xA0\xC3\xA4ndern"),
              (std::vector<std::string>{"Gr\xC3\xB6\xC3\x9F" "e", "\xC2\xA0", "\xC3\xA4ndern"}));
    // "Windows版を開く": the Latin word, then one token per ideograph and kana.
    EXPECT_EQ(tokenStrings("Windows\xE7\x89\x88\xE3\x82\x92\xE9\x96\x8B\xE3\x81\x8F"),
              (std::vector<std::string>{"Windows", "\xE7\x89\x88", "\xE3\x82\x92", "\xE9\x96\x8B", "\xE3\x81\x8F"}));
    // "が" written decomposed (か + combining voicing mark) is one token.
    EXPECT_EQ(tokenStrings("\xE3\x81\x8B\xE3\x82\x99!"), (std::vector<std::string>{"\xE3\x81\x8B\xE3\x82\x99", "!"}));
    // A byte that is not UTF-8 stands alone and nothing is lost.
    const std::string broken = "ab\xFF" "cd\xC3";
    EXPECT_EQ(tokenStrings(broken), (std::vector<std::string>{"ab", "\xFF", "cd", "\xC3"}));
    // Any bytes at all: every byte lands in exactly one token, and the diff gives them back.
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        std::string before(random() % 24, '\0'), after(random() % 24, '\0');
        for (char& c : before)
            c = static_cast<char>(random() % 8 == 0 ? '\\' : random());
        for (char& c : after)
            c = static_cast<char>(random());
        std::string joined;
        for (const std::string& token : tokenStrings(before))
            joined += token;
        ASSERT_EQ(joined, before);
        const std::vector<DiffSegment> diff = wordDiff(before, after);
        ASSERT_EQ(oldTextOf(diff), before);
        ASSERT_EQ(newTextOf(diff), after);
    }
}

TEST(WordDiffTest, AChangedWordIsDeletedThenInserted)
{
    EXPECT_EQ(wordDiff("Open the file", "Open the document"),
              (std::vector<DiffSegment>{{Kind::Same, "Open the "}, {Kind::Deleted, "file"}, {Kind::Inserted, "document"}}));
    EXPECT_EQ(wordDiff("Save as", "Save file as"),
              (std::vector<DiffSegment>{{Kind::Same, "Save "}, {Kind::Inserted, "file "}, {Kind::Same, "as"}}));
    EXPECT_EQ(wordDiff("Close all windows now", "Close windows"),
              (std::vector<DiffSegment>{{Kind::Same, "Close "}, {Kind::Deleted, "all "}, {Kind::Same, "windows"},
                                        {Kind::Deleted, " now"}}));
    EXPECT_EQ(wordDiff("", "New"), (std::vector<DiffSegment>{{Kind::Inserted, "New"}}));
    EXPECT_TRUE(wordDiff("", "").empty());
}

TEST(WordDiffTest, Utf8AndIdeographsDifferByCharacter)
{
    // "Größe ändern" -> "Größe anpassen"
    EXPECT_EQ(wordDiff("Gr\xC3\xB6\xC3\x9F" "e \xC3\xA4ndern", "Gr\xC3\xB6\xC3\x9F" "e anpassen"),
              (std::vector<DiffSegment>{{Kind::Same, "Gr\xC3\xB6\xC3\x9F" "e "}, {Kind::Deleted, "\xC3\xA4ndern"},
                                        {Kind::Inserted, "anpassen"}}));
    // "ファイルを開く" -> "ファイルを保存": only the last two characters change.
    const std::string file = "\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE3\x82\x92";
    EXPECT_EQ(wordDiff(file + "\xE9\x96\x8B\xE3\x81\x8F", file + "\xE4\xBF\x9D\xE5\xAD\x98"),
              (std::vector<DiffSegment>{{Kind::Same, file},
                                        {Kind::Deleted, "\xE9\x96\x8B\xE3\x81\x8F"},
                                        {Kind::Inserted, "\xE4\xBF\x9D\xE5\xAD\x98"}}));
}

// Random texts over a small vocabulary: the diff gives both texts back, never puts two segments
// of one kind side by side, and keeps as many tokens as the longest common subsequence has.
TEST(WordDiffTest, TheDiffIsShortestAndGivesBothTextsBack)
{
    std::mt19937 random(20240611);
    const std::vector<std::string> vocabulary = {"a", "b", "c", "File", "Open", "the", "\\n", "&", "..."};
    for (int round = 0; round < 300; ++round) {
        const std::string before = words(random, static_cast<int>(random() % 14), vocabulary);
        const std::string after = words(random, static_cast<int>(random() % 14), vocabulary);
        const std::vector<DiffSegment> diff = wordDiff(before, after);
        ASSERT_EQ(oldTextOf(diff), before);
        ASSERT_EQ(newTextOf(diff), after);
        for (std::size_t i = 1; i < diff.size(); ++i) {
            ASSERT_NE(diff[i].kind, diff[i - 1].kind) << before << " | " << after;
            ASSERT_FALSE(diff[i].kind == Kind::Deleted && diff[i - 1].kind == Kind::Inserted);  // deleted first
        }
        ASSERT_EQ(sameTokens(diff), longestCommonSubsequence(tokenStrings(before), tokenStrings(after)))
            << before << " | " << after;
    }
}

TEST(WordDiffTest, LongTextsStayExactWithFewChangesAndFallBackBeyondTheLimit)
{
    std::mt19937 random(7);
    std::vector<std::string> vocabulary;
    for (int i = 0; i < 500; ++i)
        vocabulary.push_back("w" + std::to_string(i));
    const std::string before = words(random, 4000, vocabulary);
    std::string after = before;
    after.insert(after.find(' ', after.size() / 2), " inserted words");
    after.replace(0, after.find(' '), "replaced");

    const auto started = std::chrono::steady_clock::now();
    const std::vector<DiffSegment> diff = wordDiff(before, after);
    const std::vector<DiffSegment> unrelated = wordDiff(before, words(random, 4000, vocabulary));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));

    // Every token but the replaced first word stays.
    EXPECT_EQ(sameTokens(diff), textTokens(before).size() - 1);
    EXPECT_EQ(diff.front(), (DiffSegment{Kind::Deleted, before.substr(0, before.find(' '))}));
    EXPECT_EQ(diff[1], (DiffSegment{Kind::Inserted, "replaced"}));
    // Beyond the limit: one deletion and one insertion between the common beginning and end.
    EXPECT_EQ(unrelated.size(), 2u);
    EXPECT_EQ(oldTextOf(unrelated), before);

    const std::vector<DiffSegment> capped = wordDiff("Open a b c d file now", "Open x y z file now", 10);
    EXPECT_EQ(capped, (std::vector<DiffSegment>{{Kind::Same, "Open "},
                                                {Kind::Deleted, "a b c d"},
                                                {Kind::Inserted, "x y z"},
                                                {Kind::Same, " file now"}}));
}

TEST(WordDiffTest, TheCompactFormKeepsContextNextToEachChange)
{
    const std::vector<DiffSegment> diff =
        wordDiff("one two three four five six seven eight nine ten eleven twelve thirteen fourteen fifteen end",
                 "one two three four five six seven EIGHT nine ten eleven twelve thirteen fourteen fifteen");
    EXPECT_EQ(compactDiff(diff, 4),
              (std::vector<DiffSegment>{{Kind::Same, "\xE2\x80\xA6six seven "},
                                        {Kind::Deleted, "eight"},
                                        {Kind::Inserted, "EIGHT"},
                                        {Kind::Same, " nine ten\xE2\x80\xA6 fourteen fifteen"},
                                        {Kind::Deleted, " end"}}));
    const std::vector<DiffSegment> unchanged = wordDiff("a b c d e f g h i j", "a b c d e f g h i j");
    EXPECT_EQ(compactDiff(unchanged, 2), unchanged);  // nothing to show context for
}

} // namespace qmk
