// The project's translations: which languages, their columns, file names, fonts and
// encodings, and how far each one is translated.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/DatabasePart.h"

namespace qmk {

class ProjectTranslations : public DatabasePart {
public:
    using DatabasePart::DatabasePart;

    std::vector<LanguageId> translationIds();
    std::vector<TranslationRow> translations();
    std::vector<SourceLanguageRow> sourceLanguages();
    bool hasTranslation(LanguageId language);
    // Inserts the Translations row and creates the two columns unless they exist already.
    // False when the language has no name, is already a translation, or its columns belong
    // to another translation of the same name.
    bool addTranslation(LanguageId language);
    // Drops the two columns and the Translations and TranslationInfoTable rows; reports failures.
    bool removeTranslation(LanguageId language);
    // Translations stored under the column name an earlier version gave their language (Arabic
    // (United Arab Emirates) once shared "Arabic") get the name the language has now: their two
    // columns are renamed. Returns how many were renamed; engine failures are thrown.
    int renameOutdatedColumns();
    // ResourceText has the language's text column; failures are reported and give false.
    bool translationColumnExists(LanguageId language);
    std::string fileName(LanguageId language);
    void setFileName(LanguageId language, std::string_view fileName);
    std::vector<TranslationFileName> translationFileNames();
    // Resets every font to the default, then writes the given settings; failures dropped.
    bool saveFonts(const std::vector<FontSetting>& sourceFonts, const std::vector<FontSetting>& translationFonts);

    // A translation's encoding as a code page (1200 UTF-16, 65001 UTF-8, else single- or
    // double-byte); absent in projects written before encodings were stored.
    std::optional<int> translationEncoding(LanguageId language);
    void setTranslationEncoding(LanguageId language, int encoding);
    // Every non-empty translation of one language with its line kind, in script order.
    std::vector<TranslatedLine> translatedTexts(LanguageId language);
    // Replaces translations without touching their flags, in one transaction.
    void rewriteTranslations(LanguageId language, const std::vector<TranslatedLine>& texts);

    TranslationStatistics translationStatistics(LanguageId language, const CountedKinds& kinds = {});
    ResourceStatistics dialogStatistics(int dlgLineIndex, LanguageId language);
    ResourceStatistics menuStatistics(int menuLineIndex, LanguageId language);
    // 1 without translations, 2 when one has fewer translated texts than texts, else 3.
    ProjectStatus computeStatus();

private:
    bool ensureFontColumns(std::string_view table);
    ResourceStatistics resourceStatistics(std::initializer_list<std::string_view> queryNames, const char* parameter,
                                          int lineIndex, LanguageId language);
};

} // namespace qmk
