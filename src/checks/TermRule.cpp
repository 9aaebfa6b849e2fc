// The glossary's check over one text.
#include "checks/TermRule.h"

#include "resources/CheckTexts.h"
#include "resources/Messages.h"

namespace qmk {
namespace {

std::string quotedChoices(const GlossaryEntry& entry)
{
    std::string text = "'" + entry.translation + "'";
    for (const std::string& variant : entry.variants)
        text += " or '" + variant + "'";
    return text;
}

std::optional<std::string> judge(const GlossaryEntry& entry, const std::vector<TextWord>& translated)
{
    for (const std::string& forbidden : entry.forbidden)
        if (containsPhrase(translated, forbidden))
            return fillPlaceholders(txt::CheckTermForbidden, {forbidden, entry.term, quotedChoices(entry)});
    if (entry.translation.empty() || containsPhrase(translated, entry.translation))
        return std::nullopt;
    for (const std::string& variant : entry.variants)
        if (containsPhrase(translated, variant))
            return std::nullopt;
    return fillPlaceholders(txt::CheckTermMissing, {entry.term, quotedChoices(entry)});
}

} // namespace

std::optional<std::string> checkTerms(std::string_view source, std::string_view translation, const TermIndex& terms)
{
    if (terms.empty() || translation.empty())
        return std::nullopt;
    const std::vector<TermHit> hits = terms.find(source);
    if (hits.empty())
        return std::nullopt;
    const std::vector<TextWord> translated = textWords(translation);
    std::string message;
    for (const TermHit& hit : hits) {
        // Of several entries of one term (regions of one language) one agreeing is enough.
        std::optional<std::string> problem;
        for (const GlossaryEntry& entry : terms.terms()[hit.term].entries) {
            problem = judge(entry, translated);
            if (!problem)
                break;
        }
        if (problem && message.find(*problem) == std::string::npos)
            message += (message.empty() ? "" : "; ") + *problem;
    }
    if (message.empty())
        return std::nullopt;
    return message;
}

} // namespace qmk
