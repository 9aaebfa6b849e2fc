// Names of the translation columns of ResourceText, by Windows language and sub-language,
// and the way back from a name to the language it stands for.
#pragma once

#include <string>
#include <string_view>

namespace qmk {

// The column name (also the translation's LanguageStr); empty when the language has no name.
std::string translationColumnName(int language, int sublanguage);

// The name of the flag column that goes with a translation column.
std::string modifiedColumnName(std::string_view columnName);

// Language and sub-language of a column name: the sub-language its row names; for a row that
// holds for any sub-language, 1, or the lowest one without a name of its own when 1 has one
// ("English UK" gives 9/2, not 9/1 "English US"). "Neutral Language" and unknown names give false.
bool languageForColumnName(std::string_view name, int& language, int& sublanguage);

} // namespace qmk
