// Finding a glossary's terms in a text. A term is found where its words stand in the text one
// after the other on word boundaries, case and access-key marks ("&") not counting. The terms
// are held in memory by their first word, so a text costs one hash lookup per word of it
// however large the glossary.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "memory/Glossary.h"

namespace qmk {

// A word of a UTF-8 text: its case-folded form and the bytes it takes in the text (an access
// key's "&" inside it among them). Words are runs of letters, digits and marks; an apostrophe
// or hyphen between two letters stays inside the word ("don't", "e-mail").
struct TextWord {
    std::string folded;
    std::size_t begin = 0;
    std::size_t end = 0;
};
std::vector<TextWord> textWords(std::string_view utf8);

// Whether the words of `phrase` stand one after the other among `words`.
bool containsPhrase(const std::vector<TextWord>& words, std::string_view phrase);

// The other forms a folded word may stand for: the stems a dictionary of the text's language
// knows for it ("bookmarks" -> "bookmark"), folded; none where it knows none.
using WordStems = std::function<std::vector<std::string>(const std::string& folded)>;

struct TermHit {
    std::size_t term = 0;  // index into TermIndex::terms()
    std::size_t begin = 0;  // bytes of the text the term takes
    std::size_t end = 0;
};

class TermIndex {
public:
    struct Term {
        std::vector<std::string> words;     // folded
        std::vector<GlossaryEntry> entries;  // one per language (or several sources of one term)
    };

    TermIndex() = default;
    explicit TermIndex(const std::vector<GlossaryEntry>& entries);

    // The terms in the text, in its order; where terms overlap the longest one starting first.
    std::vector<TermHit> find(std::string_view text) const;
    std::vector<TermHit> find(const std::vector<TextWord>& words) const;
    // The same, a word of the text also standing for its stems (a term's words are taken as
    // written): "Bookmarks" finds the term "bookmark".
    std::vector<TermHit> find(std::string_view text, const WordStems& stems) const;

    const std::vector<Term>& terms() const { return terms_; }
    bool empty() const { return terms_.empty(); }

private:
    // The longest term starting at `at`, whose k-th word is one of forms[at + k].
    std::vector<TermHit> findAmong(const std::vector<TextWord>& words,
                                   const std::vector<std::vector<std::string>>& forms) const;

    std::vector<Term> terms_;
    // First word -> terms starting with it, the longest first.
    std::unordered_map<std::string, std::vector<std::size_t>> byFirstWord_;
};

} // namespace qmk
