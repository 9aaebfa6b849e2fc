// The columns of the Text Table: "Id", the source text headed by the source languages, then
// one column per translation in the project's order, headed by the translation's column name.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "database/ProjectRows.h"

namespace qmk {

class CProjectDatabase;

class TextTableColumns {
public:
    static constexpr int IdColumn = 0;
    static constexpr int SourceColumn = 1;
    static constexpr int FirstTranslationColumn = 2;
    static constexpr int IdColumnWidth = 80;     // pixels
    static constexpr int TextColumnWidth = 120;  // pixels, source and every translation

    // Reads the source languages and the translations of the project.
    void build(CProjectDatabase& db);
    // Sets the columns directly (used when the lists are already at hand).
    void assign(const std::vector<LanguageId>& sourceLanguages, const std::vector<LanguageId>& translations);

    int count() const { return static_cast<int>(headers_.size()); }
    const std::string& header(int column) const { return headers_.at(static_cast<std::size_t>(column)); }
    int width(int column) const { return column == IdColumn ? IdColumnWidth : TextColumnWidth; }
    const std::vector<LanguageId>& translations() const { return translations_; }
    bool isTranslationColumn(int column) const;
    // -1 when the project has no translation of that language.
    int columnOfLanguage(LanguageId language) const;
    std::optional<LanguageId> languageOfColumn(int column) const;

    // "Source Text", or "Source Text (%1)" with the display names of the languages, each once.
    static std::string sourceHeader(const std::vector<LanguageId>& sourceLanguages);

private:
    std::vector<std::string> headers_;
    std::vector<LanguageId> translations_;
};

} // namespace qmk
