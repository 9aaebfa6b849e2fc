// Batch operations on the source change: UpToDate and Update, each given a database, or a
// script and the database that is to follow it.
#include "app/BatchOperations.h"
#include "app/BatchSupport.h"

#include "project/CQuillDoc.h"
#include "project/ProjectFileNames.h"
#include "project/SourceUpdate.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

// The database parameter and, with two parameters, the script given before it.
struct UpdateParameters {
    std::string script;  // empty: the script the file-name rules find beside the database
    std::string database;
};

UpdateParameters updateParameters(const std::vector<std::string>& params)
{
    if (params.size() >= 2)
        return {params[0], params[1]};
    return {{}, params[0]};
}

// Opens the project and settles the script to compare with; false when either is missing.
bool openProject(ProjectOperation& op, const UpdateParameters& p, ProjectUse use, BatchReport& report,
                 std::string& script)
{
    if (!p.script.empty()) {
        if (!batchFileExists(p.script)) {
            report.error(printfText(txt::BatchFileNotFound, {p.script}));
            return false;
        }
        if (isDatabasePath(p.script)) {
            report.error(printfText(txt::BatchWrongFileType, {p.script}));
            return false;
        }
    }
    if (!op.open(p.database, use))
        return false;
    script = p.script.empty() ? op.doc().scriptPath().string() : p.script;
    // Without its script a project can be neither checked nor updated.
    if (!batchFileExists(script)) {
        report.error(printfText(txt::BatchFileNotFound, {script}));
        return false;
    }
    return true;
}

} // namespace

BatchStatus batchUpToDate(const std::vector<std::string>& params, BatchReport& report,
                          const std::vector<std::string>& includeExtensions)
{
    const UpdateParameters p = updateParameters(params);
    report.line(p.script.empty() ? printfText(txt::BatchUpToDateStartFile, {p.database})
                                 : printfText(txt::BatchUpToDateStartScript, {p.script, p.database}));
    return guardedBatchOperation(report, [&] {
        ProjectOperation op(report, includeExtensions);
        std::string script;
        if (!openProject(op, p, ProjectUse::Read, report, script))
            return batchFailed(report);
        const bool changed = op.doc().IsSourceChanged(script);
        report.line(changed ? txt::BatchUpToDateNo : txt::BatchUpToDateYes);
        return changed ? BatchStatus::CheckAnsweredNo : BatchStatus::Success;
    });
}

BatchStatus batchUpdate(const std::vector<std::string>& params, BatchReport& report,
                        const std::vector<std::string>& includeExtensions)
{
    const UpdateParameters p = updateParameters(params);
    report.line(p.script.empty() ? printfText(txt::BatchUpdateStartFile, {p.database})
                                 : printfText(txt::BatchUpdateStartScript, {p.script, p.database}));
    return guardedBatchOperation(report, [&] {
        ProjectOperation op(report, includeExtensions);
        std::string script;
        // The update holds the project from before its first read to its end: another
        // program's import or update either finishes first or waits for this one.
        if (!openProject(op, p, ProjectUse::Write, report, script) || !op.doc().UpdateDatabase(script) ||
            !op.finish()) {
            report.error(txt::BatchNotUpdated);
            return BatchStatus::Failed;
        }
        report.line(txt::BatchUpdateDone);
        report.line("     " + updateCountsText(op.doc().lastUpdateCounts()) + ".");
        return BatchStatus::Success;
    });
}

} // namespace qmk
