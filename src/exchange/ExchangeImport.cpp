// Judging a file's units as they are read, and storing what is taken in one transaction.
#include "exchange/ExchangeImport.h"

#include <algorithm>

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "database/Transaction.h"
#include "project/CQuillDoc.h"
#include "project/TranslationForm.h"
#include "resources/Feedback.h"
#include "resources/Messages.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

// Why the project cannot take the unit's translation (`target`, as it speaks for the text);
// empty when it can.
std::string refusal(const ExchangeUnit& unit, bool byId, const std::string& target, const ProjectText& text)
{
    if (!unit.unreadable.empty())
        return unit.unreadable;
    // A unit placed by location or source speaks with the text's own source.
    if (byId && unit.source != text.source)
        return "its source text is no longer the project's";
    if (text.type == ItemType::BlockHeader) {
        const std::optional<BlockHeader> header = parseBlockHeader(target);
        if (!header || header->languageRow < 0 || header->codePageRow < 0)
            return "'" + target + "' is no version block header (four digits of a language, four of a code page)";
    }
    return {};
}

// The items in the order of their units in the file (stable: a unit's own stay in order).
template <typename T>
std::vector<T> inFileOrder(std::vector<std::pair<std::size_t, T>>& items)
{
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<T> ordered;
    ordered.reserve(items.size());
    for (auto& [at, item] : items)
        ordered.push_back(std::move(item));
    return ordered;
}

} // namespace

ExchangeImport::ExchangeImport(CQuillDoc& doc, LanguageId language, const ImportChoices& choices)
    : doc_(doc), language_(language), choices_(choices), codePage_(doc.translationCodePage(language))
{
    try {
        if (doc.database().exports().knows(choices.exportId, language))
            sent_ = doc.database().exports().sent(choices.exportId);
        project_ = std::make_unique<ProjectTextList>(doc, language);
        placer_ = std::make_unique<UnitPlacer>(doc.database(), *project_);
    } catch (const DaoException& error) {
        doc.feedback().messageText(error.report(), Icon::Stop);
    }
}

ExchangeImport::~ExchangeImport() = default;

void ExchangeImport::add(const ExchangeUnit& unit)
{
    UnitPlacement placement = placer_->place(unit);
    if (placement.bySourceOnly) {
        waiting_.emplace_back(added_++, unit);
        waitingPlacements_.push_back(std::move(placement));
        return;
    }
    judge(added_++, unit, placement);
}

void ExchangeImport::add(ExchangeUnit&& unit)
{
    UnitPlacement placement = placer_->place(unit);
    if (placement.bySourceOnly) {
        waiting_.emplace_back(added_++, std::move(unit));
        waitingPlacements_.push_back(std::move(placement));
        return;
    }
    judge(added_++, unit, placement);
}

void ExchangeImport::refuse(std::size_t at, std::string id, std::string reason)
{
    refused_.emplace_back(at, RefusedUnit{std::move(id), std::move(reason)});
}

void ExchangeImport::judge(std::size_t at, const ExchangeUnit& unit, const UnitPlacement& placement)
{
    if (placement.texts.empty()) {
        if (!placement.reason.empty())
            refuse(at, unit.id.empty() ? unit.source : unit.id, placement.reason);
        return;
    }
    if (unit.target.empty())
        return;  // not translated there
    const std::string converted = placement.fromPeer ? placedTranslation(unit, placement) : std::string();
    const std::string& target = placement.fromPeer ? converted : unit.target;
    for (const ProjectText* text : placement.texts)
        judgeAgainst(at, unit, placement, target, *text);
}

