// What the translation memory offers for one text of a project: the best matches in the
// translation's language, each with its score, whether it is exact (the same source text, made
// for the same kind of item), where it came from, the translation as the bar shows it, and how
// its source differs from this text's source.
#pragma once

#include <string>
#include <vector>

#include "database/ProjectRows.h"
#include "project/WordDiff.h"

namespace qmk {

class CQuillDoc;
class TranslationMemory;

struct MemorySuggestion {
    int score = 0;
    bool exact = false;
    std::string translation;       // the bar's display form
    std::string matchSource;       // the match's source text
    std::string origin;            // "app.rc: IDD_ABOUT IDOK" and "(to review)" when flagged
    std::vector<DiffSegment> diff; // from the match's source to this text's source
};

inline constexpr int kSuggestionCount = 5;

// The suggestions for the line's text in `language`, best first (at most kSuggestionCount,
// scoring at least `minimumScore`). Throws MemoryError when the memory fails.
std::vector<MemorySuggestion> memorySuggestions(CQuillDoc& doc, TranslationMemory& memory, int lineIndex,
                                                LanguageId language, int minimumScore);

} // namespace qmk
