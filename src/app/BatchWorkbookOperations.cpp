// Batch operations with workbooks: /XLSX writes the Text Table as the window's Export Text to
// Excel does; the workbook branch of /I imports a language column as the window's Import All.
#include "app/BatchOperations.h"
#include "app/BatchSupport.h"

#include <algorithm>

#include "database/TranslationColumnNames.h"
#include "exchange/ImportSource.h"
#include "exchange/WorkbookExport.h"
#include "exchange/WorkbookImport.h"
#include "project/TextTableRows.h"
#include "resources/FileNames.h"
#include "resources/CountedText.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

std::string languageName(LanguageId id)
{
    return translationColumnName(id.language, id.sublanguage);
}

// The Text Table columns the export writes: Id and source, then the languages' columns.
std::vector<int> exportColumns(const TextTableColumns& table, const std::vector<LanguageId>& languages)
{
    std::vector<int> columns{TextTableColumns::IdColumn, TextTableColumns::SourceColumn};
    for (LanguageId id : languages)
        columns.push_back(table.columnOfLanguage(id));
    return columns;
}

bool isWorkbookTarget(const std::string& path)
{
    return toLowerAscii(std::filesystem::path(path).extension().string()) == ".xlsx";
}

} // namespace

BatchStatus batchExportWorkbook(const std::vector<std::string>& p, BatchReport& report,
                                const std::vector<std::string>& ext)
{
    report.line(printfText(txt::BatchWorkbookExportStart, {p[0], p[1]}));
    return guardedBatchOperation(report, [&] {
        ProjectOperation op(report, ext);
        if (!op.open(p[0], ProjectUse::ReadAndRecord))
            return batchFailed(report);
        if (!isWorkbookTarget(p[1])) {
            report.error(printfText(txt::BatchWrongFileType, {p[1]}));
            return BatchStatus::Failed;
        }
        std::vector<LanguageId> languages;
        if (const BatchStatus named = op.languagesNamed({p.begin() + 2, p.end()}, p[0], languages);
            named != BatchStatus::Success)
            return named;
        if (!op.doc().reloadRows().done())
            return batchFailed(report);
        if (p.size() == 2)
            languages = op.doc().rows().columns().translations();

        BatchReportingFeedback feedback(report);
        WorkbookExport exporter(op.doc(), feedback);
        const WorkbookExportResult result = exporter.run(p[1], exportColumns(op.doc().rows().columns(), languages));
        if (!result.outcome.done())
            return batchFailed(report);
        report.line(printfText(txt::BatchWorkbookExportDone, {counted(result.rowsWritten, "row", "rows"), p[1]}));
        for (LanguageId id : languages)
            report.line(printfText(txt::BatchExportLanguage, {languageName(id)}));
        return BatchStatus::Success;
    });
}

BatchStatus batchImportWorkbook(ProjectOperation& op, LanguageId language, const std::string& workbook,
                                BatchReport& report, bool overwrite)
{
    if (!op.doc().reloadRows().done())
        return batchFailed(report);
    BatchReportingFeedback feedback(report);
    WorkbookImport import(op.doc(), feedback);
    if (!import.open(workbook))
        return batchFailed(report);  // reported: unreadable, or a header the export did not write
    const std::string name = languageName(language);
    const std::vector<std::string> names = import.languageNames();
    if (std::find(names.begin(), names.end(), name) == names.end()) {
        report.error(printfText(txt::BatchWorkbookNoLanguage, {workbook, name}));
        return BatchStatus::Failed;
    }
    // Without a pair of the same Id the import has nothing to do, and says so.
    if (import.chooseLanguage(name)) {
        import.setOverwrite(overwrite);
        import.importAll({});
        if (import.failedStores() > 0)
            return batchFailed(report);
        if (!import.conflicts().empty() || !import.keptExisting().empty())
            return BatchStatus::UnitsRefused;  // done, with the texts left as they were listed
    }
    return BatchStatus::Success;
}

} // namespace qmk
