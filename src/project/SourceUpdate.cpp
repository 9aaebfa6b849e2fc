// The copy-update-replace sequence of a source update, and the Refresh Status check.
#include "project/SourceUpdate.h"

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "parser/SourceFingerprint.h"
#include "project/CQuillDoc.h"
#include "project/FileStamp.h"
#include "project/WorkingCopy.h"
#include "resources/CountedText.h"
#include "resources/Feedback.h"
#include "resources/MessageIds.h"
#include "resources/Messages.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

// The project is reopened without the integrity check: it is the file this process closed a
// moment ago, or the copy the engine itself has just written and closed cleanly.
constexpr OpenMode kReopen{false, false, false};

} // namespace

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
    const std::filesystem::path database = db.path();
    db.close();
    WorkingCopy working(database, "");
    if (!working.ok()) {
        db.open(database, kReopen);
        feedback.messageText(fillPlaceholders(txt::UpdateWorkingCopyFailed, {database.string(), working.error()}),
                             Icon::Stop);
        return false;
    }

    const std::string title = formatMessage(msg::UpdateProgressTitle, {script.string()});
    FeedbackTask task(feedback, title);
    feedback.status(title);
    bool passed = false;
    try {
        CProjectDatabase copy;
        copy.openWorkingCopy(working.path());
        const UpdatePassResult result = UpdateDatabasePass(script, copy, includeExtensions, feedback, afterLine);
        cancelled = result.cancelled();
        passed = result.ok();
        done = {result.changedTexts, result.newTexts, result.removedTexts, result.flaggedTranslations};
        if (passed)
            copy.writeSourceFingerprint(sourceFingerprint(script, result.namedIncludes));
        copy.close();
    } catch (const DaoException& e) {
        feedback.messageText(e.report(), Icon::Stop);
    }
    feedback.status({});

    const bool replaced = passed && working.copyBack();
    if (passed && !replaced)
        feedback.messageText(fillPlaceholders(txt::UpdateCopyBackFailed, {database.string(), working.error()}),
                             Icon::Stop);
    db.open(database, kReopen);
    if (replaced) {
        // The message as it always read, then what the translator will find changed.
        feedback.messageText(formatMessage(msg::UpdateSuccessful, {script.string()}) + "\n\n" +
                                 updateCountsText(done) + ".",
                             Icon::Information);
        if (counts)
            *counts = done;
    }
    return replaced;
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
