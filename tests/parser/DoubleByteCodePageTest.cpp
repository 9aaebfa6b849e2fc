// The lead and trail bytes of the double-byte code pages against glibc's iconv tables, and
// what they mean for the strings the reader takes apart.
#include <gtest/gtest.h>

#include <iconv.h>

#include <array>
#include <string>

#include "ParseHelpers.h"
#include "parser/DoubleByteCodePage.h"

namespace qmk {
namespace {

// How iconv reads a code page: per byte sequence, the number of characters, or -1.
class IconvDecoder {
public:
    explicit IconvDecoder(int codePage) : cd_(iconv_open("UTF-32LE", ("CP" + std::to_string(codePage)).c_str())) {}
    ~IconvDecoder()
    {
        if (valid())
            iconv_close(cd_);
    }
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    int characters(std::string bytes)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::array<char, 32> out{};
        char* in = bytes.data();
        char* to = out.data();
        std::size_t inLeft = bytes.size(), outLeft = out.size();
        if (iconv(cd_, &in, &inLeft, &to, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0)
            return -1;
        return static_cast<int>((out.size() - outLeft) / 4);
    }

private:
    iconv_t cd_;
};

std::string bytes(int a, int b = -1)
{
    std::string s(1, static_cast<char>(a));
    if (b >= 0)
        s += static_cast<char>(b);
    return s;
}

class DoubleByteCodePageTest : public testing::TestWithParam<int> {};

TEST_P(DoubleByteCodePageTest, LeadAndTrailBytesAreThoseOfIconv)
{
    IconvDecoder iconv(GetParam());
    if (!iconv.valid())
        GTEST_SKIP() << "iconv lacks CP" << GetParam();
    const DoubleByteCodePage* table = DoubleByteCodePage::of(GetParam());
    ASSERT_NE(table, nullptr);
    std::array<bool, 256> lead{}, trail{};
    for (int a = 0; a < 256; ++a) {
        const bool single = iconv.characters(bytes(a)) == 1;
        for (int b = 0; b < 256; ++b) {
            const std::string pair = bytes(a, b);
            if (!single && iconv.characters(pair) == 1) {
                lead[static_cast<std::size_t>(a)] = trail[static_cast<std::size_t>(b)] = true;
                ASSERT_EQ(table->characterLength(pair, 0), 2u) << std::hex << a << ' ' << b;
            }
        }
    }
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(table->isLeadByte(static_cast<unsigned char>(c)), lead[static_cast<std::size_t>(c)]) << std::hex << c;
        EXPECT_EQ(table->isTrailByte(static_cast<unsigned char>(c)), trail[static_cast<std::size_t>(c)]) << std::hex << c;
    }
    // A lead byte before a byte that cannot end its character stands alone.
    EXPECT_EQ(table->characterLength(bytes(0x81, '"'), 0), 1u);
    EXPECT_EQ(table->characterLength(bytes(0x81), 0), 1u);
}

INSTANTIATE_TEST_SUITE_P(CodePages, DoubleByteCodePageTest, testing::Values(932, 936, 949, 950));

TEST(DoubleByteCodePageTest, SingleByteAndUnicodeCodePagesHaveNoTable)
{
    for (int codePage : {0, 437, 1252, 1251, 65001, 1200})
        EXPECT_EQ(DoubleByteCodePage::of(codePage), nullptr) << codePage;
}

TEST(DoubleByteStringTest, HalfWidthKatakanaBeforeTheClosingQuoteAreSingleCharacters)
{
    // "ｷｬﾝｾﾙ": its last byte 0xD9 once passed for a lead byte and took the closing quote.
    auto s = test::parseContent("#pragma code_page(932)\nD DIALOGEX 0, 0, 100, 50\nBEGIN\n"
                                "  PUSHBUTTON \"\xB7\xAC\xDD\xBE\xD9\", 2, 5, 5, 40, 14\n"
                                "  LTEXT \"\x95\\\xA6\", 3, 5, 25, 40, 8\nEND\n");
    ASSERT_EQ(s.size(), 4u);
    EXPECT_GE(s[2].error, 0);
    EXPECT_EQ(s[2].kind, 23);
    EXPECT_EQ(s[2].string, "\xB7\xAC\xDD\xBE\xD9");
    EXPECT_EQ(s[2].symbol, "2");
    EXPECT_EQ(s[3].string, "\x95\\\xA6");  // 0x955C is one character, 0xA6 a katakana after it
}

TEST(DoubleByteStringTest, ATrailBackslashStaysInTheString)
{
    // One character per code page whose trail byte is 0x5C (a backslash); Korean has no
    // trail bytes below 0x41.
    const std::pair<int, std::string> cases[] = {{932, "\x95\\"}, {936, "\x81\\"}, {950, "\xA5\\"}};
    for (const auto& [codePage, character] : cases) {
        auto s = test::parseContent("#pragma code_page(" + std::to_string(codePage) + ")\nSTRINGTABLE\nBEGIN\n  1 \"" +
                                    character + "\"\n  2 \"b\"\nEND\n");
        ASSERT_EQ(s.size(), 4u) << codePage;
        EXPECT_EQ(s[2].string, character) << codePage;
        EXPECT_EQ(s[3].string, "b") << codePage;
    }
}

TEST(DoubleByteStringTest, AUtf8FileUnderADoubleBytePragmaIsReadAsUtf8)
{
    // The last byte of "ぁ" (E3 81 81) is a lead byte of 932: read as 932 it would take the
    // first backslash of the escaped one, and the second would escape the closing quote.
    auto s = test::parseContent("#pragma code_page(932)\nSTRINGTABLE\nBEGIN\n  1 \"\xE3\x81\x81\\\\\"\n  2 \"b\"\nEND\n");
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[2].string, "\xE3\x81\x81\\\\");
    EXPECT_EQ(s[3].string, "b");
}

} // namespace
} // namespace qmk
