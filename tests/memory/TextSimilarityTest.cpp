// The normal form and the score the memory's matches are ranked by.
#include <gtest/gtest.h>

#include "memory/TextSimilarity.h"

namespace qmk {
namespace {

TEST(TextSimilarity, NormalFormFoldsMnemonicsEscapesCaseAndBlanks)
{
    EXPECT_EQ(normaliseForMemory("  &Open\tthe  FILE...\\n"), "open the file...");
    EXPECT_EQ(normaliseForMemory("Fish && &Chips"), "fish & chips");
    EXPECT_EQ(normaliseForMemory("ÖFFNEN Straße"), "öffnen straße");
    EXPECT_EQ(normaliseForMemory("Line\r\nbreak"), "line break");
    EXPECT_EQ(normaliseForMemory("Path C:\\\\temp"), "path c:\\\\temp");
    EXPECT_EQ(normaliseForMemory("Tab\\there"), "tab here");
}

TEST(TextSimilarity, ScoreIsTheEditRatioWithTheTopTwoKeptForEqualTexts)
{
    EXPECT_EQ(similarityScore("Save", "Save"), 100);
    EXPECT_EQ(similarityScore("&Save", "Save"), 99);
    EXPECT_EQ(similarityScore("abcdefghij", "abcdefghiX"), 90);
    EXPECT_EQ(similarityScore("ab", "ba"), 0);
    EXPECT_LE(similarityScore("Open file", "Open files"), 98);
    // Characters, not bytes: one changed letter of twelve.
    EXPECT_EQ(similarityScore("Datei öffnen", "Datei offnen"), 91);
    EXPECT_EQ(scoreBound(10, 5), 50);
}

TEST(TextSimilarity, TrigramsAreDistinctCharacterTriples)
{
    EXPECT_EQ(trigramsOf("abcabc"), (std::vector<std::string>{"abc", "bca", "cab"}));
    EXPECT_EQ(trigramsOf("äöüß"), (std::vector<std::string>{"äöü", "öüß"}));
    EXPECT_TRUE(trigramsOf("ok").empty());
}

} // namespace
} // namespace qmk
