// The language scope of the statements a script is read into.
#include "parser/SourceLanguageScope.h"

#include <cstdio>

#include "parser/LanguageTable.h"
#include "parser/LanguageTags.h"
#include "parser/ParsedLine.h"
#include "parser/ScriptParser.h"
#include "resources/ReadingTexts.h"

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

std::string languageLabels(const std::vector<LanguageTexts>& languages)
{
    std::string labels;
    for (const LanguageTexts& entry : languages)
        labels += (labels.empty() ? "" : ", ") + languageLabel(entry.language);
    return labels;
}

std::optional<LanguageId> blockOfLanguage(const std::vector<LanguageTexts>& languages, LanguageId named)
{
    std::optional<LanguageId> samePrimary;
    int primaryMatches = 0;
    for (const LanguageTexts& entry : languages) {
        if (entry.language == named)
            return named;
        if (entry.language.language == named.language) {
            samePrimary = entry.language;
            ++primaryMatches;
        }
    }
    if (primaryMatches == 1)
        return samePrimary;
    return std::nullopt;
}

std::string sourceRuleDescription(std::optional<int> stored)
{
    if (!stored)
        return txt::SourceEveryBlockOldProject;
    const SourceLanguageRule rule = SourceLanguageRule::fromStored(*stored);
    if (rule.kind != SourceLanguageRule::Kind::Named)
        return txt::SourceEveryBlock;
    return languageLabel(rule.language);
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
