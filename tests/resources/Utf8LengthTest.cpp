// Lengths in UTF-8 text: a character's bytes from its first, and the characters of a text, both
// stepping through bytes that are no UTF-8 without losing their place.
#include <gtest/gtest.h>

#include "resources/Utf8Length.h"

namespace qmk {
namespace {

TEST(Utf8LengthTest, ACharacterTakesTheBytesItsFirstByteAnnounces)
{
    EXPECT_EQ(utf8Length(static_cast<unsigned char>('a')), 1u);
    EXPECT_EQ(utf8Length(static_cast<unsigned char>(0xC3)), 2u);  // ä
    EXPECT_EQ(utf8Length(static_cast<unsigned char>(0xE2)), 3u);  // €
    EXPECT_EQ(utf8Length(static_cast<unsigned char>(0xF0)), 4u);  // 😀
    // A continuation byte met on its own is one character of one byte.
    EXPECT_EQ(utf8Length(static_cast<unsigned char>(0x80)), 1u);
}

TEST(Utf8LengthTest, ATextCountsItsCharactersNotItsBytes)
{
    EXPECT_EQ(utf8Length(std::string_view("")), 0u);
    EXPECT_EQ(utf8Length(std::string_view("abc")), 3u);
    EXPECT_EQ(utf8Length(std::string_view("\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80")), 3u);  // ä€😀
    EXPECT_EQ(utf8Length(std::string_view("a\xFF" "b")), 3u);  // a byte that is no UTF-8 counts once
}

} // namespace
} // namespace qmk
