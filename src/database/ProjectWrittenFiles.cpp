// The record of the translated scripts a project wrote.
#include "database/ProjectWrittenFiles.h"

#include "database/QueryCatalogue.h"
#include "database/SqliteDatabase.h"

namespace qmk {
namespace {

constexpr const char* WrittenTable = "WrittenScript";

} // namespace

std::optional<WrittenFileRecord> ProjectWrittenFiles::record(const std::string& fileName)
{
    if (!db_.tableExists(WrittenTable))
        return std::nullopt;
    Statement row = query(queries::WrittenScriptByFileName);
    if (!row.bind("FileName", fileName).step())
        return std::nullopt;
    return WrittenFileRecord{row.integer("Size"), row.text("ContentHash")};
}

void ProjectWrittenFiles::setRecord(const std::string& fileName, const WrittenFileRecord& written)
{
    if (!db_.tableExists(WrittenTable))
        query(queries::CreateWrittenScript).execute();
    query(queries::SetWrittenScript)
        .bind("FileName", fileName)
        .bind("Size", written.size)
        .bind("ContentHash", written.contentHash)
        .execute();
}

} // namespace qmk
