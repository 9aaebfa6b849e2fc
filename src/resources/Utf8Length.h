// Lengths in UTF-8 text: how many bytes a character takes, read from its first byte, and how
// many characters a text holds. Both are lenient: a byte that starts no sequence counts as one
// character of one byte, so text that is not valid UTF-8 is stepped through without stopping.
#pragma once

#include <cstddef>
#include <string_view>

namespace qmk {

// The bytes of the character `lead` starts: 1 to 4 (1 for ASCII, a continuation byte or any
// byte below 0xC0).
std::size_t utf8Length(unsigned char lead);

// The characters (code points) of `text`: every byte that is not a continuation byte.
std::size_t utf8Length(std::string_view text);

} // namespace qmk
