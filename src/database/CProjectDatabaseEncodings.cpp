// CProjectDatabase: the encoding of the source script. Older projects lack its field; it is
// added the first time a value is stored.
#include "database/CProjectDatabase.h"

#include "database/QueryCatalogue.h"
#include "database/StatementReaders.h"
#include "database/Transaction.h"
#include "database/TranslationColumnNames.h"
#include "database/QueryNames.h"

namespace qmk {

namespace {

constexpr const char* ProjectTable = "Project";
constexpr const char* SourceEncodingField = "SourceEncoding";
constexpr const char* SourceLanguageField = "SourceLanguage";


} // namespace

std::optional<int> CProjectDatabase::sourceEncoding()
{
    if (!db_.fieldExists(ProjectTable, SourceEncodingField))
        return std::nullopt;
    Statement row = query(qn::Source_Encoding);
    return firstInt(std::move(row));
}

void CProjectDatabase::setSourceEncoding(int encoding)
{
    if (!db_.fieldExists(ProjectTable, SourceEncodingField))
        db_.addColumn(ProjectTable, SourceEncodingField, ColumnType::Long);
    query(qn::Set_Source_Encoding).bind("SourceEncoding", encoding).execute();
}

std::optional<int> CProjectDatabase::sourceLanguageChoice()
{
    if (!db_.fieldExists(ProjectTable, SourceLanguageField))
        return std::nullopt;
    return firstInt(query(qn::Source_Language_Choice));
}

void CProjectDatabase::setSourceLanguageChoice(int stored)
{
    if (!db_.fieldExists(ProjectTable, SourceLanguageField))
        db_.addColumn(ProjectTable, SourceLanguageField, ColumnType::Long);
    if (!firstInt(query(qn::Count_Project)).value_or(0))
        query(qn::Add_Project).execute();  // its stamp and file follow when the build is stored
    db_.prepare(queries::withColumn(queries::sql(qn::Set_Project_Field), SourceLanguageField))
        .bind("Value", stored)
        .execute();
}

bool CProjectDatabase::hasLineOfKind(int lineKind)
{
    Statement row = query(qn::Line_Of_Kind);
    row.bind("LineIdentSym", lineKind);
    return row.step();
}

} // namespace qmk
