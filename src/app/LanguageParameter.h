// A language given on the command line: a decimal language id (1031), four hexadecimal digits
// (0407, 0x0407, 0C07) or a language name as the translation columns are named ("German",
// "english us"), matched ignoring case.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "database/ProjectRows.h"

namespace qmk {

std::optional<LanguageId> parseLanguageParameter(std::string_view text);

// A language as a Windows language (id or name) or as a tag ("de-DE"), given as its tag; none
// when the text is neither.
std::optional<std::string> languageTagParameter(const std::string& text);

// The Windows language id of a pair: sublanguage in the high six bits, language in the low ten.
int windowsLanguageId(LanguageId id);

} // namespace qmk
