// Writing the translated scripts of a project.
#include "writer/TranslatedScripts.h"

#include "database/CProjectDatabase.h"
#include "database/TranslationColumnNames.h"
#include "project/CQuillDoc.h"
#include "project/ProjectFileNames.h"
#include "project/TranslationTarget.h"
#include "project/WrittenFiles.h"
#include "resources/Feedback.h"
#include "resources/MessageIds.h"
#include "resources/Messages.h"
#include "resources/Texts.h"
#include "writer/ScriptForTranslation.h"

namespace qmk {

int writeTranslation(CQuillDoc& doc, LanguageId language, const std::filesystem::path& target)
{
    if (std::string problem = translationTargetProblem(doc, language, target); !problem.empty()) {
        doc.feedback().messageText(problem, Icon::Stop);
        return 0;
    }
    // A translation made by hand is not replaced unasked; where nobody can answer (batch) it is
    // replaced, as a copy of it is kept first.
    if (writtenFileState(doc.database(), doc.scriptPath(), target) == WrittenFileState::Foreign &&
        !doc.replacingAllowed(target)) {
        const std::string question =
            fillPlaceholders(txt::ReplaceForeignScript, {CQuillDoc::languageName(language), target.string(),
                                                         backupPathFor(target).string()});
        if (!doc.feedback().askText(question, true))
            return 0;
    }
    return WriteScriptForTranslation(target, doc.scriptPath().string(), doc.database(), language, doc.codePage(),
                                     doc.feedback());
}

OperationResult WriteTranslatedScripts(CQuillDoc& doc)
{
    CProjectDatabase& db = doc.database();
    Feedback& feedback = doc.feedback();
    if (!db.isOpen())
        return OperationResult::Failed;
    CQuillDoc::LongOperation operation(doc);
    if (!operation.acquired())
        return OperationResult::Refused;
    bool anyWritten = false;
    const std::vector<LanguageId> languages = db.languages().translationIds();
    FeedbackTask all(feedback, txt::TaskWriteTranslations, static_cast<long>(languages.size()));
    long done = 0;
    for (LanguageId language : languages) {
        all.step(done++);
        if (all.cancelled()) {
            // Each file is written whole or not at all, so stopping between two is safe.
            feedback.status({});
            return OperationResult::Cancelled;
        }
        std::string name = db.languages().fileName(language);
        if (name.empty()) {
            feedback.beep();
            name = defaultTranslationFileName(doc.documentPath(), translationColumnName(language.language, language.sublanguage));
        }
        if (name.empty())
            continue;
        const std::string title = formatMessage(msg::SaveFileStatus, {name});
        FeedbackTask file(feedback, title);
        feedback.status(title);
        if (writeTranslation(doc, language, translationFilePath(doc.documentPath(), name)) == 1)
            anyWritten = true;
    }
    feedback.status({});
    return anyWritten ? OperationResult::Done : OperationResult::Failed;
}

bool SaveModified(CQuillDoc& doc)
{
    doc.saveChangedFonts();
    if (doc.isModified() && doc.feedback().ask(msg::WriteTranslatedFilesQuestion, {}, true) &&
        WriteTranslatedScripts(doc).done()) {
        doc.setModified(false);
        doc.UpdateProjectStatus();
    }
    return true;
}

} // namespace qmk
