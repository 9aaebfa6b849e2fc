// The item object's list of modified translations: each language at most once.
#include "project/CObjectData.h"

#include <algorithm>

namespace qmk {

bool CObjectData::isModified(LanguageId language) const
{
    return std::find(modifiedLanguages.begin(), modifiedLanguages.end(), language) != modifiedLanguages.end();
}

void CObjectData::addModified(LanguageId language)
{
    if (!isModified(language))
        modifiedLanguages.push_back(language);
}

bool CObjectData::removeModified(LanguageId language)
{
    return std::erase(modifiedLanguages, language) != 0;
}

} // namespace qmk
