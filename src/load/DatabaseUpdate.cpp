// The update pass of a project database.
#include "load/DatabaseUpdate.h"

#include "database/CProjectDatabase.h"
#include "database/LineStore.h"
#include "parser/LoadLoop.h"
#include "parser/ParserCodes.h"
#include "load/UpdateLineStore.h"
#include "resources/Feedback.h"
#include "resources/MessageIds.h"

namespace qmk {
namespace {

// Passes each line on, then calls the hook.
class HookedSink : public LineSink {
public:
    HookedSink(LineSink& inner, const UpdateLineHook& hook) : inner_(inner), hook_(hook) {}
    void store(const ParsedLine& line, const ScriptParser& parser, int lineNumber) override
    {
        inner_.store(line, parser, lineNumber);
        hook_(lineNumber);
    }

private:
    LineSink& inner_;
    const UpdateLineHook& hook_;
};

void reportResult(const UpdatePassResult& result, const std::filesystem::path& script, Feedback& feedback)
{
    switch (result.code) {
    case 0:
    case kLoadCancelled:
        break;
    case ParserCode::OutOfMemory:
        feedback.message(msg::OutOfMemory, {}, Icon::Stop);
        break;
    case ParserCode::FolderNotReachable:
    case ParserCode::CannotOpenFile:
        feedback.message(msg::CantOpenIncludeFile, {script.string()}, Icon::Stop);
        break;
    default:
        feedback.message(msg::ParserErrorInFile, {script.string()}, Icon::Stop);
        break;
    }
}

// The source languages' font settings are kept by language: carried over to the new rows.
bool hasFontSettings(const std::vector<SourceLanguageRow>& rows)
{
    for (const SourceLanguageRow& row : rows)
        if (!row.fontName.empty() || row.charSet != FontSetting{}.charSet)
            return true;
    return false;
}

void restoreFonts(CProjectDatabase& db, const std::vector<SourceLanguageRow>& sources)
{
    std::vector<FontSetting> sourceFonts;
    for (const SourceLanguageRow& row : sources)
        sourceFonts.push_back({row.id, row.fontName, row.charSet});
    std::vector<FontSetting> translationFonts;
    for (const TranslationRow& row : db.languages().translations())
        translationFonts.push_back({row.id, row.fontName, row.charSet});
    db.languages().saveFonts(sourceFonts, translationFonts);
}

// The project's source language as it was read before. A project built before the choice was
// kept offers what it offered: every block when its LANGUAGE statements name several languages
// (all were read as the source), else the one language they name.
SourceLanguageRule keptSourceRule(CProjectDatabase& db, const std::vector<SourceLanguageRow>& sources)
{
    if (std::optional<int> stored = db.sourceLanguageChoice())
        return SourceLanguageRule::fromStored(*stored);
    std::optional<LanguageId> only;
    for (const SourceLanguageRow& row : sources) {
        if (isNeutralLanguage(row.id))
            continue;
        if (only && !(*only == row.id))
            return SourceLanguageRule::everyBlock();
        only = row.id;
    }
    return only ? SourceLanguageRule::named(*only) : SourceLanguageRule::everyBlock();
}

} // namespace

UpdatePassResult UpdateDatabasePass(const std::filesystem::path& script, CProjectDatabase& db,
                                    const std::vector<std::string>& includeExtensions, Feedback& feedback,
                                    const UpdateLineHook& afterLine)
{
    UpdatePassResult result;
    const std::vector<SourceLanguageRow> sourceLanguages = db.languages().sourceLanguages();
    std::unique_ptr<LineStore> rows = db.lineStore();
    UpdateLineStore store(db, *rows);
    HookedSink hooked(store, afterLine);
    LoadLoop loop(afterLine ? static_cast<LineSink&>(hooked) : store, includeExtensions, feedback);
    loop.setSourceRule(keptSourceRule(db, sourceLanguages));
    result.code = loop.run(script);
    result.missingIncludes = loop.missingIncludes();
    result.namedIncludes = loop.includedFiles();
    result.namedIncludes.insert(result.namedIncludes.end(), loop.skippedFiles().begin(), loop.skippedFiles().end());
    result.foundLines = store.foundLines();
    result.newLines = store.newLines();
    result.changedTexts = store.changedTexts();
    result.newTexts = store.newTexts();
    if (result.ok()) {
        store.finish();
        const UpdateStore::Removal removal = db.update().removeObsoleteRows();
        result.removedTexts = removal.removedTexts;
        result.flaggedTranslations = removal.flaggedTranslations;
        db.setSourceEncoding(static_cast<int>(loop.scriptEncoding()));
        db.setSourceLanguageChoice(loop.sourceRule().stored());
        if (hasFontSettings(sourceLanguages))
            restoreFonts(db, sourceLanguages);
        rows->commit();
    }
    loop.reportReading(script);
    reportResult(result, script, feedback);
    return result;
}

} // namespace qmk
