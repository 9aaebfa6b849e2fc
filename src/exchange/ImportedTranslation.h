// The translation an import writes into: added when the project does not have it yet, set
// up as a new translation would be, and the code page its texts are kept in.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/ProjectRows.h"
#include "resources/Messages.h"  // joinedLines, for the import reports

namespace qmk {

class CProjectDatabase;

// Adds the translation with the default file name of `projectScript`, its version block names
// and the given encoding, as a translation made by hand starts. False when the language
// cannot be added.
bool addImportedTranslation(CProjectDatabase& db, LanguageId language, const std::filesystem::path& projectScript,
                            int encoding);

// The encoding an import gives a translation that has no texts yet: that of what it imports
// from, where the translation can take it (UTF-8, UTF-16 or the language's code page).
int importedEncoding(int fromEncoding, LanguageId language);

// `text` taken from code page `from` into `to`; nothing when `to` cannot hold it.
std::optional<std::string> recodedText(std::string_view text, int from, int to);

} // namespace qmk
