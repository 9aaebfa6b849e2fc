// How alike two source texts are for the translation memory: both are folded to a plain form
// (mnemonic markers, escapes, letter case and runs of blanks do not count) and compared
// character by character.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qmk {

// "&Open the  File...\t" -> "open the file...": one "&" of a mnemonic goes ("&&" stays one "&"),
// line breaks, tabs and their escapes (\n, \r, \t) become blanks, letters lower case (Unicode),
// runs of blanks one blank, none at either end.
std::string normaliseForMemory(std::string_view text);

// The match score of two texts: 100 when equal, 99 when their normal forms are equal, else
// 100 * (1 - edits / longer length) over the normal forms' characters, at most 98.
int similarityScore(std::string_view a, std::string_view b);
// The same over texts already normalised (`rawEqual`: the texts before normalising were equal).
int normalisedSimilarity(std::string_view a, std::string_view b, bool rawEqual);
// The best score two normal forms of these lengths (in characters) can reach.
int scoreBound(std::size_t lengthA, std::size_t lengthB);

// The distinct character trigrams of a normal form, in order of first appearance (UTF-8).
std::vector<std::string> trigramsOf(std::string_view normalised);
// A 64-bit hash of a text (exact matches are found through it).
std::int64_t textHash(std::string_view text);
// Number of characters of a UTF-8 text.
std::size_t characterCount(std::string_view text);

} // namespace qmk
