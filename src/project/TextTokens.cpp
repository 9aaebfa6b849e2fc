// Cutting a display text into tokens, with ICU's character properties for what is a letter,
// a digit, a blank or an ideograph.
#include "project/TextTokens.h"

#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>

namespace qmk {
namespace {

enum class CharClass { Letter, Digit, Mark, Ideograph, Blank, Other };

struct CodePoint {
    UChar32 value = -1;  // negative: a byte that is not valid UTF-8
    std::size_t length = 1;
};

CodePoint codePointAt(std::string_view text, std::size_t at)
{
    if (at >= text.size())
        return {-1, 0};
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data() + at);
    const auto available = static_cast<std::int32_t>(std::min<std::size_t>(text.size() - at, 4));
    std::int32_t length = 0;
    UChar32 value = 0;
    U8_NEXT(bytes, length, available, value);
    return {value, static_cast<std::size_t>(length)};
}

bool isIdeographOrKana(UChar32 c)
{
    return u_hasBinaryProperty(c, UCHAR_IDEOGRAPHIC) || uscript_hasScript(c, USCRIPT_HIRAGANA) ||
           uscript_hasScript(c, USCRIPT_KATAKANA);
}

CharClass classify(UChar32 c)
{
    if (c < 0)
        return CharClass::Other;
    if (c < 0x80) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
            return CharClass::Letter;
        if (c >= '0' && c <= '9')
            return CharClass::Digit;
        return (c == ' ' || (c >= '\t' && c <= '\r')) ? CharClass::Blank : CharClass::Other;
    }
    if (u_isUWhiteSpace(c))
        return CharClass::Blank;
    const std::uint32_t category = U_GET_GC_MASK(c);
    if (category & U_GC_ND_MASK)
        return CharClass::Digit;
    if (category & U_GC_M_MASK)
        return CharClass::Mark;
    if (category & (U_GC_L_MASK | U_GC_NL_MASK))
        return isIdeographOrKana(c) ? CharClass::Ideograph : CharClass::Letter;
    return CharClass::Other;
}

CharClass classAt(std::string_view text, std::size_t at)
{
    return at < text.size() ? classify(codePointAt(text, at).value) : CharClass::Other;
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The length of the escape at `at` (a backslash): "\x" with up to four hexadecimal digits (wide
// strings take four), up to three octal digits, or the one character after the backslash.
std::size_t escapeLength(std::string_view text, std::size_t at)
{
    const char next = text[at + 1];
    std::size_t end = at + 2;
    if (next == 'x' || next == 'X') {
        while (end < text.size() && end < at + 6 && isHexDigit(text[end]))
            ++end;
        return end - at;
    }
    if (next >= '0' && next <= '7') {
        while (end < text.size() && end < at + 4 && text[end] >= '0' && text[end] <= '7')
            ++end;
        return end - at;
    }
    return 1 + codePointAt(text, at + 1).length;
}

// A character that stays inside a word between two others: an apostrophe or a hyphen between
// letters ("don't", "e-mail"), a decimal point or a thousands comma between digits.
bool joinsWord(UChar32 c, CharClass before, CharClass after)
{
    if (c == '\'' || c == 0x2019 || c == '-' || c == 0x2010)
        return before == CharClass::Letter && after == CharClass::Letter;
    if (c == '.' || c == ',')
        return before == CharClass::Digit && after == CharClass::Digit;
    return false;
}

std::size_t wordLength(std::string_view text, std::size_t at, CharClass first)
{
    CharClass last = first == CharClass::Mark ? CharClass::Letter : first;
    std::size_t end = at + codePointAt(text, at).length;
    while (end < text.size()) {
        const CodePoint c = codePointAt(text, end);
        const CharClass kind = classify(c.value);
        if (kind == CharClass::Letter || kind == CharClass::Digit || kind == CharClass::Mark) {
            if (kind != CharClass::Mark)
                last = kind;
            end += c.length;
            continue;
        }
        const CharClass after = classAt(text, end + c.length);
        if (!joinsWord(c.value, last, after))
            break;
        end += c.length;
    }
    return end - at;
}

std::size_t runLength(std::string_view text, std::size_t at, CharClass kind)
{
    std::size_t end = at;
    while (end < text.size()) {
        const CodePoint c = codePointAt(text, end);
        if (classify(c.value) != kind)
            break;
        end += c.length;
    }
    return end - at;
}

} // namespace

std::vector<TextToken> textTokens(std::string_view utf8)
{
    std::vector<TextToken> tokens;
    std::size_t at = 0;
    while (at < utf8.size()) {
        const CodePoint c = codePointAt(utf8, at);
        const CharClass kind = classify(c.value);
        TextToken token{TokenKind::Punctuation, {}};
        std::size_t length = c.length;
        if (utf8[at] == '\\' && at + 1 < utf8.size()) {
            token.kind = TokenKind::Escape;
            length = escapeLength(utf8, at);
        } else if (kind == CharClass::Blank) {
            token.kind = TokenKind::Blank;
            length = runLength(utf8, at, CharClass::Blank);
        } else if (kind == CharClass::Ideograph) {
            // Combining marks (a kana's voicing mark) stay with their character.
            token.kind = TokenKind::Ideograph;
            length += runLength(utf8, at + length, CharClass::Mark);
        } else if (kind == CharClass::Letter || kind == CharClass::Digit || kind == CharClass::Mark) {
            token.kind = TokenKind::Word;
            length = wordLength(utf8, at, kind);
        }
        token.text = utf8.substr(at, length);
        tokens.push_back(token);
        at += length;
    }
    return tokens;
}

} // namespace qmk
