// The database build.
#include "load/DatabaseBuild.h"

#include "database/CProjectDatabase.h"
#include "database/LineStore.h"
#include "load/BuildLineStore.h"
#include "parser/LineSink.h"
#include "parser/LoadLoop.h"
#include "parser/ParserCodes.h"
#include "parser/ParserError.h"
#include "resources/Feedback.h"
#include "resources/Messages.h"
#include "resources/ReadingTexts.h"

namespace qmk {

namespace {

class DiscardingSink : public LineSink {
public:
    void store(const ParsedLine&, const ScriptParser&, int) override {}
};

} // namespace

std::vector<LanguageTexts> scriptLanguages(const std::filesystem::path& script,
                                           const std::vector<std::string>& includeExtensions)
{
    DiscardingSink nowhere;
    SilentFeedback quiet;
    LoadLoop loop(nowhere, includeExtensions, quiet);
    return loop.countTexts(script);
}

SourceLanguageRule askSourceLanguage(const std::vector<LanguageTexts>& counts, const std::filesystem::path& script,
                                     Feedback& feedback)
{
    const SourceLanguageRule most = ruleOfMostTexts(counts);
    std::vector<LanguageTexts> offered;
    for (const LanguageTexts& entry : counts)
        if (entry.texts > 0 && !isNeutralLanguage(entry.language))
            offered.push_back(entry);
    if (offered.size() < 2)
        return most;
    std::vector<std::string> answers;
    int defaultChoice = 0;
    for (std::size_t i = 0; i < offered.size(); ++i) {
        answers.push_back(fillPlaceholders(txt::SourceLanguageAnswer,
                                           {languageLabel(offered[i].language), std::to_string(offered[i].texts)}));
        if (offered[i].language == most.language)
            defaultChoice = static_cast<int>(i);
    }
    const int chosen = feedback.choose(fillPlaceholders(txt::SourceLanguageQuestion, {script.string()}), answers,
                                       defaultChoice);
    if (chosen < 0 || chosen >= static_cast<int>(offered.size()))
        return most;
    return SourceLanguageRule::named(offered[static_cast<std::size_t>(chosen)].language);
}

BuildResult BuildDatabase(const std::filesystem::path& script, CProjectDatabase& db,
                          const std::vector<std::string>& includeExtensions, Feedback& feedback,
                          std::optional<LanguageId> sourceLanguage)
{
    BuildResult result;
    std::unique_ptr<LineStore> rows = db.lineStore();
    BuildLineStore store(*rows);
    LoadLoop loop(store, includeExtensions, feedback);
    loop.setSourceRule(sourceLanguage ? SourceLanguageRule::named(*sourceLanguage)
                                      : askSourceLanguage(loop.countTexts(script), script, feedback));
    result.code = loop.run(script);
    result.sourceRule = loop.sourceRule();
    result.missingIncludes = loop.missingIncludes();
    result.namedIncludes = loop.includedFiles();
    result.namedIncludes.insert(result.namedIncludes.end(), loop.skippedFiles().begin(), loop.skippedFiles().end());
    result.sourceEncoding = loop.scriptEncoding();
    loop.reportReading(script);
    if (result.ok()) {
        db.setSourceLanguageChoice(result.sourceRule.stored());
        rows->commit();
    }
    else if (result.code == ParserCode::Syntax || result.code == ParserCode::OutputOverflow)
        feedback.messageText(ParserError::translationFailedText(script.string()), Icon::Stop);
    return result;
}

} // namespace qmk
