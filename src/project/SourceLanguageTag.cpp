#include "project/SourceLanguageTag.h"

#include "parser/LanguageTags.h"
#include "parser/SourceLanguageScope.h"
#include "project/CQuillDoc.h"

namespace qmk {

std::optional<std::string> knownSourceLanguageTag(CQuillDoc& doc)
{
    for (const SourceLanguageRow& source : doc.database().languages().sourceLanguages())
        if (!isNeutralLanguage(source.id))
            return languageTag(source.id);
    return std::nullopt;
}

std::string sourceLanguageTag(CQuillDoc& doc)
{
    return knownSourceLanguageTag(doc).value_or("en-US");
}

} // namespace qmk
