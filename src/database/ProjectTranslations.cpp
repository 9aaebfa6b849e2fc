// The project's translations: their rows and columns, file names and fonts, the statistics
// of how far each is translated, and the project status drawn from them.
#include "database/ProjectTranslations.h"

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "database/LineKinds.h"
#include "database/QueryCatalogue.h"
#include "database/QueryNames.h"
#include "database/StatementReaders.h"
#include "database/Transaction.h"
#include "database/TranslationColumnNames.h"

namespace qmk {

namespace {

bool isDialogKind(int kind)
{
    return kind == dbkind::DialogCaption || kind == dbkind::Control ||
           (kind >= dbkind::FirstControl && kind <= dbkind::LastControl) ||
           (kind >= dbkind::FirstAutoControl && kind <= dbkind::LastAutoControl);
}

struct TranslationFields {
    int text = -1;
    int modified = -1;
};

TranslationFields translationFields(const Statement& rows, const std::string& name)
{
    return {rows.column(name), rows.column(modifiedColumnName(name))};
}

bool isChanged(const Statement& rows, const TranslationFields& f)
{
    return f.modified >= 0 && rows.integer(f.modified) != 0;
}

bool isTranslated(const Statement& rows, const TranslationFields& f)
{
    return f.text >= 0 && !rows.isNull(f.text) && !rows.text(f.text).empty();
}

constexpr const char* TextTable = "ResourceText";
constexpr const char* TranslationsTable = "Translations";
constexpr const char* SourceLanguageTable = "Source File Language";
constexpr const char* EncodingField = "Encoding";

} // namespace

bool CountedKinds::counts(int kind) const
{
    if (kind == dbkind::Bitmap)
        return bitmaps;
    if (kind == dbkind::VersionBlock || kind == dbkind::VersionValue)
        return versions;
    if (kind == dbkind::Include || kind == dbkind::RcInclude)
        return includes;
    if (isDialogKind(kind))
        return dialogs;
    if (kind == dbkind::Popup || kind == dbkind::MenuItem)
        return menus;
    if (kind == dbkind::StringtableString)
        return stringtables;
    return true;
}

TranslationStatistics ProjectTranslations::translationStatistics(LanguageId language, const CountedKinds& kinds)
{
    TranslationStatistics stats;
    std::string name = translationColumnName(language.language, language.sublanguage);
    if (name.empty())
        return stats;
    Statement rows = query(queries::TextsWithLineKind);
    TranslationFields fields = translationFields(rows, name);
    int kind = rows.column("LineIdentSym");
    int exclude = rows.column("Exclude");
    while (rows.step()) {
        if (!kinds.counts(static_cast<int>(rows.integer(kind))) || rows.integer(exclude) != 0)
            continue;
        ++stats.total;
        if (isChanged(rows, fields))
            ++stats.changed;
        else if (isTranslated(rows, fields))
            ++stats.translated;
    }
    return stats;
}

ResourceStatistics ProjectTranslations::resourceStatistics(std::initializer_list<std::string_view> queryNames,
                                                        const char* parameter, int lineIndex, LanguageId language)
{
    ResourceStatistics stats;
    std::string name = translationColumnName(language.language, language.sublanguage);
    for (std::string_view queryName : queryNames) {
        Statement rows = query(queryName);
        rows.bind(parameter, lineIndex);
        TranslationFields fields = name.empty() ? TranslationFields{} : translationFields(rows, name);
        int exclude = rows.column("Exclude");
        while (rows.step()) {
            ++stats.texts;
            if (rows.integer(exclude) != 0)
                ++stats.excluded;
            else if (isChanged(rows, fields))
                ++stats.changed;
            else if (isTranslated(rows, fields))
                ++stats.translated;
        }
    }
    return stats;
}

ResourceStatistics ProjectTranslations::dialogStatistics(int dlgLineIndex, LanguageId language)
{
    return resourceStatistics({qn::ResourceStrings_Of_DialogControls, qn::ResourceString_Of_DialogCaption}, "DlgLineIndex",
                              dlgLineIndex, language);
}

ResourceStatistics ProjectTranslations::menuStatistics(int menuLineIndex, LanguageId language)
{
    return resourceStatistics({qn::ResourceStrings_Of_Menu}, "MenuLineIndex", menuLineIndex, language);
}

ProjectStatus ProjectTranslations::computeStatus()
{
    std::vector<LanguageId> ids = translationIds();
    if (ids.empty())
        return ProjectStatus::NoTranslation;
    for (const LanguageId& id : ids) {
        TranslationStatistics stats = translationStatistics(id);
        if (stats.translated < stats.total)
            return ProjectStatus::NotComplete;
    }
    return ProjectStatus::Translated;
}

std::vector<LanguageId> ProjectTranslations::translationIds()
{
    Statement rows = query(qn::Translation_Ids);
    std::vector<LanguageId> ids;
    while (rows.step())
        ids.push_back({rows.intField("Language"), rows.intField("SubLanguage")});
    return ids;
}

std::vector<TranslationRow> ProjectTranslations::translations()
{
    Statement rows = query(qn::Translation_Rows);
    int font = rows.column("FontName");  // absent in older files
    int charSet = rows.column("CharSet");
    std::vector<TranslationRow> list;
    while (rows.step()) {
        TranslationRow row;
        row.id = {rows.intField("Language"), rows.intField("SubLanguage")};
        row.languageStr = rows.text("LanguageStr");
        if (font >= 0)
            row.fontName = rows.text(font);
        if (charSet >= 0 && !rows.isNull(charSet))
            row.charSet = static_cast<int>(rows.integer(charSet));
        list.push_back(std::move(row));
    }
    return list;
}

std::vector<SourceLanguageRow> ProjectTranslations::sourceLanguages()
{
    Statement rows = query(qn::Source_Language_Rows);
    int font = rows.column("FontName");
    int charSet = rows.column("CharSet");
    std::vector<SourceLanguageRow> list;
    while (rows.step()) {
        SourceLanguageRow row;
        row.lineIndex = rows.intField("LineIndex");
        row.id = {rows.intField("Language"), rows.intField("SubLanguage")};
        if (font >= 0)
            row.fontName = rows.text(font);
        if (charSet >= 0 && !rows.isNull(charSet))
            row.charSet = static_cast<int>(rows.integer(charSet));
        list.push_back(std::move(row));
    }
    return list;
}

bool ProjectTranslations::hasTranslation(LanguageId language)
{
    Statement row = query(qn::Translation);
    row.bind("LanguageId", language.language).bind("SubLanguageId", language.sublanguage);
    return row.step();
}

bool ProjectTranslations::addTranslation(LanguageId language)
{
    std::string name = translationColumnName(language.language, language.sublanguage);
    if (name.empty() || hasTranslation(language))
        return false;
    {
        // Two translations of one name would share, and on removal drop, each other's columns.
        Statement sameName = query(qn::Translations_With_Name);
        sameName.bind("LanguageStr", name);
        if (sameName.step())
            return false;
    }
    Transaction transaction(db_);
    query(qn::Add_Translation)
        .bind("LanguageId", language.language)
        .bind("SubLanguageId", language.sublanguage)
        .bind("LanguageStr", name)
        .execute();
    // The columns may have survived an earlier failed removal: create only what is missing.
    if (!db_.fieldExists(TextTable, name))
        db_.addColumn(TextTable, name, ColumnType::Text);
    if (!db_.fieldExists(TextTable, modifiedColumnName(name)))
        db_.addColumn(TextTable, modifiedColumnName(name), ColumnType::Byte);
    transaction.commit();
    return true;
}

bool ProjectTranslations::removeTranslation(LanguageId language)
{
    std::string name = translationColumnName(language.language, language.sublanguage);
    if (name.empty())
        return false;
    try {
        Transaction transaction(db_);
        if (db_.fieldExists(TextTable, name))
            db_.dropColumn(TextTable, name);
        if (db_.fieldExists(TextTable, modifiedColumnName(name)))
            db_.dropColumn(TextTable, modifiedColumnName(name));
        query(qn::Delete_Translation).bind("LanguageId", language.language).bind("SubLanguageId", language.sublanguage).execute();
        query(qn::Delete_TranslationInfo)
            .bind("LanguageId", language.language)
            .bind("SubLanguageId", language.sublanguage)
            .execute();
        transaction.commit();
        return true;
    } catch (const DaoException& e) {
        report(e);
        return false;
    }
}

int ProjectTranslations::renameOutdatedColumns()
{
    int renamed = 0;
    for (const TranslationRow& t : translations()) {
        const std::string name = translationColumnName(t.id.language, t.id.sublanguage);
        if (name.empty() || t.languageStr.empty() || t.languageStr == name || !db_.fieldExists(TextTable, t.languageStr) ||
            db_.fieldExists(TextTable, name))
            continue;
        Transaction transaction(db_);
        db_.renameColumn(TextTable, t.languageStr, name);
        if (db_.fieldExists(TextTable, modifiedColumnName(t.languageStr)) &&
            !db_.fieldExists(TextTable, modifiedColumnName(name)))
            db_.renameColumn(TextTable, modifiedColumnName(t.languageStr), modifiedColumnName(name));
        query(qn::Rename_Translation)
            .bind("LanguageId", t.id.language)
            .bind("SubLanguageId", t.id.sublanguage)
            .bind("LanguageStr", name)
            .execute();
        transaction.commit();
        ++renamed;
    }
    return renamed;
}

bool ProjectTranslations::translationColumnExists(LanguageId language)
{
    std::string name = translationColumnName(language.language, language.sublanguage);
    if (name.empty())
        return false;
    try {
        return db_.fieldExists(TextTable, name);
    } catch (const DaoException& e) {
        report(e);
        return false;
    }
}

std::string ProjectTranslations::fileName(LanguageId language)
{
    Statement row = query(qn::FileName);
    row.bind("LanguageId", language.language).bind("SubLanguageId", language.sublanguage);
    return row.step() ? row.text(0) : std::string();
}

void ProjectTranslations::setFileName(LanguageId language, std::string_view fileName)
{
    query(qn::Set_FileName)
        .bind("LanguageId", language.language)
        .bind("SubLanguageId", language.sublanguage)
        .bind("FileName", fileName)
        .execute();
}

std::vector<TranslationFileName> ProjectTranslations::translationFileNames()
{
    Statement rows = query(qn::TranslationInfoTable);
    std::vector<TranslationFileName> names;
    while (rows.step())
        names.push_back({{rows.intField("Language"), rows.intField("SubLanguage")}, rows.text("FileName")});
    return names;
}

bool ProjectTranslations::ensureFontColumns(std::string_view table)
{
    bool added = false;
    if (!db_.fieldExists(table, "FontName")) {
        db_.addColumn(table, "FontName", ColumnType::Text);
        added = true;
    }
    if (!db_.fieldExists(table, "CharSet")) {
        db_.addColumn(table, "CharSet", ColumnType::Integer);
        added = true;
    }
    return added;
}

bool ProjectTranslations::saveFonts(const std::vector<FontSetting>& sourceFonts,
                                 const std::vector<FontSetting>& translationFonts)
{
    try {
        Transaction transaction(db_);
        ensureFontColumns(SourceLanguageTable);
        ensureFontColumns(TranslationsTable);
        query(qn::Reset_Fonts_Source_Languages).execute();
        query(qn::Reset_Fonts_Translations).execute();
        auto write = [this](const char* name, const FontSetting& font) {
            query(name)
                .bind("FontName", font.fontName)
                .bind("CharSet", font.charSet)
                .bind("LanguageId", font.id.language)
                .bind("SubLanguageId", font.id.sublanguage)
                .execute();
        };
        for (const FontSetting& font : sourceFonts)
            write("Set_Font_Source_Language", font);
        for (const FontSetting& font : translationFonts)
            write("Set_Font_Translation", font);
        transaction.commit();
        return true;
    } catch (const DaoException&) {
        return false;
    }
}

std::optional<int> ProjectTranslations::translationEncoding(LanguageId language)
{
    if (!db_.fieldExists(TranslationsTable, EncodingField))
        return std::nullopt;
    Statement row = query(qn::Translation_Encoding);
    row.bind("LanguageId", language.language).bind("SubLanguageId", language.sublanguage);
    return firstInt(std::move(row));
}

void ProjectTranslations::setTranslationEncoding(LanguageId language, int encoding)
{
    if (!db_.fieldExists(TranslationsTable, EncodingField))
        db_.addColumn(TranslationsTable, EncodingField, ColumnType::Long);
    query(qn::Set_Translation_Encoding)
        .bind("Encoding", encoding)
        .bind("LanguageId", language.language)
        .bind("SubLanguageId", language.sublanguage)
        .execute();
}

std::vector<TranslatedLine> ProjectTranslations::translatedTexts(LanguageId language)
{
    std::vector<TranslatedLine> list;
    const std::string name = translationColumnName(language.language, language.sublanguage);
    if (name.empty() || !db_.fieldExists("ResourceText", name))
        return list;
    Statement rows = db_.prepare(queries::withTranslationColumns(queries::sql(qn::Translated_Texts), name));
    while (rows.step())
        list.push_back({rows.intField("LineIndex"), rows.intField("LineIdentSym"), rows.intField("Line"), rows.text("Text")});
    return list;
}

void ProjectTranslations::rewriteTranslations(LanguageId language, const std::vector<TranslatedLine>& texts)
{
    const std::string name = translationColumnName(language.language, language.sublanguage);
    if (name.empty())
        return;
    Transaction transaction(db_);
    Statement set = db_.prepare(queries::withTranslationColumns(queries::sql(qn::Set_Translation_Text), name));
    for (const TranslatedLine& line : texts) {
        set.bind("Text", line.text).bind("LineIndex", line.lineIndex).execute();
    }
    transaction.commit();
}

} // namespace qmk
