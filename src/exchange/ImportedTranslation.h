// The translation an import writes into: added when the project does not have it yet, set
// up as a new translation would be, and the code page its texts are kept in.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/ProjectRows.h"

namespace qmk {

class CProjectDatabase;

// Adds the translation with the default file name of `projectScript` and its version block
// names, as a translation made by hand starts. False when the language cannot be added.
bool addImportedTranslation(CProjectDatabase& db, LanguageId language, const std::filesystem::path& projectScript);

// The code page of the translation's texts: UTF-8 projects keep UTF-8 for every translation,
// other projects use the language's own code page.
int translationCodePage(int projectCodePage, LanguageId language);

// `text` taken from code page `from` into `to`; nothing when `to` cannot hold it.
std::optional<std::string> recodedText(std::string_view text, int from, int to);

// Texts an import could not store, one per line, for its report.
std::string joinedLines(const std::vector<std::string>& lines);

} // namespace qmk
