// Filling untranslated texts from the translation memory.
#include "project/PreTranslate.h"

#include <memory>

#include "database/DaoException.h"
#include "database/Transaction.h"
#include "memory/MarkupAgreement.h"
#include "parser/LanguageTags.h"
#include "project/CQuillDoc.h"
#include "project/ItemTypes.h"
#include "project/SourceLanguageTag.h"
#include "project/TextCodec.h"
#include "project/TranslationForm.h"
#include "resources/Feedback.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

constexpr const char* kStepLabel = "Pre-translate";
// Matches looked at per text: the best one whose markup fits the source is taken.
constexpr int kMatchesConsidered = 5;

} // namespace

PreTranslateResult preTranslate(CQuillDoc& doc, TranslationMemory& memory, LanguageId language, int minimumScore)
{
    PreTranslateResult result;
    const TextTableRows& rows = doc.rows();
    const int column = rows.columns().columnOfLanguage(language);
    if (column < 0) {
        result.problem = "the project has no translation into " + CQuillDoc::languageName(language);
        return result;
    }
    if (doc.isBusy()) {
        result.problem = "the project is busy";
        return result;
    }
    std::unique_ptr<Transaction> bulk;
    bool stepOpen = false;
    auto closeStep = [&] {
        if (stepOpen)
            doc.endEditStep();
        stepOpen = false;
    };
    try {
        const std::string sourceLanguage = sourceLanguageTag(doc);
        const std::string targetLanguage = languageTag(language);
        const int codePage = doc.translationCodePage(language);
        FeedbackTask task(doc.feedback(), txt::TaskPreTranslate, rows.rowCount());
        bulk = doc.database().beginBulk();  // one transaction for every text
        doc.beginEditStep(kStepLabel);
        stepOpen = true;
        for (int row = 0; row < rows.rowCount(); ++row) {
            task.step(row);
            if (task.cancelled()) {
                result.cancelled = true;
                break;
            }
            const CObjectData& item = rows.item(row);
            if (item.excluded || item.itemType == ItemType::BlockHeader || !rows.displayText(row, column).empty())
                continue;
            const std::string source = toPlatformForm(rows.displayText(row, TextTableColumns::SourceColumn));
            if (source.empty())
                continue;
            const std::vector<MemoryMatch> matches =
                memory.lookup(source, sourceLanguage, targetLanguage, kMatchesConsidered, minimumScore);
            const MemoryMatch* taken = nullptr;
            for (const MemoryMatch& match : matches) {
                if (markupDisagreement(source, match.unit.target).empty()) {
                    taken = &match;
                    break;
                }
            }
            if (!taken) {
                ++(matches.empty() ? result.withoutMatch : result.disagreeing);
                continue;
            }
            const EncodeResult bytes = encodeFromUtf8(toStoredForm(taken->unit.target), codePage);
            if (!bytes.ok) {
                ++result.unfit;
                continue;
            }
            const bool exact = taken->score == 100;
            if (doc.storeTranslation(item.lineIndex, language, bytes.bytes, !exact).done())
                ++(exact ? result.exact : result.fuzzy);
        }
        closeStep();
        bulk->commit();
        result.ok = true;
    } catch (const MemoryError& error) {
        // What was stored before the memory failed stays, as the edit step says.
        closeStep();
        result.problem = error.what();
        try {
            if (bulk)
                bulk->commit();
        } catch (const DaoException& commitError) {
            result.problem += "; " + commitError.report();
            bulk.reset();
            doc.reloadRows();
        }
    } catch (const DaoException& error) {
        closeStep();
        result.problem = error.report();
        bulk.reset();
        doc.reloadRows();  // the table shows what the database holds
    }
    return result;
}

} // namespace qmk
