// BCP 47 language tags of Windows language ids, the names translation platforms and PO files
// give languages ("de-DE", "zh-TW", "sr-Cyrl-RS"), and the way back from such a name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "parser/LanguageId.h"

namespace qmk {

// The tag of a language: the tag its row of the language table holds, else the one ICU gives.
std::string languageTag(LanguageId language);

// The tag ICU's locale data gives a Windows language id: language, a script where the language
// is written in more than one, and the region of the sublanguage. A sublanguage-neutral id
// (sublanguage 0) gives the bare language ("ja"), a sublanguage the locale data does not know
// gives its language, and the neutral language or an id nobody knows gives "und" (undetermined).
std::string icuLanguageTag(LanguageId language);

// The language a tag names, its letter case ignored and "_" read as "-" ("de_DE" in a PO
// header; a trailing ".UTF-8" or "@latin" of a locale name is understood too). A row of the
// language table with exactly this tag comes first, then a Windows language of a region with
// exactly this tag ("de-LU"), then the first row of the same language and region, then the
// first row of the same language, both in the same script ("sr-Latn" is not the Cyrillic
// row), then the Windows language ICU finds for it; none for a tag of no known language.
std::optional<LanguageId> languageOfTag(std::string_view tag);

} // namespace qmk
