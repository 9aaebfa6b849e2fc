// Checking the target of a translated script.
#include "project/TranslationTarget.h"

#include "database/CProjectDatabase.h"
#include "parser/LanguageTable.h"
#include "parser/LoadLoop.h"
#include "project/CQuillDoc.h"
#include "project/ProjectFileNames.h"
#include "resources/FileNames.h"
#include "resources/Messages.h"
#include "resources/Texts.h"

namespace qmk {
std::string translationTargetProblem(CQuillDoc& doc, LanguageId language, const std::filesystem::path& target)
{
    const std::string displayName(languageDisplayText(language.language, language.sublanguage));
    auto refused = [&](const std::string& what) {
        return fillPlaceholders(txt::WriteTargetRefused, {displayName, target.string(), what});
    };
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(target, ec);
    if (status.type() == std::filesystem::file_type::directory)
        return refused(txt::TargetIsFolder);
    if (std::filesystem::exists(status) && status.type() != std::filesystem::file_type::regular)
        return refused(txt::TargetIsNotRegular);
    if (sameFile(target, doc.databasePath()))
        return refused(txt::TargetIsDatabase);
    if (sameFile(target, doc.scriptPath()))
        return refused(txt::TargetIsScript);
    CProjectDatabase& db = doc.database();
    for (const std::filesystem::path& included : doc.includedFiles())
        if (sameFile(target, included))
            return refused(fillPlaceholders(txt::TargetIsInclude, {included.filename().string()}));
    for (const TextMatch& include : db.update().includeLines())
        if (sameFile(target, includePath(doc.scriptPath(), include.sourceText)))
            return refused(fillPlaceholders(txt::TargetIsInclude, {include.sourceText}));
    for (const TranslationFileName& other : db.languages().translationFileNames()) {
        if (other.id == language || other.fileName.empty())
            continue;
        if (sameFile(target, translationFilePath(doc.documentPath(), other.fileName)))
            return refused(fillPlaceholders(
                txt::TargetIsOtherTranslation,
                {std::string(languageDisplayText(other.id.language, other.id.sublanguage))}));
    }
    return {};
}

} // namespace qmk
