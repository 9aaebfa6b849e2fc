// One translated script from the stored lines and texts.
#include "writer/ScriptForTranslation.h"

#include "database/CProjectDatabase.h"
#include "database/TranslationColumnNames.h"
#include "parser/LanguageTable.h"
#include "resources/Feedback.h"
#include "writer/TranslatedScriptWriter.h"

namespace qmk {

int WriteScriptForTranslation(const std::filesystem::path& target, const std::string& sourcePath,
                              CProjectDatabase& db, LanguageId language, bool keepUtf8, Feedback& feedback)
{
    const std::string column = translationColumnName(language.language, language.sublanguage);
    if (column.empty() || !db.isOpen())
        return 0;
    TranslatedScriptWriter writer({language.language, language.sublanguage, keepUtf8}, target);
    if (writer.begin(sourcePath)) {
        const bool known = db.forEachLineWithTranslation(language, [&](const CProjectDatabase::WriterRow& row) {
            WriterLine line;
            line.kind = row.lineKind;
            line.before = row.beforeStr;
            line.behind = row.behindStr;
            line.hasText = row.hasText;
            line.exclude = row.exclude;
            line.sourceText = row.sourceText;
            line.translation = row.translation;
            writer.writeLine(line);
        });
        if (!known)
            return 0;
    }
    if (!writer.finish()) {
        const std::string name(languageDisplayText(language.language, language.sublanguage));
        feedback.messageText(fileErrorMessage(writer.error(), name.empty() ? column : name, target.string()),
                             Icon::Stop);
        return 0;
    }
    return 1;
}

} // namespace qmk
