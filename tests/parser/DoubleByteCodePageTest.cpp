// The lead and trail bytes of the double-byte code pages against glibc's iconv tables, and what
// they mean for the strings the reader takes apart.
#include <gtest/gtest.h>

#include "ParseHelpers.h"
#include "parser/DoubleByteCodePage.h"
#include "project/TextCodec.h"

namespace qmk {
namespace {

// Characters iconv reads in the bytes (its UTF-8 lead bytes), or -1.
int characters(std::string bytes, int codePage)
{
    const std::optional<std::string> utf8 = decodeToUtf8(bytes, codePage);
    return utf8 ? static_cast<int>(std::count_if(utf8->begin(), utf8->end(), [](char c) { return (c & 0xC0) != 0x80; }))
                : -1;
}

TEST(DoubleByteCodePageTest, LeadAndTrailBytesAreThoseOfIconv)
{
    for (int codePage : {932, 936, 949, 950}) {
        const DoubleByteCodePage* table = DoubleByteCodePage::of(codePage);
        ASSERT_NE(table, nullptr);
        std::bitset<256> lead, trail;
        for (int a = 0x80; a < 256; ++a)
            for (int b = 0; b < 256 && characters({char(a)}, codePage) != 1; ++b)
                if (const std::string pair{char(a), char(b)}; characters(pair, codePage) == 1) {
                    lead.set(a);
                    trail.set(b);
                    ASSERT_EQ(table->characterLength(pair, 0), 2u) << codePage << ' ' << a << ' ' << b;
                }
        for (int c = 0; c < 256; ++c) {
            EXPECT_EQ(table->isLeadByte(c), lead[c]) << codePage << ' ' << c;
            EXPECT_EQ(table->isTrailByte(c), trail[c]) << codePage << ' ' << c;
        }
        // A lead byte before a byte that cannot end its character stands alone.
        EXPECT_EQ(table->characterLength("\x81\"", 0), 1u);
    }
    EXPECT_EQ(DoubleByteCodePage::of(1252), nullptr);
    EXPECT_EQ(DoubleByteCodePage::of(65001), nullptr);
}

TEST(DoubleByteCodePageTest, StringsEndAtTheirQuoteWhateverTheBytesBeforeIt)
{
    // "ｷｬﾝｾﾙ" ends in 0xD9, which once passed for a lead byte and took the closing quote;
    // 0x955C (932), 0x815C (936) and 0xA55C (950) end in a backslash that escapes nothing.
    auto s = test::parseContent("#pragma code_page(932)\nSTRINGTABLE\nBEGIN\n  1 \"\xB7\xAC\xDD\xBE\xD9\"\n"
                                "  2 \"\x95\\\xA6\"\nEND\n#pragma code_page(936)\nSTRINGTABLE\nBEGIN\n  3 \"\x81\\\"\nEND\n"
                                "#pragma code_page(950)\nSTRINGTABLE\nBEGIN\n  4 \"\xA5\\\"\n  5 \"b\"\nEND\n");
    std::vector<std::string> strings;
    for (const test::Statement& st : s)
        if (st.kind == 70)
            strings.push_back(st.string);
    EXPECT_EQ(strings, (std::vector<std::string>{"\xB7\xAC\xDD\xBE\xD9", "\x95\\\xA6", "\x81\\", "\xA5\\", "b"}));

    // A file whose bytes are UTF-8 is read as UTF-8 under any pragma: the last byte of "ぁ"
    // (E3 81 81) would take the first backslash of the escaped one as a 932 trail byte.
    auto u = test::parseContent("#pragma code_page(932)\nSTRINGTABLE\nBEGIN\n  1 \"\xE3\x81\x81\\\\\"\n  2 \"b\"\nEND\n");
    ASSERT_EQ(u.size(), 4u);
    EXPECT_EQ(u[2].string, "\xE3\x81\x81\\\\");
}

} // namespace
} // namespace qmk
