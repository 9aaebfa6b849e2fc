// One translated script from the stored lines and texts.
#include "writer/ScriptForTranslation.h"

#include <cstring>
#include <optional>

#include "database/CProjectDatabase.h"
#include "database/TranslationColumnNames.h"
#include "parser/LanguageTable.h"
#include "resources/Feedback.h"
#include "parser/ParserCodes.h"
#include "project/TranslationEncoding.h"
#include "project/WrittenFiles.h"
#include "resources/Messages.h"
#include "resources/Texts.h"
#include "writer/TranslatedScriptWriter.h"

namespace qmk {
namespace {

// Why the script of translation `name` was not written: bytes of the source that are no text of
// the code page it was read in, characters the translation's encoding lacks, or the file error.
void reportFailedWrite(const TranslatedScriptWriter& writer, const std::string& name, int projectCodePage,
                       int encoding, const std::filesystem::path& target, Feedback& feedback)
{
    if (!writer.undecodable().empty())
        feedback.messageText(fillPlaceholders(txt::WriteUndecodable, {name, encodingName(projectCodePage), target.string(),
                                                                      joinedLines(writer.undecodable())}),
                             Icon::Stop);
    if (!writer.unrepresentable().empty())
        feedback.messageText(fillPlaceholders(txt::WriteUnrepresentable, {name, encodingName(encoding), target.string(),
                                                                          joinedLines(writer.unrepresentable())}),
                             Icon::Stop);
    if (writer.undecodable().empty() && writer.unrepresentable().empty())
        feedback.messageText(fileErrorMessage(writer.error(), name, target.string()), Icon::Stop);
}

} // namespace

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
    settings.keepSourcePragmas = !source.utf16 && settings.encoding == projectCodePage;
    const std::string displayName = [&] {
        const std::string name(languageDisplayText(language.language, language.sublanguage));
        return name.empty() ? column : name;
    }();
    // A file the project did not write, or that was changed since, is kept once before the
    // project replaces it; without the copy it is not replaced.
    std::optional<KeptBackup> backup;
    const WrittenFileState state = writtenFileState(db, sourcePath, target);
    std::error_code notRegular;
    if ((state == WrittenFileState::ProjectScript || state == WrittenFileState::Foreign) &&
        std::filesystem::is_regular_file(target, notRegular)) {
        int error = 0;
        backup = keepBackup(target, error);
        if (!backup) {
            feedback.messageText(fillPlaceholders(txt::WriteBackupFailed, {displayName, target.string(),
                                                                           backupPathFor(target).string(),
                                                                           std::strerror(error)}),
                                 Icon::Stop);
            return 0;
        }
    }
    // The file stays as it was when the write fails: a copy made for it is not needed.
    auto dropBackup = [&] {
        if (backup && backup->made) {
            std::error_code ignored;
            std::filesystem::remove(backup->path, ignored);
        }
    };
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
            line.asWritten = row.asWritten;
            writer.writeLine(line);
        });
        if (!known) {
            dropBackup();
            return 0;
        }
    }
    if (!writer.finish()) {
        dropBackup();
        reportFailedWrite(writer, displayName, projectCodePage, settings.encoding, target, feedback);
        return 0;
    }
    recordWrittenFile(db, target);
    if (backup && backup->made)
        feedback.status(fillPlaceholders(txt::WriteBackupKept, {target.string(), backup->path.string()}));
    if (!writer.escapedLines().empty())
        feedback.messageText(fillPlaceholders(txt::WriteEscapedLineBreaks, {target.string(), joinedLines(writer.escapedLines())}),
                             Icon::Information);
    return 1;
}

} // namespace qmk
