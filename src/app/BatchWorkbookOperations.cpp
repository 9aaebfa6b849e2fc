// Batch operations with workbooks: /XLSX writes the Text Table as the window's Export Text to
// Excel does (/I imports a workbook's column through the exchange table).
#include "app/BatchOperations.h"
#include "app/BatchPictureContext.h"
#include "app/BatchSupport.h"

#include <algorithm>

#include "database/TranslationColumnNames.h"
#include "exchange/ImportSource.h"
#include "exchange/PlatformExchange.h"
#include "exchange/WorkbookExport.h"
#include "project/TextTableRows.h"
#include "resources/FileNames.h"
#include "resources/CountedText.h"
#include "resources/PictureTexts.h"
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

BatchStatus batchExportWorkbook(const std::vector<std::string>& params, BatchReport& report,
                                const std::vector<std::string>& ext)
{
    std::vector<std::string> p = params;
    std::string pictureFolder;
    if (!takePictureFolder(p, 2, pictureFolder, report))
        return BatchStatus::UsageError;
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
        if (!pictureFolder.empty()) {
            const std::optional<PictureIndex> index = loadPictureIndex(pictureFolder, report);
            if (!index)
                return BatchStatus::Failed;
            const std::vector<ExchangeUnit> units = exchangeDocument(op.doc(), std::nullopt).units;
            std::unordered_map<int, std::string> pictures = picturesByLine(*index, units);
            report.line(printfText(txt::BatchShotsIndexRead,
                                   {std::to_string(pictures.size()), std::to_string(units.size()), pictureFolder}));
            exporter.setPictures(std::move(pictures));
        }
        const WorkbookExportResult result = exporter.run(p[1], exportColumns(op.doc().rows().columns(), languages));
        if (!result.outcome.done())
            return batchFailed(report);
        report.line(printfText(txt::BatchWorkbookExportDone, {counted(result.rowsWritten, "row", "rows"), p[1]}));
        for (LanguageId id : languages)
            report.line(printfText(txt::BatchExportLanguage, {languageName(id)}));
        return BatchStatus::Success;
    });
}

} // namespace qmk
