// The form in which searches compare texts: every code point of a UTF-8 text written again as
// UTF-8, lower-cased where case is ignored. A pattern occurs in a text exactly when its form
// occurs in the text's form byte for byte, so the Text Table keeps the folded forms of its
// cells and the filter and Find look for bytes instead of decoding every cell on every search.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qmk {

// The text's form: bytes that start no complete sequence stand for U+FFFD, as in the search's
// reading of a text. A valid UTF-8 text is its own unfolded form.
std::string searchForm(std::string_view utf8, bool foldCase);
// Appends the form to `out` (the Text Table builds a row's forms one after the other).
void appendSearchForm(std::string& out, std::string_view utf8, bool foldCase);

// The byte offset of the first occurrence at or after byte `from` of `pattern` in `text`,
// both forms of the same folding; with `wholeWord` only an occurrence with no letter or digit
// on either side counts. npos when none does or the pattern is empty.
std::size_t findInSearchForm(std::string_view text, std::string_view pattern, bool wholeWord, std::size_t from = 0);

// Code points of a form before byte `offset`, and the byte where code point `index` starts
// (the form's size when it has fewer).
int codePointsBefore(std::string_view form, std::size_t offset);
std::size_t byteOfCodePoint(std::string_view form, int index);

} // namespace qmk
