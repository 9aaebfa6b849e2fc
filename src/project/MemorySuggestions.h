// What the translation memory offers for one text of a project: the best matches in the
// translation's language, each with its score, whether it is exact (the same source text, made
// for the same kind of item), where it came from, the translation as the bar shows it, and how
// its source differs from this text's source.
#pragma once

#include <optional>
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

// What a lookup asks, taken from the project beforehand, so that the lookup itself needs no
// project and may run away from the window's thread.
struct MemoryQuery {
    std::string source;          // the text in its platform form
    std::string sourceLanguage;  // "en-US"
    std::string targetLanguage;
    std::string itemType;        // "Stringtable String": an exact match is made for the same kind
};

// The query for the line's text in `language`; none when the line shows no text.
std::optional<MemoryQuery> memoryQuery(CQuillDoc& doc, int lineIndex, LanguageId language);

// The suggestions for the query, best first (at most kSuggestionCount, scoring at least
// `minimumScore`). Throws MemoryError when the memory fails.
std::vector<MemorySuggestion> memorySuggestions(const MemoryQuery& query, TranslationMemory& memory, int minimumScore);
std::vector<MemorySuggestion> memorySuggestions(CQuillDoc& doc, TranslationMemory& memory, int lineIndex,
                                                LanguageId language, int minimumScore);

} // namespace qmk
