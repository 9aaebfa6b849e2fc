// Which statements of a script are in the project's source language. A script may hold its
// resources in several languages; only the source language's are the project's to translate.
#pragma once

#include <optional>

#include "database/ProjectRows.h"

namespace qmk {

class ScriptParser;
struct ParsedLine;

// The neutral language, or one no locale data knows: scripts put icons, manifests and version
// blocks under LANG_NEUTRAL, and such a block belongs to every language.
bool isNeutralLanguage(LanguageId language);

class SourceLanguageScope {
public:
    // Takes the statement just read (LANGUAGE statements move the scope); true when it is in the
    // source language. The source language is the first LANGUAGE that is not neutral; what
    // comes before it, a script without LANGUAGE and neutral blocks are source.
    bool isSource(const ParsedLine& line, const ScriptParser& parser);

private:
    struct Language {
        LanguageId id;
        bool neutral = false;
    };
    bool isSourceLanguage(const std::optional<Language>& language) const;

    std::optional<LanguageId> source_;
    // A top-level LANGUAGE holds until the next one; one inside a resource's header (between
    // the header and its BEGIN) only until the resource's END.
    std::optional<Language> global_;
    std::optional<Language> resource_;
};

} // namespace qmk
