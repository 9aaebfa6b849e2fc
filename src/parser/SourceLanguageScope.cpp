// The language scope of the statements a script is read into.
#include "parser/SourceLanguageScope.h"

#include <cstdio>

#include "parser/LanguageTable.h"
#include "parser/LanguageTags.h"
#include "parser/ParsedLine.h"
#include "parser/ScriptParser.h"

namespace qmk {
namespace {

constexpr int kEveryBlock = -1;
constexpr int kSublanguageShift = 10;
constexpr int kPrimaryMask = 0x3FF;

} // namespace

bool isNeutralLanguage(LanguageId language) { return languageTag(language) == "und"; }

int SourceLanguageRule::stored() const
{
    if (kind != Kind::Named)
        return kEveryBlock;
    return language.language | (language.sublanguage << kSublanguageShift);
}

SourceLanguageRule SourceLanguageRule::fromStored(int stored)
{
    if (stored < 0)
        return everyBlock();
    return named({stored & kPrimaryMask, stored >> kSublanguageShift});
}

SourceLanguageRule ruleOfMostTexts(const std::vector<LanguageTexts>& counts)
{
    const LanguageTexts* most = nullptr;
    for (const LanguageTexts& entry : counts)
        if (entry.texts > 0 && !isNeutralLanguage(entry.language) && (!most || entry.texts > most->texts))
            most = &entry;
    return most ? SourceLanguageRule::named(most->language) : SourceLanguageRule::everyBlock();
}

std::string languageLabel(LanguageId language)
{
    if (std::string_view name = languageDisplayText(language.language, language.sublanguage); !name.empty())
        return std::string(name);
    char numbers[40];
    std::snprintf(numbers, sizeof numbers, "LANGUAGE %d, %d", language.language, language.sublanguage);
    return numbers;
}

bool SourceLanguageScope::isSource(const ParsedLine& line, const ScriptParser& parser)
{
    if (line.kind == toInt(LineKind::Language)) {
        const LanguageId id{parser.language(), parser.sublanguage()};
        const Language language{id, isNeutralLanguage(id)};
        (parser.resourceType() == 0 ? global_ : resource_) = language;
    }
    const std::optional<Language>& current = resource_ ? resource_ : global_;
    statementLanguage_.reset();
    if (current && !current->neutral)
        statementLanguage_ = current->id;
    const bool source = isSourceLanguage(current);
    if (parser.resourceType() == 0)
        resource_.reset();  // the resource ended with this statement, or none was open
    return source;
}

bool SourceLanguageScope::isSourceLanguage(const std::optional<Language>& language) const
{
    return !language || language->neutral || !source_ || language->id == *source_;
}

} // namespace qmk
