// The export of a project to a new database.
#include "exchange/DatabaseExport.h"

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "project/CQuillDoc.h"
#include "resources/Feedback.h"
#include "resources/FileNames.h"
#include "resources/Messages.h"
#include "resources/Texts.h"

namespace qmk {

bool DatabaseExport::checkTarget(const std::filesystem::path& target, const std::filesystem::path& currentDatabase,
                                 const std::vector<std::filesystem::path>& openDatabases,
                                 const std::string& projectSourceFile)
{
    if (sameFile(target, currentDatabase)) {
        feedback_.messageText(fillPlaceholders(txt::ExportIsCurrentDatabase, {target.string()}), Icon::Stop);
        return false;
    }
    for (const std::filesystem::path& open : openDatabases) {
        if (sameFile(target, open)) {
            feedback_.messageText(fillPlaceholders(txt::ExportDatabaseIsOpen, {target.string()}), Icon::Stop);
            return false;
        }
    }
    replacesEarlierExport_ = false;
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(target, ec);
    if (!std::filesystem::exists(status))
        return true;
    if (status.type() != std::filesystem::file_type::regular)
        return refuse(txt::ExportTargetNotAFile, target);
    if (!CProjectDatabase::isProjectDatabase(target))
        return refuse(txt::ExportTargetNotADatabase, target);
    std::string otherSource;
    try {
        CProjectDatabase other;
        other.open(target, OpenMode{false, true, true});
        otherSource = other.sourceFile();
    } catch (const DaoException& e) {
        return refuse(txt::ExportTargetNotADatabase, target, e.report());
    }
    if (!sameFile(otherSource, projectSourceFile) && otherSource != projectSourceFile)
        return refuse(txt::ExportTargetOtherProject, target, otherSource);
    replacesEarlierExport_ = true;
    return true;
}

bool DatabaseExport::refuse(const char* text, const std::filesystem::path& target, const std::string& detail)
{
    feedback_.messageText(fillPlaceholders(text, {target.string(), detail}), Icon::Stop);
    return false;
}

OperationResult DatabaseExport::run(CProjectDatabase& source, const std::filesystem::path& target,
                                    const std::vector<LanguageId>& languages)
{
    FeedbackTask task(feedback_, fillPlaceholders(txt::TaskExportDatabase, {target.string()}), 3);
    try {
        CProjectDatabase exported;
        exported.createNew(target);
        task.step(1);
        exported.copyProjectFrom(source.path(), languages);
        task.step(2);
        // The stored status counted the translations that were left behind.
        exported.setStatus(exported.languages().computeStatus());
        exported.finishNew();
        exported.close();
        task.step(3);
    } catch (const DaoException& e) {
        feedback_.messageText(e.report(), Icon::Stop);
        return OperationResult::Failed;
    }
    feedback_.messageText(fillPlaceholders(txt::ExportDatabaseDone, {target.string()}), Icon::Information);
    return OperationResult::Done;
}

OperationResult DatabaseExport::runFor(CQuillDoc& doc, const std::filesystem::path& target,
                                       const std::vector<LanguageId>& languages,
                                       const std::vector<std::filesystem::path>& openDatabases)
{
    if (!checkTarget(target, doc.databasePath(), openDatabases, doc.database().sourceFile()))
        return OperationResult::Refused;
    return run(doc.database(), target, languages);
}

} // namespace qmk
