// Matching imported texts with the project's items by identifier.
#include "exchange/ItemMatcher.h"

#include <algorithm>
#include <cstdint>

#include "database/CProjectDatabase.h"
#include "parser/LineKindGroups.h"
#include "parser/ParserCodes.h"

namespace qmk {
namespace {

// Dialog units are 16-bit values in a compiled resource: compare them as such.
bool sameUnit(int a, int b)
{
    return static_cast<std::int16_t>(a) == static_cast<std::int16_t>(b);
}

} // namespace

ItemMatcher::ItemMatcher(CProjectDatabase& db, LanguageId language) : db_(db), language_(language) {}

bool ItemMatcher::isImportedKind(int kind)
{
    switch (static_cast<LineKind>(kind)) {
    case LineKind::Caption:
    case LineKind::Popup:
    case LineKind::MenuItem:
    case LineKind::Bitmap:
    case LineKind::StringTableString:
    case LineKind::Value:
        return true;
    default:
        return isDialogControlKind(kind);
    }
}

std::optional<ImportTarget> ItemMatcher::find(const ImportedItem& item)
{
    if (isDialogControlKind(item.lineKind))
        return control(item);
    switch (static_cast<LineKind>(item.lineKind)) {
    case LineKind::Caption:
        return firstRow(db_.update().dialogCaptions(item.resourceIdent));
    case LineKind::Popup:
        // Popups have no identifiers: they are matched by their order in the menu, so their
        // translations are flagged for review.
        return firstUntranslated(db_.update().menuItemsOfKind(item.resourceIdent, item.lineKind), true);
    case LineKind::MenuItem:
        return firstRow(db_.update().menuItemsByIdent(item.resourceIdent, item.itemIdent));
    case LineKind::Bitmap:
        return firstUntranslated(db_.update().bitmapsByIdent(item.itemIdent), false);
    case LineKind::StringTableString:
        return firstUntranslated(db_.update().stringsByIdent(item.itemIdent), false);
    case LineKind::Value:
        return firstUntranslated(db_.update().versionValuesByIdent(item.resourceIdent, item.itemIdent), false);
    default:
        return std::nullopt;
    }
}

std::optional<ImportTarget> ItemMatcher::firstRow(const std::vector<TextMatch>& rows)
{
    if (rows.empty() || !isUntranslated(rows.front().lineIndex))
        return std::nullopt;
    return ImportTarget{rows.front().lineIndex, false};
}

std::optional<ImportTarget> ItemMatcher::firstUntranslated(const std::vector<TextMatch>& rows, bool modified)
{
    for (const TextMatch& row : rows)
        if (isUntranslated(row.lineIndex))
            return ImportTarget{row.lineIndex, modified};
    return std::nullopt;
}

// One candidate is taken as it is; among several (statics sharing an identifier, dialogs of one
// name, one per language or configuration) the one with the same kind and geometry is. Else,
// since translators move statics to fit their texts, the first control of the same kind that
// shares the identifier within its dialog and that no earlier text of this import went to.
std::optional<ImportTarget> ItemMatcher::control(const ImportedItem& item)
{
    const std::vector<ControlMatch> rows = db_.update().dialogControls(item.resourceIdent, item.itemIdent, item.lineKind);
    const ControlMatch* taken = nullptr;
    if (rows.size() == 1) {
        taken = &rows.front();
    } else {
        for (const ControlMatch& row : rows) {
            if (row.type == item.lineKind && sameUnit(row.x, item.x) && sameUnit(row.y, item.y) &&
                sameUnit(row.cx, item.cx) && sameUnit(row.cy, item.cy) && !claimed_.count(row.lineIndex)) {
                taken = &row;
                break;
            }
        }
        for (const ControlMatch& row : rows) {
            if (taken)
                break;
            const auto sameDialog = std::count_if(rows.begin(), rows.end(),
                                                  [&](const ControlMatch& r) { return r.dlgLine == row.dlgLine; });
            if (sameDialog > 1 && row.type == item.lineKind && !claimed_.count(row.lineIndex))
                taken = &row;
        }
    }
    if (!taken)
        return std::nullopt;
    claimed_.insert(taken->lineIndex);
    if (!isUntranslated(taken->lineIndex))
        return std::nullopt;
    return ImportTarget{taken->lineIndex, false};
}

bool ItemMatcher::isUntranslated(int lineIndex)
{
    std::optional<TranslatedText> current = db_.texts().translation(lineIndex, language_);
    return !current || current->text.empty();
}

bool ItemMatcher::storeIfUntranslated(int lineIndex, std::string_view text, bool modified)
{
    if (text.empty() || !isUntranslated(lineIndex))
        return false;
    return db_.texts().setTranslation(lineIndex, language_, text, modified);
}

} // namespace qmk
