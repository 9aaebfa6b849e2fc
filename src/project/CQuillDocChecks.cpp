// CQuillDoc: what the project keeps of its quality checks. A finding let stand is an edit of the
// history like a stored text; a check switched off is a setting of the project.
#include "project/CQuillDoc.h"

#include <algorithm>

#include "project/ProjectObserver.h"
#include "project/ReportedFailure.h"
#include "resources/CheckTexts.h"
#include "resources/Messages.h"

namespace qmk {

OperationResult CQuillDoc::setFindingIgnored(const IgnoredFinding& finding, bool ignored)
{
    if (busy_)
        return OperationResult::Refused;
    const std::optional<bool> ignoredBefore = reportFailure(feedback_, [&] {
        return std::optional<bool>(std::ranges::count(db_.checks().ignoredFindings(), finding) > 0);
    }, std::optional<bool>{}, databasePath_.string());
    if (!ignoredBefore)
        return OperationResult::Failed;
    const bool before = *ignoredBefore;
    if (before == ignored)
        return OperationResult::Cancelled;
    const OperationResult result = writeIgnored(finding, ignored);
    if (!result.done())
        return result;
    TranslationEdit edit;
    edit.kind = TranslationEdit::Kind::IgnoreFinding;
    edit.lineIndex = finding.lineIndex;
    edit.language = finding.language;
    edit.check = finding.check;
    edit.ignoredBefore = before;
    edit.ignoredAfter = ignored;
    const std::string label = fillPlaceholders(ignored ? txt::StepIgnoreFinding : txt::StepRestoreFinding,
                                               {finding.check, languageName(finding.language)});
    history_.record(std::move(edit), label);
    return result;
}

OperationResult CQuillDoc::writeIgnored(const IgnoredFinding& finding, bool ignored)
{
    if (!reportFailure(feedback_, [&] {
            db_.checks().setIgnored(finding, ignored);
            return true;
        }, false, databasePath_.string()))
        return OperationResult::Failed;
    modified_ = true;
    notify([](ProjectObserver& o) { o.checksChanged(); });
    return OperationResult::Done;
}

OperationResult CQuillDoc::setCheckEnabled(std::string_view check, bool enabled)
{
    if (busy_)
        return OperationResult::Refused;
    if (!reportFailure(feedback_, [&] {
            db_.checks().setCheckEnabled(check, enabled);
            return true;
        }, false, databasePath_.string()))
        return OperationResult::Failed;
    notify([](ProjectObserver& o) { o.checksChanged(); });
    return OperationResult::Done;
}

} // namespace qmk
