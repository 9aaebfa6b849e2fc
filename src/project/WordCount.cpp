// Counting words of display texts, and the word statistics of a translation.
#include "project/WordCount.h"

#include <string>

#include "project/TextTableRows.h"
#include "project/TextTokens.h"

namespace qmk {
namespace {

// The text without its access-key marks: "&File" and "Fi&le" are "File", "&&" stays one "&".
// Escapes are copied whole, so "\\&x" keeps its backslashes and loses the mark.
std::string withoutAccessKeys(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            out += text[i];
            out += text[++i];
        } else if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&')
                out += text[++i];
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

int countWords(std::string_view utf8)
{
    int words = 0;
    const std::string text = withoutAccessKeys(utf8);
    for (const TextToken& token : textTokens(text))
        if (token.kind == TokenKind::Word || token.kind == TokenKind::Ideograph)
            ++words;
    return words;
}

WordTally TranslationWordCounts::total() const
{
    return {translated.texts + flagged.texts + untranslated.texts,
            translated.words + flagged.words + untranslated.words};
}

TranslationWordCounts translationWordCounts(const TextTableRows& rows, LanguageId language)
{
    TranslationWordCounts counts;
    const int column = rows.columns().columnOfLanguage(language);
    for (int row = 0; row < rows.rowCount(); ++row) {
        const CObjectData& item = rows.item(row);
        if (item.excluded)
            continue;
        WordTally* tally = &counts.untranslated;
        if (item.isModified(language))
            tally = &counts.flagged;
        else if (column >= 0 && !rows.row(row).cell(column).empty())
            tally = &counts.translated;
        ++tally->texts;
        tally->words += rows.sourceWords(row);
    }
    return counts;
}

JobProgress SourceWordCounting::step(Budget budget)
{
    const SliceDeadline deadline(budget);
    constexpr int kRowsBetweenClockReads = 64;
    for (;;) {
        const int end = rows_.rowCount();
        while (next_ < end) {
            rows_.sourceWords(next_++);
            if (next_ % kRowsBetweenClockReads == 0 && deadline.passed())
                return {false, static_cast<std::size_t>(next_), static_cast<std::size_t>(end)};
        }
        if (rows_.sourceWordsCounted())
            return {true, static_cast<std::size_t>(end), static_cast<std::size_t>(end)};
        next_ = 0;  // rows came or were refilled meanwhile
    }
}

} // namespace qmk
