// /SRC of /C: which of a script's languages the new project translates.
#include <algorithm>

#include "app/BatchOperations.h"
#include "app/CBatchCommandLineInfo.h"
#include "app/LanguageParameter.h"
#include "load/DatabaseBuild.h"
#include "resources/FileNames.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"

namespace qmk {

BatchStatus namedSourceLanguage(const std::vector<std::string>& params, const std::string& script,
                                const std::vector<std::string>& includeExtensions, BatchReport& report,
                                std::optional<LanguageId>& language)
{
    language.reset();
    const auto marker = std::find_if(params.begin(), params.end(), [](const std::string& parameter) {
        return equalsIgnoringCase(parameter, SourceLanguageParameter);
    });
    if (marker == params.end())
        return BatchStatus::Success;
    if (marker + 1 == params.end()) {
        report.error(txt::BatchMissingParameter);
        return BatchStatus::UsageError;
    }
    const std::string& named = *(marker + 1);
    const std::vector<LanguageTexts> languages = scriptLanguages(script, includeExtensions);
    const std::string labels = languages.empty() ? std::string(txt::BatchScriptNamesNoLanguage) : languageLabels(languages);
    const std::optional<LanguageId> id = parseLanguageParameter(named);
    if (!id) {
        report.error(printfText(txt::BatchSourceLanguageInvalid, {named, script, labels}));
        return BatchStatus::UsageError;
    }
    language = blockOfLanguage(languages, *id);
    if (!language) {
        report.error(printfText(txt::BatchSourceLanguageNoBlock, {script, named, labels}));
        return BatchStatus::Failed;
    }
    return BatchStatus::Success;
}

} // namespace qmk
