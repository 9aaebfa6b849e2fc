// The encoding each translation's script is written in, and the bytes its texts are kept in:
// the language's code page, UTF-8 or UTF-16 (whose texts are kept as UTF-8).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/ProjectRows.h"

namespace qmk {

class CProjectDatabase;

inline constexpr int kCodePageUtf16 = 1200;

enum class EncodingChoice { Ansi, Utf8, Utf16 };

// "ansi", "utf-8" (or "utf8") and "utf-16" (or "utf16"), in any case.
std::optional<EncodingChoice> parseEncodingChoice(std::string_view word);
// The encoding a choice gives the language: its code page, 65001 or 1200.
int encodingOfChoice(EncodingChoice choice, LanguageId language);
// "ANSI (code page 1252)", "UTF-8" or "UTF-16", for messages.
std::string encodingName(int encoding);

// The code page of the bytes a translation of this encoding keeps its texts in.
inline int textCodePage(int encoding) { return encoding == kCodePageUtf16 ? 65001 : encoding; }

// What the project knows about its source for choosing encodings.
struct SourceEncodingFacts {
    int projectCodePage = 1252;
    bool utf16 = false;    // the script is UTF-16
    bool utf8Bom = false;  // the script is UTF-8 with a byte-order mark
};
SourceEncodingFacts sourceEncodingFacts(CProjectDatabase& db, int projectCodePage);

// A translation's encoding. Projects written before encodings were stored wrote UTF-8 in a
// UTF-8 project and the language's code page otherwise, and keep doing so.
int translationEncoding(CProjectDatabase& db, int projectCodePage, LanguageId language);

// The encoding a new translation starts with: UTF-16 for a UTF-16 source, UTF-8 for a UTF-8
// project, the language's code page when every text and every other byte the writer copies from
// the source fits it, else UTF-8 (a German translation of a Japanese program keeps its
// untranslated Japanese texts).
int defaultTranslationEncoding(CProjectDatabase& db, const SourceEncodingFacts& source, LanguageId language);

// True when the translation has texts of its own (version block names, filled in when a
// translation is added, do not count).
bool hasOwnTexts(CProjectDatabase& db, LanguageId language);

struct EncodingChange {
    bool changed = false;
    // Where a text does not fit the new encoding: "line 12: <text>" (nothing is changed then).
    std::vector<std::string> unfit;
};
// Sets the translation's encoding and converts its texts to it; refuses, listing them, when
// some do not fit.
EncodingChange changeTranslationEncoding(CProjectDatabase& db, int projectCodePage, LanguageId language,
                                         int newEncoding);

} // namespace qmk
