// A display text (UTF-8, with its script escapes) cut into words, blanks, escapes and single
// punctuation characters: the units the word diff compares and the word count counts.
#pragma once

#include <string_view>
#include <vector>

namespace qmk {

enum class TokenKind {
    Word,         // letters and digits; "don't", "e-mail" and "1,234.5" are one word each
    Ideograph,    // one CJK ideograph or kana: a word of its own, as no blank parts them
    Blank,        // a run of white space
    Escape,       // a script escape as written: "\n", "\t", "\\", "\x41", "\012"
    Punctuation,  // any other single character, and a byte that is not valid UTF-8
};

struct TextToken {
    TokenKind kind = TokenKind::Punctuation;
    std::string_view text;  // a view into the text that was cut
    bool operator==(const TextToken&) const = default;
};

// The tokens in order; their texts put together give the text back byte for byte.
std::vector<TextToken> textTokens(std::string_view utf8);

} // namespace qmk
