#include <gtest/gtest.h>

#include "project/FileStamp.h"
#include "project/TextCodec.h"

namespace qmk {

TEST(TextCodecTest, SingleByteCodePagesRoundTripThroughUnicode)
{
    const std::string cp1252 = "Gr\xF6\xDF" "e \x80";  // "Größe €"
    auto utf8 = decodeToUtf8(cp1252, 1252);
    ASSERT_TRUE(utf8);
    EXPECT_EQ(*utf8, "Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC");
    EncodeResult back = encodeFromUtf8(*utf8, 1252);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.bytes, cp1252);

    auto cyrillic = decodeToUtf8("\xCF\xF0\xE8", 1251);  // "При"
    ASSERT_TRUE(cyrillic);
    EXPECT_EQ(*cyrillic, "\xD0\x9F\xD1\x80\xD0\xB8");
}

TEST(TextCodecTest, CharactersTheCodePageLacksAreNamedAndNothingIsStored)
{
    // "Привет €" has no place in the Western code page except the euro sign.
    EncodeResult r = encodeFromUtf8("\xD0\x9F\xD1\x80\xD0\x9F \xE2\x82\xAC", 1252);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.bytes.empty());
    EXPECT_EQ(r.unrepresentable, (std::vector<std::string>{"\xD0\x9F", "\xD1\x80"}));
}

TEST(TextCodecTest, Utf8IsValidatedStrictly)
{
    EXPECT_TRUE(isValidUtf8("plain"));
    EXPECT_TRUE(isValidUtf8("\xE6\x97\xA5\xE6\x9C\xAC"));
    EXPECT_FALSE(isValidUtf8("\xC3"));              // cut short
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(isValidUtf8("Gr\xF6\xDF" "e"));    // Western bytes
    EXPECT_FALSE(decodeToUtf8("\xC3", kCodePageUtf8));
}

TEST(TextCodecTest, ProjectCodePageFollowsTheEvidenceInOrder)
{
    EXPECT_EQ(projectCodePage({65001, false, true, false, 1251}), 65001);
    EXPECT_EQ(projectCodePage({1250, true, true, false, 0}), 1250);
    EXPECT_EQ(projectCodePage({1250, true, false, false, 0}), 1250);
    // Bytes that all form UTF-8 are UTF-8 whatever the pragma claims.
    EXPECT_EQ(projectCodePage({1251, false, true, true, 1251}), 65001);
    EXPECT_EQ(projectCodePage({0, true, false, false, 1251}), 65001);
    EXPECT_EQ(projectCodePage({0, false, true, true, 1251}), 65001);
    EXPECT_EQ(projectCodePage({0, false, false, true, 1251}), 1251);  // pure ASCII is not taken for UTF-8
    EXPECT_EQ(projectCodePage({0, false, true, false, 0}), 1252);
}

TEST(FileStampTest, DatesAndTimesArePackedAsTwoWords)
{
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 8;
    t.tm_hour = 14;
    t.tm_min = 30;
    t.tm_sec = 59;
    EXPECT_EQ(packDosDate(t), (46 << 9) | (12 << 5) | 8);
    EXPECT_EQ(packDosTime(t), (14 << 11) | (30 << 5) | 29);
}

} // namespace qmk