void ExchangeImport::judgeAgainst(std::size_t at, const ExchangeUnit& unit, const UnitPlacement& placement,
                               const std::string& target, const ProjectText& text)
{
    // A unit placed by its id speaks for its text by that id; others by the text's.
    const std::string_view id = placement.byId ? std::string_view(unit.id) : text.id;
    if (std::string reason = refusal(unit, placement.byId, target, text); !reason.empty()) {
        refuse(at, std::string(id), std::move(reason));
        return;
    }
    const auto sentText = sent_.find(text.lineIndex);
    const JudgedText sent =
        sentText == sent_.end() ? JudgedText{} : JudgedText{sentText->second.text, sentText->second.needsReview};
    const UnitVerdict verdict = judgeText({target, unit.needsReview}, {text.target, text.needsReview},
                                          sentText == sent_.end() ? nullptr : &sent);
    if (verdict == UnitVerdict::Same) {
        ++unchanged_;
        return;
    }
    if (verdict == UnitVerdict::UnchangedOnPlatform) {
        ++unchangedOnPlatform_;
        return;
    }
    // Made only for the units listed: a stored unit needs no copy of both its texts.
    auto disagreement = [&] {
        return ImportDisagreement{text.lineIndex,         std::string(id), std::string(text.ident),
                                  std::string(text.target), target,        unit.needsReview};
    };
    if (verdict == UnitVerdict::Conflict) {
        // The newer work here stays, flagged so that somebody looks at both.
        conflicts_.emplace_back(at, disagreement());
        if (!text.needsReview)
            if (const PreparedTranslation ours = prepareTranslation(text.target, codePage_); ours.ok)
                stores_.push_back({text.lineIndex, true, false, bytes_.keep(ours.bytes)});
        return;
    }
    const PreparedTranslation bytes = prepareTranslation(target, codePage_);
    if (!bytes.ok) {
        std::string characters;
        for (const std::string& c : bytes.unrepresentable)
            characters += (characters.empty() ? "" : " ") + c;
        refuse(at, std::string(id), "the translation's code page cannot hold " + characters);
        return;
    }
    if (verdict == UnitVerdict::Existing && choices_.overwrite) {
        // Replaced as asked: no list of what a whole file replaces is held beside it.
        stores_.push_back({text.lineIndex, unit.needsReview, true, bytes_.keep(bytes.bytes)});
        ++replaced_;
        return;
    }
    if (verdict == UnitVerdict::Existing) {
        kept_.emplace_back(at, disagreement());
        keptStores_.push_back({text.lineIndex, unit.needsReview, true, bytes_.keep(bytes.bytes)});
        return;
    }
    stores_.push_back({text.lineIndex, unit.needsReview, true, bytes_.keep(bytes.bytes)});
}

ExchangeImportResult ExchangeImport::finish()
{
    ExchangeImportResult result;
    if (!ready())
        return result;
    // A text named by a unit of its own takes that unit's translation; of the units placed by
    // source alone the first to reach a text translates it.
    for (std::size_t i = 0; i < waiting_.size(); ++i) {
        placer_->settle(waiting_[i].second, waitingPlacements_[i]);
        judge(waiting_[i].first, waiting_[i].second, waitingPlacements_[i]);
    }
    result.unchanged = unchanged_;
    result.unchangedOnPlatform = unchangedOnPlatform_;
    result.replaced = replaced_;
    result.refused = inFileOrder(refused_);
    result.conflicts = inFileOrder(conflicts_);
    result.kept = inFileOrder(kept_);
    if (!result.kept.empty() &&
        doc_.feedback().askText(fillPlaceholders(txt::ImportReplaceExisting, {std::to_string(result.kept.size())}),
                                false)) {
        stores_.insert(stores_.end(), keptStores_.begin(), keptStores_.end());
        result.replaced = static_cast<int>(result.kept.size());
        result.kept.clear();
    }
    for (const ImportDisagreement& conflict : result.conflicts)
        result.refused.push_back({conflict.id, fillPlaceholders(txt::ImportConflict, {conflict.ours, conflict.theirs})});
    for (const ImportDisagreement& kept : result.kept)
        result.refused.push_back({kept.id, fillPlaceholders(txt::ImportKeptExisting, {kept.ours, kept.theirs})});
    int imported = 0;
    for (const Store& store : stores_)
        imported += store.imported ? 1 : 0;
    if (!storeAll(stores_))
        return result;
    result.imported = imported;
    result.ok = true;
    return result;
}

bool ExchangeImport::storeAll(const std::vector<Store>& stores)
{
    CQuillDoc::LongOperation operation(doc_);
    if (!operation.acquired())
        return false;
    try {
        // Every translation accepted is stored, or none: the first that cannot be (its cause
        // reported by the store) rolls back the others.
        std::unique_ptr<Transaction> bulk = doc_.database().beginBulk();
        for (const Store& store : stores) {
            if (!doc_.storeTranslation(operation, store.lineIndex, language_, store.bytes, store.flagged).done()) {
                bulk.reset();
                doc_.feedback().messageText(fillPlaceholders(txt::ImportStoresFailed, {std::to_string(stores.size())}),
                                            Icon::Stop);
                doc_.translationsImported(operation, false);
                return false;
            }
        }
        bulk->commit();
    } catch (const DaoException& error) {
        doc_.feedback().messageText(error.report(), Icon::Stop);
        doc_.translationsImported(operation, false);  // the rows show what the database holds
        return false;
    }
    return true;
}

} // namespace qmk
