// Translation memories in TMX 1.4b, the exchange format every translation tool reads: the
// memory written out (all of it or one target language) and TMX files of other tools read in.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "memory/TranslationMemory.h"

namespace qmk {

class Feedback;

struct TmxExportResult {
    bool ok = false;
    bool cancelled = false;    // stopped on request: no file written
    std::int64_t units = 0;    // translation units written
    std::int64_t skipped = 0;  // units with characters XML cannot carry (control characters, no UTF-8)
    std::string problem;       // why nothing was written
};
// Writes one <tu> per unit with its source and target <tuv>, project, resource type and Id as
// properties and the review flag; the file is replaced only once it was written whole, and is
// always UTF-8 XML (a unit it could not carry is left out and counted). With `feedback`, a task
// that shows its progress and may be cancelled.
TmxExportResult exportTmx(TranslationMemory& memory, const std::filesystem::path& file,
                          const std::optional<std::string>& targetLanguage, Feedback* feedback = nullptr);
// The same into several target languages (every one when none is given).
TmxExportResult exportTmx(TranslationMemory& memory, const std::filesystem::path& file,
                          const std::vector<std::string>& targetLanguages, Feedback* feedback = nullptr);
// The target languages of the memory's units, each once, in the order first met.
std::vector<std::string> memoryTargetLanguages(TranslationMemory& memory);

struct TmxRefusedUnit {
    std::string unit;    // "unit 7 (tuid 4711), de-DE": its place, its tuid when it has one, the language
    std::string reason;  // "invalid UTF-8 (bytes FF FE) at offset 0 in the translation"
};
struct TmxImportResult {
    bool ok = false;
    bool cancelled = false;    // stopped on request: what was added before stays
    std::int64_t units = 0;    // translations added (one per target <tuv>)
    std::int64_t skipped = 0;  // <tu> without a source or any translation
    std::vector<TmxRefusedUnit> refused;  // translations not added, with the reason, in the file's order
    std::string problem;       // why nothing was read
};
// Adds the translations of a TMX file: the <tuv> in the unit's (or the header's) source
// language is the source, every other <tuv> with a text a translation of it. Inline codes
// (<bpt>, <ept>, <ph>, <it>, <ut>) are left out of the texts; <hi> and <sub> may nest to any
// depth. A translation with bytes that are no UTF-8 (in its texts, languages or properties) is
// refused and listed, never added. With `feedback`, a task that shows its progress and may be
// cancelled between batches.
TmxImportResult importTmx(TranslationMemory& memory, const std::filesystem::path& file, Feedback* feedback = nullptr);

// A tag in the form the exchange writes it: language lower case, script title case, region
// upper case, "_" read as "-" ("DE_de" -> "de-DE", "sr-latn-rs" -> "sr-Latn-RS").
std::string canonicalLanguageTag(std::string_view tag);

} // namespace qmk
