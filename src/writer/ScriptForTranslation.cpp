// One translated script from the stored lines and texts.
#include "writer/ScriptForTranslation.h"

#include <unordered_map>
#include <vector>

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
    std::vector<LanguageId> ids = db.translationIds();
    std::size_t slot = ids.size();
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (ids[i] == language)
            slot = i;

    // Texts keyed by their line, so a line is always written with its own text.
    std::unordered_map<int, TextRow> texts;
    db.forEachTextInLineOrder([&](const TextRow& row) { texts.emplace(row.lineIndex, row); });

    TranslatedScriptWriter writer({language.language, language.sublanguage, keepUtf8}, target);
    if (writer.begin(sourcePath)) {
        db.forEachScriptLine([&](const LineRow& row) {
            WriterLine line;
            line.kind = row.lineKind;
            line.before = row.beforeStr;
            line.behind = row.behindStr;
            if (auto it = texts.find(row.lineIndex); it != texts.end()) {
                line.hasText = true;
                line.exclude = it->second.exclude;
                line.sourceText = it->second.sourceText;
                if (slot < it->second.translations.size())
                    line.translation = it->second.translations[slot].text;
            }
            writer.writeLine(line);
        });
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
