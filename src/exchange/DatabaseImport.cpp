// The import from another project database.
#include "exchange/DatabaseImport.h"

#include <memory>

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "database/Transaction.h"
#include "exchange/ImportedTranslation.h"
#include "project/TranslationEncoding.h"
#include "exchange/ItemMatcher.h"
#include "parser/LanguageTable.h"
#include "parser/LineKindGroups.h"
#include "parser/ParserCodes.h"
#include "project/CQuillDoc.h"
#include "project/ProjectCodePage.h"
#include "project/ProjectFileNames.h"
#include "resources/Feedback.h"
#include "resources/MessageIds.h"
#include "resources/Messages.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

std::string dialogName(CProjectDatabase& db, std::optional<int> dlgLine)
{
    if (!dlgLine)
        return {};
    std::optional<DialogRow> dialog = db.items().dialog(*dlgLine);
    return dialog ? dialog->nameId : std::string();
}

} // namespace

DatabaseImport::DatabaseImport(CProjectDatabase& target, std::filesystem::path projectScript, Feedback& feedback)
    : target_(target), projectScript_(std::move(projectScript)), feedback_(feedback)
{
}

bool DatabaseImport::describe(CProjectDatabase& source, int lineIndex, int kind, ImportedItem& item)
{
    item.lineKind = kind;
    if (isDialogControlKind(kind)) {
        std::optional<ControlRow> control = source.items().control(lineIndex);
        if (!control)
            return false;
        item.resourceIdent = dialogName(source, control->dlgLine);
        item.itemIdent = control->nameId;
        item.x = control->x;
        item.y = control->y;
        item.cx = control->cx;
        item.cy = control->cy;
        return true;
    }
    switch (static_cast<LineKind>(kind)) {
    case LineKind::Caption:
        item.resourceIdent = dialogName(source, source.items().dialogOfCaption(lineIndex));
        return true;
    case LineKind::Popup:
    case LineKind::MenuItem: {
        std::optional<int> menuLine = source.items().menuOfItem(lineIndex);
        item.resourceIdent = menuLine ? source.items().menuIdent(*menuLine).value_or("") : std::string();
        item.itemIdent = source.items().menuItemIdent(lineIndex).value_or("");
        return true;
    }
    case LineKind::Bitmap:
        item.itemIdent = source.items().bitmapIdent(lineIndex).value_or("");
        return true;
    case LineKind::StringTableString:
        item.itemIdent = source.items().stringIdent(lineIndex).value_or("");
        return true;
    case LineKind::Value: {
        std::optional<VersionValueRow> value = source.items().versionValue(lineIndex);
        std::optional<IdentRow> version = source.items().versionOfValue(lineIndex);
        if (!value || !version)
            return false;
        item.itemIdent = value->value;
        item.resourceIdent = version->nameId;
        return true;
    }
    default:
        return false;
    }
}

DatabaseImportResult DatabaseImport::intoProject(CQuillDoc& doc, const std::filesystem::path& source,
                                                 LanguageId language)
{
    CQuillDoc::LongOperation operation(doc);
    if (!operation.acquired())
        return DatabaseImportResult{OperationResult::Refused};
    ChangedTextsWatch watch(doc);
    DatabaseImportResult result = DatabaseImport(doc.database(), doc.scriptPath(), doc.feedback()).run(source, language);
    if (result.ok()) {
        doc.translationsImported(operation, result.imported > 0);
        result.changed = watch.finish();
    }
    // Says what came of it: how many texts, or why none.
    if (result.languageMissing)
        doc.feedback().messageText(
            fillPlaceholders(txt::ImportDatabaseNoLanguage,
                             {source.string(), std::string(languageDisplayText(language.language, language.sublanguage))}),
            Icon::Exclamation);
    else if (result.ok())
        doc.feedback().messageText(
            result.imported > 0
                ? withChangedTexts(fillPlaceholders(txt::ImportDone, {source.string(), std::to_string(result.imported)}),
                                   result.changed)
                : fillPlaceholders(txt::ImportNothing, {source.string()}),
            Icon::Information);
    return result;
}

