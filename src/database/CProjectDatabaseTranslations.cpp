// CProjectDatabase, part four: translations with their columns, file names and fonts,
// and the bookmarks.
#include "database/CProjectDatabase.h"

#include "database/DaoException.h"
#include "database/QueryCatalogue.h"
#include "database/Transaction.h"
#include "database/TranslationColumnNames.h"
#include "database/QueryNames.h"

namespace qmk {

namespace {
constexpr const char* TextTable = "ResourceText";
constexpr const char* TranslationsTable = "Translations";
constexpr const char* SourceLanguageTable = "Source File Language";
} // namespace

std::vector<LanguageId> CProjectDatabase::translationIds()
{
    Statement rows = query(qn::Translation_Ids);
    std::vector<LanguageId> ids;
    while (rows.step())
        ids.push_back({rows.intField("Language"), rows.intField("SubLanguage")});
    return ids;
}

std::vector<TranslationRow> CProjectDatabase::translations()
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

std::vector<SourceLanguageRow> CProjectDatabase::sourceLanguages()
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

bool CProjectDatabase::hasTranslation(LanguageId language)
{
    Statement row = query(qn::Translation);
    row.bind("LanguageId", language.language).bind("SubLanguageId", language.sublanguage);
    return row.step();
}

bool CProjectDatabase::addTranslation(LanguageId language)
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

bool CProjectDatabase::removeTranslation(LanguageId language)
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

bool CProjectDatabase::translationColumnExists(LanguageId language)
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

std::string CProjectDatabase::fileName(LanguageId language)
{
    Statement row = query(qn::FileName);
    row.bind("LanguageId", language.language).bind("SubLanguageId", language.sublanguage);
    return row.step() ? row.text(0) : std::string();
}

void CProjectDatabase::setFileName(LanguageId language, std::string_view fileName)
{
    query(qn::Set_FileName)
        .bind("LanguageId", language.language)
        .bind("SubLanguageId", language.sublanguage)
        .bind("FileName", fileName)
        .execute();
}

std::vector<TranslationFileName> CProjectDatabase::translationFileNames()
{
    Statement rows = query(qn::TranslationInfoTable);
    std::vector<TranslationFileName> names;
    while (rows.step())
        names.push_back({{rows.intField("Language"), rows.intField("SubLanguage")}, rows.text("FileName")});
    return names;
}

bool CProjectDatabase::ensureFontColumns(std::string_view table)
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

bool CProjectDatabase::saveFonts(const std::vector<FontSetting>& sourceFonts,
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

int CProjectDatabase::addBookmark(const BookmarkRow& row)
{
    query(qn::Add_Bookmark)
        .bind("LineIndex", row.lineIndex)
        .bind("Name", row.name)
        .bind("Window", row.window)
        .bind("Language", row.language.language)
        .bind("SubLanguage", row.language.sublanguage)
        .execute();
    return static_cast<int>(db_.lastInsertRowId());
}

std::vector<IdentRow> CProjectDatabase::bookmarks()
{
    Statement rows = query(qn::Bookmark_ID_and_Name);
    std::vector<IdentRow> list;
    while (rows.step())
        list.push_back({rows.intField("ID"), rows.text("Name")});
    return list;
}

std::optional<BookmarkRow> CProjectDatabase::bookmark(int id)
{
    Statement row = query(qn::Bookmark_By_ID);
    row.bind("ID", id);
    if (!row.step())
        return std::nullopt;
    return BookmarkRow{id, row.intField("LineIndex"), row.text("Name"), row.text("Window"),
                       {row.intField("Language"), row.intField("SubLanguage")}};
}

bool CProjectDatabase::deleteBookmark(int id)
{
    query(qn::Delete_Bookmark).bind("ID", id).execute();
    return db_.changes() > 0;
}

} // namespace qmk
