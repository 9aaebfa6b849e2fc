// Batch operations between project files: Export (a project with chosen translations to a new
// database) and Import (one language's texts from any file of the exchange table that goes into
// a project).
#include "app/BatchOperations.h"
#include "app/BatchPictureContext.h"
#include "app/BatchSupport.h"
#include "app/CBatchCommandLineInfo.h"

#include <algorithm>
#include <filesystem>

#include "database/Schema.h"
#include "database/TranslationColumnNames.h"
#include "exchange/DatabaseExport.h"
#include "exchange/ImportSource.h"
#include "exchange/ExchangeFormats.h"
#include "exchange/PlatformExchange.h"
#include "exchange/ThreeWayImport.h"
#include "parser/LanguageTags.h"
#include "project/ProjectFileNames.h"
#include "resources/CheckTexts.h"
#include "resources/FileNames.h"
#include "resources/Messages.h"
#include "resources/PictureTexts.h"
#include "resources/CountedText.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

std::string languageName(LanguageId id)
{
    return translationColumnName(id.language, id.sublanguage);
}

// Writes an export for translation platforms and says how many units it holds; a unit the file
// could not carry is listed, and the run ends with the status of units refused.
BatchStatus writePlatformFile(BatchReport& report, const std::string& path, ExchangeKind format,
                              const ExchangeDocument& document)
{
    std::string problem;
    std::vector<LeftOutUnit> leftOut;
    if (!writeExchangeFile(path, format, document, problem, &leftOut)) {
        report.error(printfText(txt::BatchCannotWrite, {path, problem}));
        return BatchStatus::Failed;
    }
    report.line(printfText(txt::BatchPlatformExportDone,
                           {counted(static_cast<long long>(document.units.size() - leftOut.size()), "unit", "units"), path}));
    for (const LeftOutUnit& unit : leftOut)
        report.line(printfText(txt::BatchPlatformLeftOut, {unit.id + ": " + unit.reason}));
    if (document.units.size() == leftOut.size()) {
        // A file without a unit gives a platform nothing to translate: no success.
        report.error(printfText(txt::BatchPlatformExportEmpty, {path}));
        return BatchStatus::Failed;
    }
    return leftOut.empty() ? BatchStatus::Success : BatchStatus::UnitsRefused;
}

// Each unit the pictures' index lists is written with its picture and rectangle.
bool namePictures(ExchangeDocument& document, const std::string& folder, BatchReport& report)
{
    const std::optional<PictureIndex> index = loadPictureIndex(folder, report);
    if (!index)
        return false;
    const std::size_t named = attachPictures(*index, document.units);
    report.line(printfText(txt::BatchShotsIndexRead,
                           {std::to_string(named), std::to_string(document.units.size()), folder}));
    return true;
}

} // namespace

BatchStatus batchExportForPlatforms(const std::vector<std::string>& params, BatchReport& report,
                                    const std::vector<std::string>& ext, ExchangeKind format)
{
    std::vector<std::string> p = params;
    std::string pictures;
    if (!takePictureFolder(p, 3, pictures, report))
        return BatchStatus::UsageError;
    report.line(printfText(txt::BatchPlatformExportStart, {p[0], p[1], p[2]}));
    return onProjectLanguage(report, ext, p[0], ProjectUse::ReadAndRecord, p[1], [&](ProjectOperation& op, LanguageId id) {
        if (!op.hasLanguage(id, p[1], p[0]))
            return BatchStatus::Failed;
        if (!op.doc().reloadRows().done())
            return batchFailed(report);
        ExchangeDocument document = exchangeDocument(op.doc(), id);
        if (!pictures.empty() && !namePictures(document, pictures, report))
            return BatchStatus::Failed;
        document.header.exportId = newExportId();
        const BatchStatus written = writePlatformFile(report, p[2], format, document);
        if (written != BatchStatus::Failed)
            recordExport(op.doc(), id, document);  // what the platform will send back is judged by it
        return written;
    });
}

BatchStatus batchExportTemplate(const std::vector<std::string>& params, BatchReport& report,
                                const std::vector<std::string>& ext)
{
    std::vector<std::string> p = params;
    std::string pictures;
    if (!takePictureFolder(p, 2, pictures, report))
        return BatchStatus::UsageError;
    report.line(printfText(txt::BatchPlatformExportStart, {p[0], "-", p[1]}));
    return guardedBatchOperation(report, [&] {
        ProjectOperation op(report, ext);
        if (!op.open(p[0], ProjectUse::ReadAndRecord) || !op.doc().reloadRows().done())
            return batchFailed(report);
        ExchangeDocument document = exchangeDocument(op.doc(), std::nullopt);
        if (!pictures.empty() && !namePictures(document, pictures, report))
            return BatchStatus::Failed;
        return writePlatformFile(report, p[1], ExchangeKind::Po, document);
    });
}

