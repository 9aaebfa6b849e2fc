// The document's side of a changed source script: the change test, the question after opening,
// the database update with its messages and bookkeeping, and the old source text of an item.
#include "project/CQuillDoc.h"

#include "database/DaoException.h"
#include "project/FileStamp.h"
#include "project/ProjectObserver.h"
#include "project/ReportedFailure.h"
#include "project/SourceUpdate.h"
#include "resources/Feedback.h"
#include "resources/MessageIds.h"

namespace qmk {

bool CQuillDoc::IsSourceChanged(const std::filesystem::path& script)
{
    if (!db_.isOpen())
        return false;
    try {
        return checkSource(db_, script).changed;
    } catch (const DaoException&) {
        return false;
    }
}

OperationResult CQuillDoc::SourceChangedQuestion()
{
    if (!feedback_.ask(msg::UpdateDatabaseNow, {documentPath_.string()}, true))  // updating keeps every translation: Yes is the safe default
        return OperationResult::Cancelled;
    return UpdateDatabase();
}

OperationResult CQuillDoc::UpdateDatabase(const std::filesystem::path& script)
{
    std::error_code ec;
    if (!std::filesystem::exists(documentPath_, ec))
        return OperationResult::Failed;
    LongOperation operation(*this);
    if (!operation.acquired())
        return OperationResult::Refused;
    bool cancelled = false;
    const bool updated = reportFailure(feedback_, [&] {
        return UpdateTransaction(db_, script, includeExtensions_, feedback_, cancelled, updateHook_, &lastUpdateCounts_);
    }, false, databasePath_.string());
    if (!updated) {
        if (cancelled) {
            feedback_.message(msg::UpdateCancelled, {script.string()}, Icon::Information);
            return OperationResult::Cancelled;
        }
        feedback_.message(msg::UpdateFailed, {script.string()}, Icon::Stop);
        return OperationResult::Failed;
    }
    scriptPath_ = script;
    includedFiles_.reset();
    sourceChanged_ = false;
    modified_ = true;
    reportFailure(feedback_, [&] {
        closeTimeBookkeeping();
        return true;
    }, false, databasePath_.string());
    clearHistory();
    notify([](ProjectObserver& o) { o.sourceUpdated(); });
    if (rowsLoaded_)
        loadRows();
    return OperationResult::Done;
}

std::optional<CQuillDoc::ChangedSourceText> CQuillDoc::sourceChange(int lineIndex)
{
    if (!db_.isOpen())
        return std::nullopt;
    try {
        std::string oldText = db_.texts().sourceTextOld(lineIndex);
        if (oldText.empty())
            return std::nullopt;
        std::optional<TextRow> current = db_.texts().text(lineIndex);
        return ChangedSourceText{std::move(oldText), current ? current->sourceText : std::string()};
    } catch (const DaoException&) {
        return std::nullopt;  // nothing to show; the next change through the document reports it
    }
}

std::optional<CQuillDoc::ChangedSourceText> CQuillDoc::changedSourceText(int lineIndex)
{
    return reportFailure(feedback_, [&]() -> std::optional<ChangedSourceText> {
        std::string oldText = db_.texts().sourceTextOld(lineIndex);
        if (oldText.empty()) {
            feedback_.message(msg::NoOldSourceText, {}, Icon::Information);
            return std::nullopt;
        }
        std::optional<TextRow> current = db_.texts().text(lineIndex);
        return ChangedSourceText{std::move(oldText), current ? current->sourceText : std::string()};
    }, std::optional<ChangedSourceText>{});
}

} // namespace qmk
