// The search form of a text: decoding, case folding and word boundaries in Unicode.
#include "project/SearchForm.h"

#include "parser/ScriptEncoding.h"

namespace qmk {
namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The code point at byte i, i moved past it. A lead byte whose sequence the text cuts short,
// and any other byte above 127 that starts no sequence, reads as U+FFFD on its own.
char32_t nextCodePoint(std::string_view text, std::size_t& i)
{
    const auto b = static_cast<unsigned char>(text[i]);
    const std::size_t length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 1;
    if (length == 1 || i + length > text.size()) {
        ++i;
        return b < 0x80 ? b : 0xFFFD;
    }
    char32_t c = b & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k)
        c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += length;
    return c;
}

// Lower case for the scripts translators meet most: Latin, Greek and Cyrillic.
char32_t folded(char32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 32;
    if (c < 0x80)
        return c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return c + 32;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) || (c >= 0x460 && c <= 0x4FF))
        return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) ? c + 1 : c;
    return c;
}

// Folding keeps a letter a letter, so a folded form has its word boundaries where the text has.
bool isWordCharacter(char32_t c)
{
    if (c < 0x80)
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (c < 0xC0 || c == 0xD7 || c == 0xF7)
        return false;
    return !((c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F));
}

bool wordCharacterBefore(std::string_view form, std::size_t offset)
{
    if (offset == 0)
        return false;
    std::size_t start = offset - 1;
    while (start > 0 && isContinuation(static_cast<unsigned char>(form[start])))
        --start;
    return isWordCharacter(nextCodePoint(form, start));
}

bool wordCharacterAt(std::string_view form, std::size_t offset)
{
    return offset < form.size() && isWordCharacter(nextCodePoint(form, offset));
}

} // namespace

void appendSearchForm(std::string& out, std::string_view utf8, bool foldCase)
{
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            out += static_cast<char>(foldCase && byte >= 'A' && byte <= 'Z' ? byte + 32 : byte);
            ++i;
            continue;
        }
        const char32_t c = nextCodePoint(utf8, i);
        appendUtf8(out, foldCase ? folded(c) : c);
    }
}

std::string searchForm(std::string_view utf8, bool foldCase)
{
    std::string form;
    form.reserve(utf8.size());
    appendSearchForm(form, utf8, foldCase);
    return form;
}

std::size_t findInSearchForm(std::string_view text, std::string_view pattern, bool wholeWord, std::size_t from)
{
    if (pattern.empty())
        return std::string_view::npos;
    // A form's sequences are whole: an occurrence begins and ends on code point boundaries.
    for (std::size_t at = text.find(pattern, from); at != std::string_view::npos; at = text.find(pattern, at + 1))
        if (!wholeWord || (!wordCharacterBefore(text, at) && !wordCharacterAt(text, at + pattern.size())))
            return at;
    return std::string_view::npos;
}

int codePointsBefore(std::string_view form, std::size_t offset)
{
    int count = 0;
    for (std::size_t i = 0; i < offset && i < form.size(); ++i)
        count += isContinuation(static_cast<unsigned char>(form[i])) ? 0 : 1;
    return count;
}

std::size_t byteOfCodePoint(std::string_view form, int index)
{
    std::size_t i = 0;
    for (int n = 0; n < index && i < form.size(); ++n)
        nextCodePoint(form, i);
    return i;
}

} // namespace qmk