BatchStatus batchExport(const std::vector<std::string>& p, BatchReport& report, const std::vector<std::string>& ext)
{
    report.line(txt::BatchExportStart);
    const std::string& source = p[0];
    const std::string& target = p[1];
    return guardedBatchOperation(report, [&] {
        ProjectOperation op(report, ext);
        if (!op.open(source, ProjectUse::Read))
            return batchFailed(report);
        if (!isDatabasePath(target)) {
            report.error(printfText(txt::BatchWrongFileType, {target}));
            return BatchStatus::Failed;
        }
        std::vector<LanguageId> languages;
        if (const BatchStatus named = op.languagesNamed({p.begin() + 2, p.end()}, source, languages);
            named != BatchStatus::Success)
            return named;
        if (p.size() == 2)
            languages = op.doc().database().languages().translationIds();

        DatabaseExport exporter(op.feedback());
        if (!exporter.checkTarget(target, op.doc().databasePath(), {}, op.doc().database().sourceFile()) ||
            !exporter.run(op.doc().database(), target, languages))
            return batchFailed(report);
        report.line(printfText(txt::BatchExportDone, {source, target}));
        if (exporter.replacesEarlierExport())
            report.line(printfText(txt::BatchExportReplaces, {target}));
        for (LanguageId id : languages)
            report.line(printfText(txt::BatchExportLanguage, {languageName(id)}));
        return BatchStatus::Success;
    });
}

namespace {

// Why a project database cannot be imported from, reported; Success when it can. A file without
// its project row, or of a format this program does not know, has nothing it could import:
// saying "imported" would hide that.
BatchStatus checkSourceDatabase(BatchReport& report, const std::string& from, LanguageId id,
                                const std::string& languageText)
{
    if (const std::string error = projectFileError(from); !error.empty()) {
        report.error(error);
        return BatchStatus::Failed;
    }
    CProjectDatabase source;
    source.open(from, OpenMode{false, true, true});
    const std::optional<int> version = source.fileVersion();
    if (!version || *version < schema::OldestFileVersion || *version > schema::CurrentFileVersion) {
        report.error(printfText(txt::BatchUnknownFormat, {from, version ? std::to_string(*version) : std::string("none")}));
        return batchFailed(report);
    }
    if (!source.languages().hasTranslation(id)) {
        report.error(printfText(txt::BatchLanguageNotInDatabase, {languageText, from}));
        return BatchStatus::Failed;
    }
    return BatchStatus::Success;
}

// The status of an import that did not finish: what the file could not give is named; an
// import that refused its input has reported why.
BatchStatus importFailed(BatchReport& report, const std::string& from, const ImportReport& run)
{
    if (!run.problem.empty())
        report.error(printfText(txt::BatchCannotRead, {from, run.problem}));
    else if (run.outcome == OperationResult::InputRefused)
        return BatchStatus::Failed;
    return batchFailed(report);
}

// An import that counts units lists them: how many were stored, and every unit refused.
void reportUnits(BatchReport& report, const ImportReport& run)
{
    report.line(printfText(txt::BatchPlatformImported, {counted(run.imported, "translation", "translations")}));
    if (run.unchangedOnPlatform > 0)
        report.line(fillPlaceholders(txt::ImportUnchangedOnPlatform,
                                     {counted(run.unchangedOnPlatform, "translation", "translations")}));
    for (const std::string& line : run.refused)
        report.line(printfText(txt::BatchPlatformRefused, {line}));
}

} // namespace

BatchStatus batchImport(const std::vector<std::string>& p, BatchReport& report, const std::vector<std::string>& ext)
{
    report.line(txt::BatchImportStart);
    const std::string& from = p[0];
    const std::string& languageText = p[1];
    const std::string& to = p[2];
    return guardedBatchOperation(report, [&] {
        if (!batchFileExists(from)) {
            report.error(printfText(txt::BatchFileNotFound, {from}));
            return BatchStatus::Failed;
        }
        // What the file is, decided where the window decides it too.
        const ExchangeFormat* format = projectImportFormat(from);
        if (!format) {
            report.error(printfText(txt::BatchWrongFileType, {from}));
            return BatchStatus::Failed;
        }
        if (const std::string problem = inputFileProblem(from); !problem.empty()) {
            report.error(printfText(txt::BatchCannotRead, {from, problem}));
            return batchFailed(report);
        }
        ProjectOperation op(report, ext);
        if (!op.open(to, ProjectUse::Write))
            return batchFailed(report);
        std::optional<LanguageId> id = op.language(languageText);
        if (!id)
            return BatchStatus::UsageError;
        // What the import stores is checked afterwards; findings do not fail the import.
        ImportedTextsCheck stored(op.doc(), *id);

        const bool overwrite = std::any_of(p.begin() + 3, p.end(), [](const std::string& parameter) {
            return equalsIgnoringCase(parameter, OverwriteParameter);
        });
        if (!format->addsTranslation && !op.hasLanguage(*id, languageText, to))
            return BatchStatus::Failed;
        if (format->kind == ExchangeKind::ProjectDatabase)
            if (const BatchStatus checked = checkSourceDatabase(report, from, *id, languageText);
                checked != BatchStatus::Success)
                return checked;
        BatchReportingFeedback feedback(report);
        ExchangeTarget target(op.doc(), {*id});
        target.feedback = &feedback;
        target.overwrite = overwrite;
        target.includeExtensions = ext;
        const ImportReport run = format->import(target, from);
        if (!run.outcome.done())
            return importFailed(report, from, run);
        if (run.countsUnits)
            reportUnits(report, run);
        reportImportFindings(report, stored.findings());
        if (!op.doc().OnCloseDocument())
            return batchFailed(report);
        if (!run.refused.empty())
            return BatchStatus::UnitsRefused;  // done, with units refused or texts left as they were
        if (!run.problem.empty()) {
            report.error(printfText(txt::BatchPlatformNothing, {run.problem}));
            return BatchStatus::Failed;
        }
        report.line(printfText(txt::BatchImportDone, {languageText, from, to}));
        return BatchStatus::Success;
    });
}

} // namespace qmk
