// Which statements of a script are in the project's source language. A script may hold its
// resources in several languages; only the source language's are the project's to translate.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "parser/LanguageId.h"

namespace qmk {

class ScriptParser;
struct ParsedLine;

// The neutral language, or one no locale data knows: scripts put icons, manifests and version
// blocks under LANG_NEUTRAL, and such a block belongs to every language.
bool isNeutralLanguage(LanguageId language);

// Which of a script's languages the project translates.
struct SourceLanguageRule {
    enum class Kind {
        MostTexts,   // the language whose blocks hold the most texts (the first of equals)
        Named,       // the language the person named
        EveryBlock,  // every block, whatever its language: projects built before the choice was kept
    };
    Kind kind = Kind::MostTexts;
    LanguageId language{};

    static SourceLanguageRule named(LanguageId language) { return {Kind::Named, language}; }
    static SourceLanguageRule everyBlock() { return {Kind::EveryBlock, {}}; }
    // As the project keeps it: -1 for every block, else the Windows language id
    // (language | sublanguage << 10). A rule still to be settled has no stored form.
    int stored() const;
    static SourceLanguageRule fromStored(int stored);
    bool operator==(const SourceLanguageRule&) const = default;
};

// The texts a script offers under one language.
struct LanguageTexts {
    LanguageId language;
    int texts = 0;
};

// The rule the texts settle: the language of the most texts (the first of equals); every block
// when no language but the neutral one holds texts.
SourceLanguageRule ruleOfMostTexts(const std::vector<LanguageTexts>& counts);

// "English US", or the numbers of a language the table does not name.
std::string languageLabel(LanguageId language);
// The labels of the languages, joined by ", " ("German, English US").
std::string languageLabels(const std::vector<LanguageTexts>& languages);

// The language of the script's blocks a person named: the one named exactly, else the only
// block of its primary language ("German" for LANG_GERMAN, SUBLANG_NEUTRAL); nothing when the
// script has no such block.
std::optional<LanguageId> blockOfLanguage(const std::vector<LanguageTexts>& languages, LanguageId named);

// What a project reads as its source, as its properties show it: the language, or every block
// (also for a project built before the choice was kept, `stored` empty).
std::string sourceRuleDescription(std::optional<int> stored);

class SourceLanguageScope {
public:
    // The source language; without one (the default) every block is the source's.
    void setSource(std::optional<LanguageId> source) { source_ = source; }

    // Takes the statement just read (LANGUAGE statements move the scope); true when it is in the
    // source language. What comes before any LANGUAGE and neutral blocks are source.
    bool isSource(const ParsedLine& line, const ScriptParser& parser);
    // The language the statement just taken stands under; nothing when none or the neutral one.
    std::optional<LanguageId> statementLanguage() const { return statementLanguage_; }

private:
    struct Language {
        LanguageId id;
        bool neutral = false;
    };
    bool isSourceLanguage(const std::optional<Language>& language) const;

    std::optional<LanguageId> source_;
    std::optional<LanguageId> statementLanguage_;
    // A top-level LANGUAGE holds until the next one; one inside a resource's header (between
    // the header and its BEGIN) only until the resource's END.
    std::optional<Language> global_;
    std::optional<Language> resource_;
};

} // namespace qmk
