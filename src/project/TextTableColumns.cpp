// Column headers of the Text Table from the project's source languages and translations.
#include "project/TextTableColumns.h"

#include <algorithm>

#include "database/CProjectDatabase.h"
#include "database/TranslationColumnNames.h"
#include "parser/LanguageTable.h"
#include "resources/Messages.h"
#include "resources/Texts.h"
#include "resources/UiTexts.h"

namespace qmk {

void TextTableColumns::build(CProjectDatabase& db)
{
    std::vector<LanguageId> sources;
    for (const SourceLanguageRow& row : db.languages().sourceLanguages())
        sources.push_back(row.id);
    assign(sources, db.languages().translationIds());
}

void TextTableColumns::assign(const std::vector<LanguageId>& sourceLanguages, const std::vector<LanguageId>& translations)
{
    translations_ = translations;
    headers_.clear();
    headers_.push_back(txt::HeaderId);
    headers_.push_back(sourceHeader(sourceLanguages));
    for (const LanguageId& id : translations_)
        headers_.push_back(translationColumnName(id.language, id.sublanguage));
}

bool TextTableColumns::isTranslationColumn(int column) const
{
    return column >= FirstTranslationColumn && column < count();
}

int TextTableColumns::columnOfLanguage(LanguageId language) const
{
    auto found = std::find(translations_.begin(), translations_.end(), language);
    if (found == translations_.end())
        return -1;
    return FirstTranslationColumn + static_cast<int>(found - translations_.begin());
}

std::optional<LanguageId> TextTableColumns::languageOfColumn(int column) const
{
    if (!isTranslationColumn(column))
        return std::nullopt;
    return translations_[static_cast<std::size_t>(column - FirstTranslationColumn)];
}

std::string TextTableColumns::sourceHeader(const std::vector<LanguageId>& sourceLanguages)
{
    // A script names its language again in every resource; the header names each one once.
    std::vector<std::string_view> names;
    for (const LanguageId& id : sourceLanguages) {
        std::string_view name = languageDisplayText(id.language, id.sublanguage);
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    if (names.empty())
        return txt::HeaderSourceText;
    std::string joined;
    for (std::string_view name : names) {
        if (!joined.empty())
            joined += ", ";
        joined += name;
    }
    return fillPlaceholders(txt::SourceTextWithLanguages, {joined});
}

} // namespace qmk
