// The import of a translated resource script.
#include "exchange/ScriptImport.h"

#include <memory>

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "database/Transaction.h"
#include "database/TranslationColumnNames.h"
#include "exchange/ImportedTranslation.h"
#include "exchange/ItemMatcher.h"
#include "exchange/ScriptCodePageProbe.h"
#include "project/ChangedTexts.h"
#include "exchange/ScriptImportLineSink.h"
#include "project/TranslationEncoding.h"
#include "parser/LoadLoop.h"
#include "project/CQuillDoc.h"
#include "resources/Feedback.h"
#include "resources/MessageIds.h"
#include "resources/Messages.h"
#include "resources/Texts.h"

namespace qmk {
ScriptImport::ScriptImport(CQuillDoc& doc, std::vector<std::string> includeExtensions)
    : doc_(doc), includeExtensions_(std::move(includeExtensions))
{
}

ScriptImportResult ScriptImport::run(const std::filesystem::path& script, LanguageId language)
{
    ScriptImportResult result;
    if (script.empty() || translationColumnName(language.language, language.sublanguage).empty())
        return result;
    CQuillDoc::LongOperation operation(doc_);
    if (!operation.acquired()) {
        result.outcome = OperationResult::Refused;
        return result;
    }
    Feedback& feedback = doc_.feedback();
    const std::string path = script.string();
    const std::filesystem::path projectDatabase = doc_.databasePath();
    const std::string title = fillPlaceholders(txt::ImportStatus, {path});
    FeedbackTask task(feedback, title);
    ChangedTextsWatch watch(doc_);
    feedback.status(title);
    result.outcome = OperationResult::Failed;

    // Both code pages are settled while the project is still open.
    const int scriptEncoding = ScriptCodePageProbe::codePageOf(script, includeExtensions_);
    const int projectCodePage = doc_.codePage();

    // The import works in place, in one transaction that holds the project's write lock from
    // before its first read to its commit: a failure or a cancel rolls back everything, the
    // added translation too, and another program's write is never overwritten.
    CProjectDatabase& work = doc_.database();
    std::unique_ptr<Transaction> whole;
    try {
        whole = work.beginBulk();
    } catch (const DaoException& e) {
        if (!e.inUse())
            feedback.messageText(e.report(), Icon::Stop);
        else
            feedback.messageText(fillPlaceholders(txt::ImportProjectInUse, {path, projectDatabase.string()}),
                                 Icon::Stop);
        return result;
    }
    int code = 0;
    try {
        if (!work.languages().translationColumnExists(language)) {
            if (!addImportedTranslation(work, language, doc_.scriptPath(), importedEncoding(scriptEncoding, language))) {
                feedback.message(msg::CantAddLanguage, {projectDatabase.string()}, Icon::Stop);
                return result;
            }
            result.translationAdded = true;
        } else if (!hasOwnTexts(work, language)) {
            // A translator who imports a UTF-8 German script wants UTF-8 German scripts back.
            changeTranslationEncoding(work, projectCodePage, language, importedEncoding(scriptEncoding, language));
        }
        code = importLines(work, script, language, textCodePage(scriptEncoding),
                           textCodePage(translationEncoding(work, projectCodePage, language)), result);
        if (code == 0)
            whole->commit();
    } catch (const DaoException& e) {
        feedback.messageText(e.inUse() ? fillPlaceholders(txt::ImportProjectInUse, {path, projectDatabase.string()})
                                       : e.report(),
                             Icon::Stop);
        whole.reset();
        result.translationAdded = false;
        result.imported = 0;
        doc_.translationsImported(operation, false);  // the rows show what the project holds
        return result;
    }
    whole.reset();
    if (code != 0) {
        result.translationAdded = false;
        result.imported = 0;
        if (code != kLoadCancelled)
            feedback.messageText(fillPlaceholders(txt::ImportReadError, {path}), Icon::Stop);
        else
            result.outcome = OperationResult::Cancelled;
        result.code = code;
        return result;
    }
    result.outcome = OperationResult::Done;
    if (result.translationAdded)
        doc_.closeTimeBookkeeping();
    doc_.translationsImported(operation, result.imported > 0);
    result.changed = watch.finish();
    reportResult(script, result);
    return result;
}

int ScriptImport::importLines(CProjectDatabase& work, const std::filesystem::path& script, LanguageId language,
                              int scriptCodePage, int targetCodePage, ScriptImportResult& result)
{
    if (!work.languages().translationColumnExists(language))
        return 0;
    Feedback& feedback = doc_.feedback();
    ItemMatcher matcher(work, language);
    ScriptImportLineSink sink(matcher, scriptCodePage, targetCodePage);
    LoadLoop loop(sink, includeExtensions_, feedback);
    std::unique_ptr<Transaction> bulk = work.beginBulk();
    // The reader reports its own failures, with the file and line of the statement.
    const int code = loop.run(script);
    sink.finish();
    result.missingIncludes = loop.missingIncludes();
    if (!result.missingIncludes.empty())
        feedback.message(msg::MissingIncludeFiles, {joinedLines(result.missingIncludes)}, Icon::Exclamation);
    if (code != 0)
        return code;
    bulk->commit();
    result.imported = sink.importCount();
    if (!sink.unrepresentable().empty())
        feedback.messageText(fillPlaceholders(txt::ImportUnrepresentable,
                                              {script.string(), joinedLines(sink.unrepresentable())}),
                             Icon::Exclamation);
    return 0;
}

void ScriptImport::reportResult(const std::filesystem::path& script, const ScriptImportResult& result)
{
    if (result.imported == 0)
        doc_.feedback().messageText(fillPlaceholders(txt::ImportNothing, {script.string()}), Icon::Information);
    else
        doc_.feedback().messageText(
            withChangedTexts(fillPlaceholders(txt::ImportDone, {script.string(), std::to_string(result.imported)}),
                             result.changed),
            Icon::Information);
}

} // namespace qmk
