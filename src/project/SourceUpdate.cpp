// The source update of a project in place under its write lock, and the Refresh Status check.
#include "project/SourceUpdate.h"

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "database/Transaction.h"
#include "parser/SourceFingerprint.h"
#include "project/CQuillDoc.h"
#include "project/FileStamp.h"
#include "resources/CountedText.h"
#include "resources/Feedback.h"
#include "resources/MessageIds.h"
#include "resources/Messages.h"
#include "resources/Texts.h"

namespace qmk {

std::string updateCountsText(const UpdateCounts& counts)
{
    return counted(counts.changed, "text changed", "texts changed") + ", " +
           counted(counts.added, "new text", "new texts") + ", " +
           counted(counts.removed, "text removed", "texts removed") + ", " +
           counted(counts.flagged, "translation flagged for review", "translations flagged for review");
}

bool UpdateTransaction(CProjectDatabase& db, const std::filesystem::path& script,
                       const std::vector<std::string>& includeExtensions, Feedback& feedback, bool& cancelled,
                       const UpdateLineHook& afterLine, UpdateCounts* counts)
{
    cancelled = false;
    UpdateCounts done;
    if (!db.isOpen())
        return false;
    // The update works in place, in one transaction that holds the project's write lock from
    // before its first read to its commit: another program's write cannot slip in between or
    // be lost, and a failure, a cancel or a crash rolls the project back to what it was.
    std::unique_ptr<Transaction> whole;
    try {
        whole = db.beginBulk();
    } catch (const DaoException& e) {
        if (!e.inUse())
            throw;
        feedback.messageText(fillPlaceholders(txt::UpdateProjectInUse, {db.path().string()}), Icon::Stop);
        return false;
    }

    const std::string title = formatMessage(msg::UpdateProgressTitle, {script.string()});
    FeedbackTask task(feedback, title);
    feedback.status(title);
    bool passed = false;
    try {
        const UpdatePassResult result = UpdateDatabasePass(script, db, includeExtensions, feedback, afterLine);
        cancelled = result.cancelled();
        done = {result.changedTexts, result.newTexts, result.removedTexts, result.flaggedTranslations};
        if (result.ok()) {
            db.writeSourceFingerprint(sourceFingerprint(script, result.namedIncludes));
            whole->commit();
            passed = true;
        }
    } catch (const DaoException& e) {
        feedback.messageText(e.inUse() ? fillPlaceholders(txt::UpdateProjectInUse, {db.path().string()}) : e.report(),
                             Icon::Stop);
    }
    whole.reset();
    feedback.status({});
    if (!passed)
        return false;
    // The message as it always read, then what the translator will find changed.
    feedback.messageText(formatMessage(msg::UpdateSuccessful, {script.string()}) + "\n\n" + updateCountsText(done) + ".",
                         Icon::Information);
    if (counts)
        *counts = done;
    return true;
}

std::vector<CQuillDoc*> refreshSourceStatus(const std::vector<CQuillDoc*>& documents, Feedback& feedback)
{
    std::vector<CQuillDoc*> changed;
    std::string paths;
    for (CQuillDoc* doc : documents) {
        if (doc->sourceChanged() || !doc->IsSourceChanged())
            continue;
        doc->setSourceChanged(true);
        changed.push_back(doc);
        if (!paths.empty())
            paths += '\n';
        paths += doc->documentPath().string();
    }
    if (!changed.empty())
        feedback.message(msg::SourceFilesChanged, {paths}, Icon::Information);
    return changed;
}

} // namespace qmk
