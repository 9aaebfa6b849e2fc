// The language scope of the statements a script is read into.
#include "parser/SourceLanguageScope.h"

#include "parser/LanguageTags.h"
#include "parser/ParsedLine.h"
#include "parser/ScriptParser.h"

namespace qmk {

bool isNeutralLanguage(LanguageId language) { return languageTag(language) == "und"; }

bool SourceLanguageScope::isSource(const ParsedLine& line, const ScriptParser& parser)
{
    if (line.kind == toInt(LineKind::Language)) {
        const LanguageId id{parser.language(), parser.sublanguage()};
        const Language language{id, isNeutralLanguage(id)};
        (parser.resourceType() == 0 ? global_ : resource_) = language;
        if (!source_ && !language.neutral)
            source_ = id;
    }
    const bool source = isSourceLanguage(resource_ ? resource_ : global_);
    if (parser.resourceType() == 0)
        resource_.reset();  // the resource ended with this statement, or none was open
    return source;
}

bool SourceLanguageScope::isSourceLanguage(const std::optional<Language>& language) const
{
    return !language || language->neutral || !source_ || language->id == *source_;
}

} // namespace qmk
