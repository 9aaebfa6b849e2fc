// Word counts for a project's statistics, counted the way translation quotes count them, and
// how many texts and source words of a translation are translated, flagged or still open.
#pragma once

#include <string_view>

#include "database/ProjectRows.h"
#include "project/SlicedJob.h"

namespace qmk {

class TextTableRows;

// The words of a display text (UTF-8 as the Text Table shows it): runs of letters and digits,
// numbers included; an access-key "&" and escapes ("\t", "\n") part nothing and count nothing;
// each CJK ideograph or kana is a word of its own.
int countWords(std::string_view utf8);

struct WordTally {
    int texts = 0;
    long long words = 0;  // of the source texts
    bool operator==(const WordTally&) const = default;
};

// A translation's texts over the rows of the Text Table, excluded texts left out. As in the
// gauge, a flagged text counts as flagged whatever it holds; a translated one is not flagged
// and not empty.
struct TranslationWordCounts {
    WordTally translated;
    WordTally flagged;
    WordTally untranslated;
    WordTally total() const;
};

// Source words are counted in the rows' display form (their column code pages decoded).
TranslationWordCounts translationWordCounts(const TextTableRows& rows, LanguageId language);

// Counts the source words of every row in slices, so that the statistics after it add up
// counts at hand. Rows that come or change between slices are counted too: it is done only
// when every row is.
class SourceWordCounting : public SlicedJob {
public:
    explicit SourceWordCounting(const TextTableRows& rows) : rows_(rows) {}
    JobProgress step(Budget budget) override;

private:
    const TextTableRows& rows_;
    int next_ = 0;
};

} // namespace qmk
