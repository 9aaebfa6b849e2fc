// The glossary a team shares: how each term of its products is translated, which variants of
// the translation are allowed and which are forbidden. Beside the translation memory and on the
// same engines: a file of this machine (SQLite) or the team's database server (PostgreSQL).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qmk {

// One term in one target language. Texts are UTF-8.
struct GlossaryEntry {
    std::string term;            // as the source language writes it ("Save As")
    std::string sourceLanguage;  // "en-US"
    std::string language;        // of the translation ("de-DE")
    std::string translation;     // the preferred translation
    std::vector<std::string> variants;   // translations allowed as well
    std::vector<std::string> forbidden;  // translations never to be used
    std::string partOfSpeech;    // "noun", "verb", ... or empty
    std::string note;
    std::string origin;          // where the entry came from (a TBX file, a project, a person)
    bool operator==(const GlossaryEntry&) const = default;
};

class Glossary {
public:
    virtual ~Glossary() = default;

    // Adds the entries in one transaction; an entry of a term already held in that language
    // (the term compared without regard to case) replaces it.
    virtual void add(const std::vector<GlossaryEntry>& entries) = 0;
    // Every entry (into one target language when given), in the order they were first added.
    virtual void forEach(const std::optional<std::string>& language,
                         const std::function<void(const GlossaryEntry&)>& visit) = 0;
    virtual std::int64_t size() = 0;
    // Removes the term's entry in the language; false when there was none.
    virtual bool remove(std::string_view term, std::string_view language) = 0;
    // Where the glossary lives, for messages.
    virtual std::string location() const = 0;

    // Every entry (into one language when given).
    std::vector<GlossaryEntry> entries(const std::optional<std::string>& language = std::nullopt);
};

// The glossary beside the memory `memoryLocation` names (see openTranslationMemory): on the same
// server for a server, else "glossary.db" in the memory file's folder (the default memory's
// folder for an empty location).
std::string glossaryLocationBeside(const std::string& memoryLocation);

// The glossary a location names: a server connection string opens the shared store, anything
// else is the embedded store's file (created with its folder when missing). Throws
// GlossaryError when it cannot be opened.
std::unique_ptr<Glossary> openGlossary(const std::string& location);

class GlossaryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The key a term is held under in one language: its words case-folded, access-key marks left
// out and runs of blanks made one ("Save &As..." and "save as..." are one term).
std::string glossaryTermKey(std::string_view term);

// Whether an entry of language `entryTag` serves `wanted`: the same tag (case and "_" not
// counting), or the same language where either names no region ("de" serves "de-AT").
bool glossaryLanguageMatches(std::string_view entryTag, std::string_view wanted);

// A list field (variants, forbidden) as the stores keep it: one item a line.
std::string joinGlossaryList(const std::vector<std::string>& items);
std::vector<std::string> splitGlossaryList(std::string_view text);

} // namespace qmk
