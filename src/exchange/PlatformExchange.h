// Exchange with translation platforms and CAT tools in XLIFF 1.2 and gettext PO: one unit per
// text the Text Table shows (excluded texts left out), each with an id built from its resource
// and item identifiers that stays the same on every export, the source and the translation in
// Unicode display form, the resource, item type and Id as context, and the review flag.
// Imports come back by id, all or nothing.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "database/ProjectRows.h"

namespace qmk {

class CQuillDoc;

struct ExchangeUnit {
    std::string id;
    std::string resource;  // the owning dialog, menu or version resource; empty for others
    std::string itemType;  // "Dialog Item", "Stringtable String", ...
    std::string ident;     // the Text Table's Id
    std::string source;    // UTF-8, display form
    std::string target;    // UTF-8, display form; empty when untranslated
    bool needsReview = false;
    int lineIndex = -1;    // only for units made from the project
};

// The project's source language as platforms name it ("en-US"): its first source language that
// is not neutral.
std::string sourceLanguageTag(CQuillDoc& doc);

// The units of a translation, in Text Table order.
std::vector<ExchangeUnit> exchangeUnits(CQuillDoc& doc, LanguageId language);

enum class ExchangeFormat { Xliff, Po };
// By extension: ".xlf" and ".xliff" are XLIFF, ".po" and ".pot" PO; nothing for others.
std::optional<ExchangeFormat> exchangeFormatOf(const std::filesystem::path& path);

// Writes the units (replacing a file of that name only when the whole file was written);
// false with the reason in `problem`.
bool writeExchangeFile(const std::filesystem::path& path, ExchangeFormat format, const std::vector<ExchangeUnit>& units,
                       const std::string& sourceLanguage, const std::string& targetLanguage, std::string& problem);
// Reads every unit of a file; nothing, with the reason, when any of it cannot be read.
std::optional<std::vector<ExchangeUnit>> readExchangeFile(const std::filesystem::path& path, ExchangeFormat format,
                                                          std::string& problem);

struct ExchangeImportResult {
    bool ok = false;
    int imported = 0;
    std::vector<std::string> unknown;         // ids the project does not have
    std::vector<std::string> sourceChanged;   // units whose source no longer matches (not imported)
    std::vector<std::string> unrepresentable; // texts the translation's code page cannot hold
};
// Stores the units' translations by id into the translation (display form to stored form,
// encoded into its code page), in one transaction through the document.
ExchangeImportResult importExchangeUnits(CQuillDoc& doc, LanguageId language, const std::vector<ExchangeUnit>& units);

} // namespace qmk
