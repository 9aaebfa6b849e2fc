// Judging an imported unit against what the export sent.
#include "exchange/ThreeWayImport.h"

#include <chrono>
#include <random>

#include "database/Transaction.h"
#include "parser/LanguageTags.h"
#include "project/CQuillDoc.h"
#include "project/TranslationForm.h"
#include "resources/Feedback.h"
#include "resources/Messages.h"
#include "resources/Texts.h"

namespace qmk {

std::string newExportId()
{
    // The time keeps ids in order for a reader; the random part keeps two exports of one
    // second (or of two copies of a project) apart.
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now).count();
    std::random_device entropy;
    std::mt19937_64 random((static_cast<std::uint64_t>(entropy()) << 32) ^ entropy() ^
                           static_cast<std::uint64_t>(now.count()));
    static const char kDigits[] = "0123456789abcdef";
    std::string id = std::to_string(seconds) + "-";
    std::uint64_t bits = random();
    for (int i = 0; i < 12; ++i, bits >>= 4)
        id += kDigits[bits & 0xF];
    return id;
}

void recordExport(CQuillDoc& doc, LanguageId language, const ExchangeDocument& document)
{
    if (document.header.exportId.empty() || document.header.isTemplate)
        return;
    std::vector<SentText> sent;
    sent.reserve(document.units.size());
    for (const ExchangeUnit& unit : document.units)
        if (unit.lineIndex >= 0)
            sent.push_back({unit.lineIndex, unit.target, unit.needsReview});
    recordSent(doc, language, document.header.exportId, sent);
}

void recordSent(CQuillDoc& doc, LanguageId language, const std::string& key, const std::vector<SentText>& sent)
{
    const auto written = std::chrono::duration_cast<std::chrono::seconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
    std::unique_ptr<Transaction> bulk = doc.database().beginBulk();
    doc.database().exports().record(key, language, written, sent);
    bulk->commit();
}

std::string workbookExportKey(const std::string& exportId, LanguageId language)
{
    return exportId.empty() ? std::string() : exportId + "/" + languageTag(language);
}

OperationResult settleConflict(CQuillDoc& doc, LanguageId language, const ImportDisagreement& conflict, bool takeTheirs)
{
    const PreparedTranslation chosen =
        prepareTranslation(takeTheirs ? conflict.theirs : conflict.ours, doc.translationCodePage(language));
    if (!chosen.ok) {
        doc.feedback().messageText(fillPlaceholders(txt::ConflictNotSettled, {conflict.id}), Icon::Exclamation);
        return OperationResult::InputRefused;
    }
    return doc.storeTranslation(conflict.lineIndex, language, chosen.bytes, takeTheirs && conflict.theirsNeedsReview);
}

UnitVerdict judgeText(const JudgedText& file, const JudgedText& project, const JudgedText* sent)
{
    if (file.text == project.text && file.needsReview == project.needsReview)
        return UnitVerdict::Same;
    if (!sent) {
        // Another tool's file, or a text no export sent: it fills what is empty and takes the
        // review state of a text it agrees with, never replaces another translation unasked.
        return project.text.empty() || file.text == project.text ? UnitVerdict::Store : UnitVerdict::Existing;
    }
    const bool changedThere = file.text != sent->text || file.needsReview != sent->needsReview;
    const bool changedHere = project.text != sent->text || project.needsReview != sent->needsReview;
    if (!changedThere)
        return UnitVerdict::UnchangedOnPlatform;
    if (!changedHere || file.text == project.text)
        return UnitVerdict::Store;
    return UnitVerdict::Conflict;
}

UnitVerdict judgeUnit(const ExchangeUnit& file, const ExchangeUnit& project, const SentText* sent)
{
    const JudgedText sentText = sent ? JudgedText{sent->text, sent->needsReview} : JudgedText{};
    return judgeText({file.target, file.needsReview}, {project.target, project.needsReview}, sent ? &sentText : nullptr);
}

} // namespace qmk
