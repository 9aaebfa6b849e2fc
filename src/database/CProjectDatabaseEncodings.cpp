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

bool CProjectDatabase::hasLineOfKind(int lineKind)
{
    Statement row = query(qn::Line_Of_Kind);
    row.bind("LineIdentSym", lineKind);
    return row.step();
}

} // namespace qmk
