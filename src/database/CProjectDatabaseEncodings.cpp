// CProjectDatabase: the encodings of the source script and of each translation, and the
// whole-column reads and writes that changing an encoding needs. Older projects lack the two
// fields; they are added the first time a value is stored.
#include "database/CProjectDatabase.h"

#include "database/QueryCatalogue.h"
#include "database/Transaction.h"
#include "database/TranslationColumnNames.h"
#include "database/QueryNames.h"

namespace qmk {
namespace {

constexpr const char* TranslationsTable = "Translations";
constexpr const char* EncodingField = "Encoding";
constexpr const char* ProjectTable = "Project";
constexpr const char* SourceEncodingField = "SourceEncoding";

std::optional<int> integerIfSet(Statement& row)
{
    if (!row.step() || row.isNull(0))
        return std::nullopt;
    return static_cast<int>(row.integer(0));
}

} // namespace

std::optional<int> CProjectDatabase::translationEncoding(LanguageId language)
{
    if (!db_.fieldExists(TranslationsTable, EncodingField))
        return std::nullopt;
    Statement row = query(qn::Translation_Encoding);
    row.bind("LanguageId", language.language).bind("SubLanguageId", language.sublanguage);
    return integerIfSet(row);
}

void CProjectDatabase::setTranslationEncoding(LanguageId language, int encoding)
{
    if (!db_.fieldExists(TranslationsTable, EncodingField))
        db_.addColumn(TranslationsTable, EncodingField, ColumnType::Long);
    query(qn::Set_Translation_Encoding)
        .bind("Encoding", encoding)
        .bind("LanguageId", language.language)
        .bind("SubLanguageId", language.sublanguage)
        .execute();
}

std::optional<int> CProjectDatabase::sourceEncoding()
{
    if (!db_.fieldExists(ProjectTable, SourceEncodingField))
        return std::nullopt;
    Statement row = query(qn::Source_Encoding);
    return integerIfSet(row);
}

void CProjectDatabase::setSourceEncoding(int encoding)
{
    if (!db_.fieldExists(ProjectTable, SourceEncodingField))
        db_.addColumn(ProjectTable, SourceEncodingField, ColumnType::Long);
    query(qn::Set_Source_Encoding).bind("SourceEncoding", encoding).execute();
}

bool CProjectDatabase::hasLineOfKind(int lineKind)
{
    Statement row = query(qn::Line_Of_Kind);
    row.bind("LineIdentSym", lineKind);
    return row.step();
}

std::vector<TranslatedLine> CProjectDatabase::translatedTexts(LanguageId language)
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

void CProjectDatabase::rewriteTranslations(LanguageId language, const std::vector<TranslatedLine>& texts)
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
