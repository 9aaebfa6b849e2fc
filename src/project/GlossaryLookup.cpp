// The glossary's terms of one text, and what the Glossary panel inserts and adds.
#include "project/GlossaryLookup.h"

#include <algorithm>
#include <cctype>

#include "memory/TranslationMemory.h"
#include "parser/LanguageTags.h"
#include "parser/SourceLanguageScope.h"
#include "project/CQuillDoc.h"
#include "project/SourceLanguageTag.h"
#include "project/SpellCheck.h"
#include "project/TranslationForm.h"

namespace qmk {
namespace {

std::optional<LanguageId> knownSourceLanguage(CQuillDoc& doc)
{
    for (const SourceLanguageRow& source : doc.database().languages().sourceLanguages())
        if (!isNeutralLanguage(source.id))
            return source.id;
    return std::nullopt;
}

bool sameTag(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

const GlossaryEntry& entryIn(const std::vector<GlossaryEntry>& entries, std::string_view language)
{
    for (const GlossaryEntry& entry : entries)
        if (sameTag(entry.language, language))
            return entry;
    return entries.front();
}

bool endsInWord(std::string_view text)
{
    const std::vector<TextWord> words = textWords(text);
    return !words.empty() && words.back().end == text.size();
}

bool startsWithWord(std::string_view text)
{
    const std::vector<TextWord> words = textWords(text);
    return !words.empty() && words.front().begin == 0;
}

// The selection as a term: access-key marks out ("&&" stays one "&"), blanks made one.
std::string plainTerm(std::string_view selection)
{
    std::string term;
    for (std::size_t at = 0; at < selection.size(); ++at) {
        const char c = selection[at];
        if (c == '&') {
            if (at + 1 < selection.size() && selection[at + 1] == '&')
                term += selection[++at];
            continue;
        }
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!term.empty() && term.back() != ' ')
                term += ' ';
            continue;
        }
        term += c;
    }
    // A menu text's "..." or "…" and a label's ":" are no part of the term.
    for (bool cut = true; cut;) {
        cut = false;
        for (std::string_view ending : {std::string_view(" "), std::string_view("..."), std::string_view("\u2026"),
                                        std::string_view(":")})
            if (term.size() >= ending.size() && term.compare(term.size() - ending.size(), ending.size(), ending) == 0) {
                term.resize(term.size() - ending.size());
                cut = true;
            }
    }
    return term;
}

} // namespace

std::optional<GlossaryQuery> glossaryQuery(CQuillDoc& doc, int lineIndex, LanguageId language)
{
    const TextTableRows& rows = doc.rows();
    const int row = rows.rowOfLineIndex(lineIndex);
    if (row < 0)
        return std::nullopt;
    std::string source = toPlatformForm(rows.displayText(row, TextTableColumns::SourceColumn));
    if (source.empty())
        return std::nullopt;
    return GlossaryQuery{std::move(source), sourceLanguageTag(doc), knownSourceLanguage(doc), languageTag(language)};
}

std::vector<GlossaryMatch> glossaryMatches(const TermIndex& terms, std::string_view source, std::string_view language,
                                           const WordStems& stems)
{
    std::vector<GlossaryMatch> matches;
    std::vector<std::size_t> seen;
    for (const TermHit& hit : terms.find(source, stems)) {
        if (std::find(seen.begin(), seen.end(), hit.term) != seen.end())
            continue;
        seen.push_back(hit.term);
        const GlossaryEntry& entry = entryIn(terms.terms()[hit.term].entries, language);
        matches.push_back({entry.term, std::string(source.substr(hit.begin, hit.end - hit.begin)), entry.translation,
                           entry.variants, entry.forbidden, entry.note});
    }
    return matches;
}

WordStems dictionaryStems(const SpellChecker& checker)
{
    return [&checker](const std::string& folded) {
        std::vector<std::string> stems;
        for (const std::string& stem : checker.stems(folded)) {
            std::vector<TextWord> words = textWords(stem);
            if (words.size() == 1)
                stems.push_back(std::move(words.front().folded));
        }
        return stems;
    };
}

std::string termInsertion(std::string_view before, std::string_view after, std::string_view translation)
{
    std::string text;
    if (endsInWord(before) && !translation.empty() && startsWithWord(translation))
        text += ' ';
    text += translation;
    if (startsWithWord(after) && !translation.empty() && endsInWord(translation))
        text += ' ';
    return text;
}

std::optional<GlossaryEntry> proposedGlossaryEntry(std::string_view selection, const GlossaryQuery& query,
                                                   std::string translation, std::string origin)
{
    std::string term = plainTerm(selection);
    if (textWords(term).empty())
        return std::nullopt;
    GlossaryEntry entry;
    entry.term = std::move(term);
    entry.sourceLanguage = query.sourceLanguage;
    entry.language = query.language;
    entry.translation = plainTerm(translation);
    entry.origin = std::move(origin);
    return entry;
}

GlossaryLookup::GlossaryLookup(std::string location, std::filesystem::path dictionaries)
    : location_(std::move(location)), dictionaries_(std::move(dictionaries))
{
}

GlossaryLookup::~GlossaryLookup() = default;

Glossary* GlossaryLookup::glossary(bool create)
{
    if (glossary_)
        return glossary_.get();
    std::error_code ec;
    if (!create && !isServerLocation(location_) && !std::filesystem::exists(location_, ec))
        return nullptr;
    glossary_ = openGlossary(location_);
    return glossary_.get();
}

const SpellChecker* GlossaryLookup::checker(LanguageId language)
{
    const auto key = std::make_pair(language.language, language.sublanguage);
    auto found = checkers_.find(key);
    if (found == checkers_.end())
        found = checkers_.emplace(key, SpellChecker::forLanguage(language, dictionaries_)).first;
    return found->second.get();
}

std::vector<GlossaryMatch> GlossaryLookup::lookup(const GlossaryQuery& query)
{
    Glossary* store = glossary(false);
    if (!store)
        return {};
    Indexed& indexed = byLanguage_[query.language];
    try {
        // A size that moved says someone changed the glossary: its terms are read again.
        const std::int64_t size = store->size();
        if (!indexed.terms || indexed.size != size) {
            indexed.terms = std::make_shared<const TermIndex>(store->entries(query.language));
            indexed.size = size;
        }
    } catch (const std::exception&) {
        glossary_.reset();  // a broken connection is made anew for the next lookup
        throw;
    }
    const SpellChecker* dictionary = query.sourceLanguageId ? checker(*query.sourceLanguageId) : nullptr;
    return glossaryMatches(*indexed.terms, query.source, query.language,
                           dictionary ? dictionaryStems(*dictionary) : WordStems{});
}

void GlossaryLookup::add(const GlossaryEntry& entry)
{
    try {
        glossary(true)->add({entry});
    } catch (const std::exception&) {
        glossary_.reset();
        throw;
    }
    byLanguage_.clear();
}

} // namespace qmk
