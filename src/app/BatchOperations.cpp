// The handlers of the batch operations: each checks its parameters, opens the project through
// the same document code the windows use, and reports with the batch texts.
#include "app/BatchOperations.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>

#include "app/BatchSupport.h"
#include "database/DaoException.h"
#include "database/TranslationColumnNames.h"
#include "parser/LanguageTable.h"
#include "project/CQuillDoc.h"
#include "project/ProjectFileNames.h"
#include "project/TranslationEncoding.h"
#include "resources/Feedback.h"
#include "resources/FileNames.h"
#include "resources/Messages.h"
#include "resources/CountedText.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"
#include "writer/TranslatedScripts.h"

namespace qmk {
namespace {

BatchStatus createDb(const std::vector<std::string>& p, BatchReport& report, const std::vector<std::string>& ext)
{
    report.line(txt::BatchCreateStart);
    const std::string& script = p[0];
    if (!batchFileExists(script)) {
        report.error(printfText(txt::BatchFileNotFound, {script}));
        return BatchStatus::Failed;
    }
    if (isDatabasePath(script)) {
        report.error(printfText(txt::BatchWrongFileType, {script}));
        return BatchStatus::Failed;
    }
    if (const std::string problem = inputFileProblem(script); !problem.empty()) {
        report.error(printfText(txt::BatchCannotRead, {script, problem}));
        return batchFailed(report);
    }
    std::optional<LanguageId> source;
    if (const BatchStatus named = guardedBatchOperation(
            report, [&] { return namedSourceLanguage(p, script, ext, report, source); });
        named != BatchStatus::Success)
        return named == BatchStatus::Failed ? batchFailed(report) : named;
    const std::string database = databaseForScript(script).string();
    if (batchFileExists(database)) {
        // Only a project database is "already there"; a folder or another file in its place
        // is not a project, and is not replaced either.
        if (const std::string error = projectFileError(database); !error.empty()) {
            report.error(error);
            return batchFailed(report);
        }
        report.line(printfText(txt::BatchCreateExists, {database, script}));
        return BatchStatus::Success;
    }
    return guardedBatchOperation(report, [&] {
        ProjectOperation op(report, ext);
        op.doc().setHold(ProjectHold::Writing);
        op.doc().setSourceLanguage(source);
        if (!op.doc().OnOpenDocument(script) || !op.doc().OnCloseDocument())
            return batchFailed(report);
        report.line(printfText(txt::BatchCreateDone, {database, script}));
        return BatchStatus::Success;
    });
}

BatchStatus addLang(const std::vector<std::string>& p, BatchReport& report, const std::vector<std::string>& ext)
{
    report.line(txt::BatchAddLangStart);
    return onProjectLanguage(report, ext, p[0], ProjectUse::Write, p[1], [&](ProjectOperation& op, LanguageId id) {
        if (op.doc().hasTranslation(id)) {
            report.error(printfText(txt::BatchLanguageExists, {p[1], p[0]}));
            return batchFailed(report);
        }
        if (!op.doc().NewTranslation(id, p[2])) {
            // A translation made by hand is refused as the output; the way to take its texts is said.
            CQuillDoc& doc = op.doc();
            if (!doc.hasTranslation(id) && doc.translationFileState(p[2]) == WrittenFileState::Foreign) {
                // The output name is the project's; the import reads the file from where the run is.
                const std::string file =
                    translationFilePath(doc.documentPath(), storedTranslationFileName(doc.documentPath(), p[2])).string();
                report.error(printfText(txt::BatchAddLangImportHint, {p[1], file, p[1], p[0]}));
            }
            return batchFailed(report);
        }
        if (!op.doc().OnCloseDocument())
            return batchFailed(report);
        report.line(printfText(txt::BatchAddLangDone, {p[1], p[0]}));
        return BatchStatus::Success;
    });
}

BatchStatus writeRc(const std::vector<std::string>& p, BatchReport& report, const std::vector<std::string>& ext)
{
    report.line(txt::BatchWriteStart);
    return onProjectLanguage(report, ext, p[0], ProjectUse::ReadAndRecord, p[1], [&](ProjectOperation& op, LanguageId id) {
        if (!op.hasLanguage(id, p[1], p[0]))
            return BatchStatus::Failed;
        if (writeTranslation(op.doc(), id, p[2]) != 1)
            return batchFailed(report);
        report.line(printfText(txt::BatchWriteDone, {p[1], p[0], p[2]}));
        return BatchStatus::Success;
    });
}

BatchStatus setEncoding(const std::vector<std::string>& p, BatchReport& report, const std::vector<std::string>& ext)
{
    report.line(txt::BatchEncodingStart);
    const std::optional<EncodingChoice> choice = parseEncodingChoice(p[2]);
    if (!choice) {
        report.error(printfText(txt::BatchEncodingUnknown, {p[2]}));
        return BatchStatus::UsageError;
    }
    return onProjectLanguage(report, ext, p[0], ProjectUse::Write, p[1], [&](ProjectOperation& op, LanguageId id) {
        if (!op.hasLanguage(id, p[1], p[0]))
            return BatchStatus::Failed;
        CQuillDoc& doc = op.doc();
        const int encoding = encodingOfChoice(*choice, id);
        EncodingChange change = changeTranslationEncoding(doc.database(), doc.codePage(), id, encoding);
        if (!change.changed) {
            std::string list;
            for (const std::string& where : change.unfit)
                list += "     " + where + "\n";
            report.error(printfText(txt::BatchEncodingUnfit, {p[1], encodingName(encoding), list}));
            return batchFailed(report);
        }
        if (!op.finish())
            return batchFailed(report);
        report.line(printfText(txt::BatchEncodingDone, {p[1], p[0], encodingName(encoding)}));
        return BatchStatus::Success;
    });
}

BatchStatus hasLanguage(const std::vector<std::string>& p, BatchReport& report, const std::vector<std::string>& ext)
{
    report.line(printfText(txt::BatchHasLanguageStart, {p[0], p[1]}));
    return onProjectLanguage(report, ext, p[0], ProjectUse::Read, p[1], [&](ProjectOperation& op, LanguageId id) {
        const bool has = op.doc().hasTranslation(id);
        report.line(has ? txt::BatchAnswerYes : txt::BatchAnswerNo);
        return has ? BatchStatus::Success : BatchStatus::CheckAnsweredNo;
    });
}

BatchStatus translated(const std::vector<std::string>& p, BatchReport& report, const std::vector<std::string>& ext)
{
    report.line(printfText(txt::BatchTranslatedStart, {p[0], p[1]}));
    return onProjectLanguage(report, ext, p[0], ProjectUse::Read, p[1], [&](ProjectOperation& op, LanguageId id) {
        if (!op.hasLanguage(id, p[1], p[0])) {
            report.line(txt::BatchAnswerNo);
            return BatchStatus::CheckAnsweredNo;
        }
        TranslationStatistics stats = op.doc().database().languages().translationStatistics(id);
        report.line(printfText(txt::BatchTranslatedCounts, {std::to_string(stats.total),
                                                            std::to_string(stats.translated),
                                                            std::to_string(stats.changed)}));
        const bool complete = stats.translated == stats.total;
        report.line(complete ? txt::BatchAnswerYes : txt::BatchAnswerNo);
        return complete ? BatchStatus::Success : BatchStatus::CheckAnsweredNo;
    });
}

BatchStatus listLanguageIds(const std::vector<std::string>& p, BatchReport& report)
{
    errno = 0;
    std::ofstream out(p[0], std::ios::binary | std::ios::trunc);
    if (!out) {
        report.error(printfText(txt::BatchCannotWrite, {p[0], errno ? std::strerror(errno) : "it cannot be created"}));
        return batchFailed(report);
    }
    out << txt::BatchListHeading << '\n';
    for (const LanguageRow& row : languageRows())
        out << printfText(txt::BatchListLine,
                          {std::string(row.identifier), std::string(displayText(row))})
            << '\n';
    out.close();
    if (!out) {
        report.error(printfText(txt::BatchCannotWrite, {p[0], "the file could not be written whole"}));
        return batchFailed(report);
    }
    report.line(txt::BatchListHeading);
    return BatchStatus::Success;
}

} // namespace

BatchStatus batchTextFit(const std::vector<std::string>& p, BatchReport& report, const std::vector<std::string>& ext,
                         const TextMetrics& metrics)
{
    report.line(printfText(txt::BatchFitStart, {p[0], p[1]}));
    return onProjectLanguage(report, ext, p[0], ProjectUse::Read, p[1], [&](ProjectOperation& op, LanguageId id) {
        if (!op.hasLanguage(id, p[1], p[0]))
            return BatchStatus::Failed;
        const std::vector<FitProblem> problems = checkTextFit(op.doc(), id, metrics);
        for (const FitProblem& problem : problems)
            report.line(printfText(txt::BatchFitLine, {problem.dialog, problem.control, problem.text,
                                                       std::to_string(problem.overflowUnits)}));
        if (problems.empty()) {
            report.line(txt::BatchFitAll);
            return BatchStatus::Success;
        }
        report.line(printfText(txt::BatchFitCount, {counted(static_cast<long long>(problems.size()), "text does not fit", "texts do not fit")}));
        return BatchStatus::CheckAnsweredNo;
    });
}

std::map<FlagCode, BatchOperation> standardBatchOperations(const std::vector<std::string>& ext)
{
    using P = const std::vector<std::string>&;
    std::map<FlagCode, BatchOperation> ops;
    ops[FlagCode::CreateDb] = [ext](P p, BatchReport& r) { return createDb(p, r, ext); };
    ops[FlagCode::AddLang] = [ext](P p, BatchReport& r) { return addLang(p, r, ext); };
    ops[FlagCode::WriteRC] = [ext](P p, BatchReport& r) { return writeRc(p, r, ext); };
    ops[FlagCode::HasLanguage] = [ext](P p, BatchReport& r) { return hasLanguage(p, r, ext); };
    ops[FlagCode::Translated] = [ext](P p, BatchReport& r) { return translated(p, r, ext); };
    ops[FlagCode::ListLIDS] = listLanguageIds;
    ops[FlagCode::Encoding] = [ext](P p, BatchReport& r) { return setEncoding(p, r, ext); };
    ops[FlagCode::UpToDate] = [ext](P p, BatchReport& r) { return batchUpToDate(p, r, ext); };
    ops[FlagCode::Update] = [ext](P p, BatchReport& r) { return batchUpdate(p, r, ext); };
    ops[FlagCode::Export] = [ext](P p, BatchReport& r) { return batchExport(p, r, ext); };
    ops[FlagCode::Import] = [ext](P p, BatchReport& r) { return batchImport(p, r, ext); };
    ops[FlagCode::Xliff] = [ext](P p, BatchReport& r) { return batchExportForPlatforms(p, r, ext, ExchangeKind::Xliff); };
    ops[FlagCode::Po] = [ext](P p, BatchReport& r) { return batchExportForPlatforms(p, r, ext, ExchangeKind::Po); };
    ops[FlagCode::Xlsx] = [ext](P p, BatchReport& r) { return batchExportWorkbook(p, r, ext); };
    ops[FlagCode::Pot] = [ext](P p, BatchReport& r) { return batchExportTemplate(p, r, ext); };
    ops[FlagCode::QualityCheck] = [ext](P p, BatchReport& r) { return batchCheck(p, r, ext); };
    ops[FlagCode::Pseudo] = [ext](P p, BatchReport& r) { return batchPseudo(p, r, ext); };
    ops[FlagCode::Statistics] = [ext](P p, BatchReport& r) { return batchStatistics(p, r, ext); };
    ops[FlagCode::TextFit] = [ext](P p, BatchReport& r) { return batchTextFit(p, r, ext, approximateTextMetrics()); };
    ops[FlagCode::TmAdd] = [ext](P p, BatchReport& r) { return batchAddToMemory(p, r, ext); };
    ops[FlagCode::TmxImport] = batchImportTmx;
    ops[FlagCode::TmxExport] = batchExportTmx;
    ops[FlagCode::PreTranslate] = [ext](P p, BatchReport& r) { return batchPreTranslate(p, r, ext); };
    ops[FlagCode::TbxImport] = batchImportTbx;
    ops[FlagCode::TbxExport] = batchExportTbx;
    ops[FlagCode::Terms] = [ext](P p, BatchReport& r) { return batchTermCandidates(p, r, ext); };
    return ops;
}

} // namespace qmk
