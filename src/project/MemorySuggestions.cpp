// Suggestions from the translation memory for one text.
#include "project/MemorySuggestions.h"

#include "memory/TranslationMemory.h"
#include "parser/LanguageTags.h"
#include "project/CQuillDoc.h"
#include "project/ItemTypes.h"
#include "project/SourceLanguageTag.h"
#include "project/TranslationForm.h"

namespace qmk {

std::optional<MemoryQuery> memoryQuery(CQuillDoc& doc, int lineIndex, LanguageId language)
{
    const TextTableRows& rows = doc.rows();
    const int row = rows.rowOfLineIndex(lineIndex);
    if (row < 0)
        return std::nullopt;
    std::string source = toPlatformForm(rows.displayText(row, TextTableColumns::SourceColumn));
    if (source.empty())
        return std::nullopt;
    return MemoryQuery{std::move(source), sourceLanguageTag(doc), languageTag(language),
                       std::string(itemTypeDisplayName(rows.item(row).itemType))};
}

std::vector<MemorySuggestion> memorySuggestions(const MemoryQuery& query, TranslationMemory& memory, int minimumScore)
{
    std::vector<MemorySuggestion> out;
    for (const MemoryMatch& match :
         memory.lookup(query.source, query.sourceLanguage, query.targetLanguage, kSuggestionCount, minimumScore)) {
        MemorySuggestion s;
        s.score = match.score;
        s.exact = match.score == 100 && match.unit.resourceType == query.itemType;
        s.translation = toDisplayForm(toStoredForm(match.unit.target));
        s.matchSource = match.unit.source;
        s.origin = match.unit.project + (match.unit.project.empty() ? "" : ": ") + match.unit.resourceId +
                   (match.unit.flagged ? " (to review)" : "");
        s.diff = compactDiff(wordDiff(match.unit.source, query.source));
        out.push_back(std::move(s));
    }
    return out;
}

std::vector<MemorySuggestion> memorySuggestions(CQuillDoc& doc, TranslationMemory& memory, int lineIndex,
                                                LanguageId language, int minimumScore)
{
    const std::optional<MemoryQuery> query = memoryQuery(doc, lineIndex, language);
    return query ? memorySuggestions(*query, memory, minimumScore) : std::vector<MemorySuggestion>{};
}

} // namespace qmk
