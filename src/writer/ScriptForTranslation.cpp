// One translated script from the stored lines and texts.
#include "writer/ScriptForTranslation.h"

#include "database/CProjectDatabase.h"
#include "database/TranslationColumnNames.h"
#include "parser/LanguageTable.h"
#include "resources/Feedback.h"
#include "parser/ParserCodes.h"
#include "project/TranslationEncoding.h"
#include "resources/Messages.h"
#include "resources/Texts.h"
#include "writer/TranslatedScriptWriter.h"

namespace qmk {

int WriteScriptForTranslation(const std::filesystem::path& target, const std::string& sourcePath,
                              CProjectDatabase& db, LanguageId language, int projectCodePage, Feedback& feedback)
{
    const std::string column = translationColumnName(language.language, language.sublanguage);
    if (column.empty() || !db.isOpen())
        return 0;
    const SourceEncodingFacts source = sourceEncodingFacts(db, projectCodePage);
    WriterTarget settings;
    settings.language = language.language;
    settings.sublanguage = language.sublanguage;
    settings.encoding = translationEncoding(db, projectCodePage, language);
    settings.sourceCodePage = projectCodePage;
    settings.sourceHasPragma = db.hasLineOfKind(toInt(LineKind::CodePage));
    settings.utf8Bom = source.utf8Bom;
    TranslatedScriptWriter writer(settings, target);
    if (writer.begin(sourcePath)) {
        const bool known = db.texts().forEachLineWithTranslation(language, [&](const ProjectTexts::WriterRow& row) {
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
        if (!writer.unrepresentable().empty()) {
            std::string where;
            for (const std::string& line : writer.unrepresentable())
                where += (where.empty() ? "" : "\n") + line;
            feedback.messageText(fillPlaceholders(txt::WriteUnrepresentable,
                                                  {name.empty() ? column : name, encodingName(settings.encoding),
                                                   target.string(), where}),
                                 Icon::Stop);
            return 0;
        }
        feedback.messageText(fileErrorMessage(writer.error(), name.empty() ? column : name, target.string()),
                             Icon::Stop);
        return 0;
    }
    if (!writer.escapedLines().empty()) {
        std::string where;
        for (const std::string& line : writer.escapedLines())
            where += (where.empty() ? "" : "\n") + line;
        feedback.messageText(fillPlaceholders(txt::WriteEscapedLineBreaks, {target.string(), where}), Icon::Information);
    }
    return 1;
}

} // namespace qmk
