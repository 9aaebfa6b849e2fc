// The record of what the project's exports sent.
#include "database/ProjectExports.h"

#include "database/QueryCatalogue.h"
#include "database/SqliteDatabase.h"

namespace qmk {
namespace {

constexpr const char* RecordTable = "ExportRecord";

} // namespace

bool ProjectExports::exists()
{
    return db_.tableExists(RecordTable);
}

void ProjectExports::record(const std::string& exportId, LanguageId language, long long written,
                            const std::vector<SentText>& sent)
{
    if (!exists()) {
        query(queries::CreateExportRecord).execute();
        query(queries::CreateExportSent).execute();
    }
    query(queries::DeleteExportSent).bind("ExportId", exportId).execute();
    query(queries::AddExportRecord)
        .bind("ExportId", exportId)
        .bind("Language", language.language)
        .bind("SubLanguage", language.sublanguage)
        .bind("Written", written)
        .execute();
    Statement add = query(queries::AddExportSent);
    for (const SentText& text : sent) {
        add.reset();
        add.bind("ExportId", exportId)
            .bind("LineIndex", text.lineIndex)
            .bind("Text", text.text)
            .bind("NeedsReview", text.needsReview ? 1 : 0)
            .execute();
    }
    for (const char* forget : {queries::ForgetOldExportTexts, queries::ForgetOldExports})
        query(forget)
            .bind("Language", language.language)
            .bind("SubLanguage", language.sublanguage)
            .bind("Kept", KeptPerLanguage)
            .execute();
}

void ProjectExports::createTablesNamed(const std::vector<std::string>& tables)
{
    for (const std::string& table : tables)
        if (table == RecordTable) {
            query(queries::CreateExportRecord).execute();
            query(queries::CreateExportSent).execute();
        }
}

void ProjectExports::forgetLanguage(LanguageId language)
{
    if (!exists())
        return;
    for (const char* forget : {queries::ForgetOldExportTexts, queries::ForgetOldExports})
        query(forget).bind("Language", language.language).bind("SubLanguage", language.sublanguage).bind("Kept", std::int64_t{0}).execute();
}

bool ProjectExports::knows(const std::string& exportId, LanguageId language)
{
    if (exportId.empty() || !exists())
        return false;
    Statement row = query(queries::ExportRecordById);
    if (!row.bind("ExportId", exportId).step())
        return false;
    return row.intField("Language") == language.language && row.intField("SubLanguage") == language.sublanguage;
}

std::unordered_map<int, SentText> ProjectExports::sent(const std::string& exportId)
{
    std::unordered_map<int, SentText> texts;
    if (exportId.empty() || !exists())
        return texts;
    Statement rows = query(queries::ExportSentRows);
    rows.bind("ExportId", exportId);
    while (rows.step()) {
        SentText text{rows.intField("LineIndex"), rows.text("Text"), rows.intField("NeedsReview") != 0};
        texts.emplace(text.lineIndex, std::move(text));
    }
    return texts;
}

} // namespace qmk
