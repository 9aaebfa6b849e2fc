// The escape that workbook files use for characters XML cannot carry: "_xHHHH_" stands for the
// UTF-16 code unit HHHH (so "_x000D_" is a carriage return), and "_x005F_" for a literal "_".
#pragma once

#include <string>
#include <string_view>

namespace qmk {

// Replaces every "_xHHHH_" by its character (a surrogate pair of two escapes by one character).
// An escape of a lone surrogate is left as it stands, so the result stays valid UTF-8.
std::string decodeOoxmlEscapes(std::string_view text);

// Protects text that happens to contain "_xHHHH_" by escaping its underscore, so that a reader
// that decodes the escapes gets the text back unchanged.
std::string protectOoxmlEscapes(std::string_view text);


} // namespace qmk
