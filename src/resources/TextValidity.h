// Whether text from outside can be taken as it is: every text the translation memory and the
// exchange files carry is UTF-8, and every text an XML file carries must be an XML character.
// Each check names the first fault in words a report can show.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qmk {

// Offset of the first byte that is no part of a well-formed UTF-8 sequence (overlong forms and
// surrogates included), or npos when all of `text` is UTF-8.
std::size_t invalidUtf8Offset(std::string_view text);

// Why `text` is no UTF-8 ("invalid UTF-8 (bytes FF FE) at offset 6"); empty when it is.
std::string utf8Problem(std::string_view text);

// Why `text` cannot be written into an XML 1.0 file as characters: no UTF-8, a control
// character other than tab, line feed and carriage return, or U+FFFE or U+FFFF; empty when it can.
std::string xmlTextProblem(std::string_view text);

// `text` as a report line or an XML file can carry it: bytes that are no UTF-8 and control
// characters shown as "\xFF", U+FFFE and U+FFFF as "\uFFFE", everything else as it is.
std::string printableText(std::string_view text);

} // namespace qmk
