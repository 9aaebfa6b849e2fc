// The lead- and trail-byte ranges of the double-byte code pages, as glibc's iconv tables have
// them (a test decodes every byte pair through iconv and compares). Lead bytes without any
// assigned character (0x85, 0x86, 0xEB, 0xEC, 0xEF in 932) are not lead bytes; the half-width
// katakana 0xA1-0xDF of 932 are characters of one byte.
#include "parser/DoubleByteCodePage.h"

namespace qmk {
namespace {

using R = DoubleByteCodePage::ByteRange;

constexpr R kJapaneseLead[] = {{0x81, 0x84}, {0x87, 0x9F}, {0xE0, 0xEA}, {0xED, 0xEE}, {0xF0, 0xFC}};
constexpr R kJapaneseTrail[] = {{0x40, 0x7E}, {0x80, 0xFC}};
constexpr R kSimplifiedChineseLead[] = {{0x81, 0xFE}};
constexpr R kSimplifiedChineseTrail[] = {{0x40, 0x7E}, {0x80, 0xFE}};
constexpr R kKoreanLead[] = {{0x81, 0xC8}, {0xCA, 0xFD}};
constexpr R kKoreanTrail[] = {{0x41, 0x5A}, {0x61, 0x7A}, {0x81, 0xFE}};
constexpr R kTraditionalChineseLead[] = {{0xA1, 0xF9}};
constexpr R kTraditionalChineseTrail[] = {{0x40, 0x7E}, {0xA1, 0xFE}};

} // namespace

const DoubleByteCodePage* DoubleByteCodePage::of(int codePage)
{
    static const DoubleByteCodePage japanese(kJapaneseLead, kJapaneseTrail);
    static const DoubleByteCodePage simplifiedChinese(kSimplifiedChineseLead, kSimplifiedChineseTrail);
    static const DoubleByteCodePage korean(kKoreanLead, kKoreanTrail);
    static const DoubleByteCodePage traditionalChinese(kTraditionalChineseLead, kTraditionalChineseTrail);
    switch (codePage) {
    case 932: return &japanese;
    case 936: return &simplifiedChinese;
    case 949: return &korean;
    case 950: return &traditionalChinese;
    default: return nullptr;
    }
}

std::size_t DoubleByteCodePage::characterLength(std::string_view text, std::size_t pos) const
{
    if (pos + 1 < text.size() && isLeadByte(static_cast<unsigned char>(text[pos])) &&
        isTrailByte(static_cast<unsigned char>(text[pos + 1])))
        return 2;
    return 1;
}

} // namespace qmk
