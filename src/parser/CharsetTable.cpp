// The 17-row character-set table and its look-ups (linear, first match wins).
// Only Greek and Cyrillic need a font of their own.
#include "parser/CharsetTable.h"

#include "parser/LanguageTable.h"
#include "resources/Messages.h"

namespace qmk {
namespace {

constexpr CharsetRow kCharsets[] = {
    {0x01, msg::CharsetListEntry, "Arial"},
    {0x00, msg::CharsetAnsiWestern, "Arial"},
    {0x02, msg::CharsetSymbol, "Arial"},
    {0x80, msg::CharsetShiftJis, "Arial"},
    {0x81, msg::CharsetHangeul, "Arial"},
    {0x86, msg::CharsetGb2312, "Arial"},
    {0x88, msg::CharsetChineseBig5, "Arial"},
    {0xFF, msg::CharsetOem, "Arial"},
    {0x82, msg::CharsetJohab, "Arial"},
    {0xB1, msg::CharsetHebrew, "Arial"},
    {0xB2, msg::CharsetArabic, "Arial"},
    {0xA1, msg::CharsetGreek, "Arial Greek"},
    {0xA2, msg::CharsetTurkish, "Arial"},
    {0xA3, msg::CharsetVietnamese, "Arial"},
    {0xDE, msg::CharsetThai, "Arial"},
    {0xEE, msg::CharsetEastEurope, "Arial"},
    {0xCC, msg::CharsetCyrillic, "Arial Cyr"},
};

} // namespace

std::span<const CharsetRow> charsetRows()
{
    return kCharsets;
}

int findCharsetRow(int charset)
{
    for (std::size_t i = 0; i < std::size(kCharsets); ++i)
        if (kCharsets[i].charset == charset)
            return static_cast<int>(i);
    return -1;
}

int charsetTextId(int charset)
{
    int index = findCharsetRow(charset);
    return index < 0 ? -1 : kCharsets[index].textId;
}

std::string_view charsetName(int charset)
{
    if (charset == kDefaultCharset)
        return {};
    int id = charsetTextId(charset);
    return id < 0 ? std::string_view{} : messageText(id);
}

std::string_view defaultFont(int language, int sublanguage)
{
    int charset = languageCharset(language, sublanguage);
    if (charset == kDefaultCharset)
        return {};
    int index = findCharsetRow(charset);
    return index < 0 ? std::string_view{} : kCharsets[index].fontFace;
}

} // namespace qmk
