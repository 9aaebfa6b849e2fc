// What the glossary offers for one text of a project: the terms standing in its source, each
// with its translation into the current language, and what a translator inserts or adds from
// there. The widget-free half of the Glossary panel; the lookup itself needs no project, so the
// window may run it away from its thread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/ProjectRows.h"
#include "memory/Glossary.h"
#include "memory/TermIndex.h"

namespace qmk {

class CQuillDoc;
class SpellChecker;

// A glossary term found in a source text. Texts are UTF-8.
struct GlossaryMatch {
    std::string term;   // as the glossary writes it
    std::string found;  // as the source text writes it ("&Bookmarks")
    std::string translation;
    std::vector<std::string> variants;
    std::vector<std::string> forbidden;
    std::string note;
    bool operator==(const GlossaryMatch&) const = default;
};

inline constexpr int kGlossaryShortcutCount = 5;

// What a lookup asks, taken from the project beforehand.
struct GlossaryQuery {
    std::string source;                        // the text in its platform form
    std::string sourceLanguage;                // "en-US"
    std::optional<LanguageId> sourceLanguageId;  // whose dictionary finds a word's stems
    std::string language;                      // of the translations wanted
};

// The query for the line's text in `language`; none when the line shows no text.
std::optional<GlossaryQuery> glossaryQuery(CQuillDoc& doc, int lineIndex, LanguageId language);

// The terms of `source`, each once, in the order they first stand there; of a term's entries
// the one in exactly `language` is taken when there is one. `stems` (may be empty) lets an
// inflected word of the source find its term.
std::vector<GlossaryMatch> glossaryMatches(const TermIndex& terms, std::string_view source, std::string_view language,
                                           const WordStems& stems = {});

// The stems a spelling dictionary knows for a folded word, folded.
WordStems dictionaryStems(const SpellChecker& checker);

// The text that puts `translation` into a box between `before` and `after`: a blank is added
// where it would otherwise run into a word on either side.
std::string termInsertion(std::string_view before, std::string_view after, std::string_view translation);

// The entry a selection of the source text proposes: its words without access-key marks,
// blanks made one, and without the dots or colon that end a menu or label text. None when the
// selection holds no word.
std::optional<GlossaryEntry> proposedGlossaryEntry(std::string_view selection, const GlossaryQuery& query,
                                                   std::string translation, std::string origin);

// The glossary a window looks terms up in: its entries of each language are indexed once and
// indexed again when the glossary's size changes (another translator, or an import, added
// terms); each source language's dictionary is opened once. Not for two threads at once.
class GlossaryLookup {
public:
    explicit GlossaryLookup(std::string location, std::filesystem::path dictionaries = "/usr/share/hunspell");
    ~GlossaryLookup();
    GlossaryLookup(const GlossaryLookup&) = delete;
    GlossaryLookup& operator=(const GlossaryLookup&) = delete;

    // An embedded glossary not made yet has no terms (and is not made by a lookup). Throws
    // GlossaryError when the glossary cannot be read.
    std::vector<GlossaryMatch> lookup(const GlossaryQuery& query);
    // Stores the entry (the glossary is made when missing) and looks it up from now on.
    void add(const GlossaryEntry& entry);
    const std::string& location() const { return location_; }

private:
    struct Indexed {
        std::int64_t size = -1;
        std::shared_ptr<const TermIndex> terms;
    };
    Glossary* glossary(bool create);
    const SpellChecker* checker(LanguageId language);

    std::string location_;
    std::filesystem::path dictionaries_;
    std::unique_ptr<Glossary> glossary_;
    std::map<std::string, Indexed> byLanguage_;
    std::map<std::pair<int, int>, std::unique_ptr<SpellChecker>> checkers_;
};

} // namespace qmk