DatabaseImportResult DatabaseImport::run(const std::filesystem::path& sourcePath, LanguageId language)
{
    DatabaseImportResult result;
    FeedbackTask task(feedback_, fillPlaceholders(txt::TaskImportDatabase, {sourcePath.string()}));
    try {
        CProjectDatabase source;
        source.open(sourcePath, OpenMode{false, true, true});
        // Texts carry their translations in the order of translations().
        const std::vector<TranslationRow> sourceLanguages = source.languages().translations();
        std::size_t column = 0;
        while (column < sourceLanguages.size() && !(sourceLanguages[column].id == language))
            ++column;
        if (column == sourceLanguages.size()) {
            result.languageMissing = true;
            return result;
        }

        // The two projects may keep their texts in different code pages (one UTF-8, one not).
        const int sourceProjectCodePage =
            projectCodePageOf(source, scriptForDatabase(sourcePath, source.sourceFile()));
        const int targetProjectCodePage = projectCodePageOf(target_, projectScript_);
        const int sourceEncoding = translationEncoding(source, sourceProjectCodePage, language);
        const int sourceCodePage = textCodePage(sourceEncoding);
        std::vector<std::string> unrepresentable;

        std::unique_ptr<Transaction> bulk = target_.beginBulk();
        if (!target_.languages().hasTranslation(language)) {
            if (!addImportedTranslation(target_, language, projectScript_,
                                        importedEncoding(sourceEncoding, language))) {
                feedback_.message(msg::CantAddLanguage, {target_.path().string()}, Icon::Stop);
                return result;
            }
            result.translationAdded = true;
        }
        const int targetCodePage = textCodePage(translationEncoding(target_, targetProjectCodePage, language));
        ItemMatcher matcher(target_, language);
        const std::vector<TextRow> rows = source.texts().allTextsWithLineKind();
        long done = 0;
        for (const TextRow& row : rows) {
            task.step(++done, static_cast<long>(rows.size()));
            if (task.cancelled()) {
                result = {OperationResult::Cancelled};
                return result;  // the transaction is rolled back
            }
            if (column >= row.translations.size() || row.translations[column].text.empty() ||
                !ItemMatcher::isImportedKind(row.lineKind))
                continue;
            const TranslatedText& text = row.translations[column];
            std::optional<ImportTarget> target;
            std::optional<TextRow> sameLine = target_.texts().text(row.lineIndex);
            if (sameLine && target_.texts().lineKind(row.lineIndex) == row.lineKind &&
                recodedText(row.sourceText, sourceProjectCodePage, targetProjectCodePage) == sameLine->sourceText) {
                // The same line of the same project: its translation, if any, stays.
                target = ImportTarget{row.lineIndex, false};
            } else {
                ImportedItem item;
                if (describe(source, row.lineIndex, row.lineKind, item))
                    target = matcher.find(item);
            }
            if (!target)
                continue;
            const std::optional<std::string> stored = recodedText(text.text, sourceCodePage, targetCodePage);
            if (!stored) {
                unrepresentable.push_back(text.text);
                continue;
            }
            // A translation flagged for review in the source stays flagged here.
            if (matcher.storeIfUntranslated(target->lineIndex, *stored, target->modified || text.modified))
                ++result.imported;
        }
        bulk->commit();
        result.outcome = OperationResult::Done;
        if (!unrepresentable.empty())
            feedback_.messageText(
                fillPlaceholders(txt::ImportUnrepresentable, {sourcePath.string(), joinedLines(unrepresentable)}),
                Icon::Exclamation);
    } catch (const DaoException& e) {
        feedback_.messageText(e.report(), Icon::Stop);
        result = {};
    }
    return result;
}

} // namespace qmk
