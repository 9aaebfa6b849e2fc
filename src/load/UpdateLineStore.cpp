// The per-line store of a source update. Items are matched by what identifies them in the
// script (identifier, or text for popups); lines without an item are always stored anew.
#include "load/UpdateLineStore.h"

#include <algorithm>
#include <vector>

#include "database/CProjectDatabase.h"
#include "database/LineStore.h"
#include "parser/LineKindGroups.h"
#include "parser/ParsedLine.h"
#include "parser/ScriptParser.h"
#include "resources/FileNames.h"

namespace qmk {
namespace {

// Controls without a text of their own are never looked up: nothing of theirs can be kept.
bool isLookedUpControlKind(int kind)
{
    switch (static_cast<LineKind>(kind)) {
    case LineKind::DialogIcon:
    case LineKind::ListBox:
    case LineKind::EditText:
    case LineKind::ComboBox:
    case LineKind::ScrollBar:
        return false;
    default:
        return isDialogControlKind(kind);
    }
}

enum Lookup : std::size_t { ByIdent = 0, PopupByText = 1, InPopupByIdent = 2, ByIdentAndText = 3 };

// The menu and the texts of the popups around a menu item, outermost first.
std::string popupPathKey(std::string_view menu, const std::vector<std::string>& popups)
{
    constexpr char kSeparator = '\x1F';  // no text of a script holds it
    std::string key(menu);
    for (const std::string& popup : popups) {
        key += kSeparator;
        key += popup;
    }
    return key;
}

// The popups an entry at `level` stands in: those of the lower levels.
void enterLevel(std::vector<std::string>& popups, int level)
{
    popups.resize(std::min(popups.size(), static_cast<std::size_t>(std::max(level, 0))));
}

// Each stored menu item's popup path, from the levels and popup texts in script order.
std::vector<StoredItem> withPopupPaths(std::vector<StoredItem> items)
{
    std::vector<std::string> popups;
    std::string owner;
    for (StoredItem& item : items) {
        if (item.owner != owner) {
            popups.clear();
            owner = item.owner;
        }
        enterLevel(popups, item.level);
        item.popupPath = popupPathKey(item.owner, popups);
        if (item.lineKind == toInt(LineKind::Popup))
            popups.push_back(item.sourceText);
    }
    return items;
}

std::string nameKey(const StoredItem& item)
{
    return item.nameId;
}

std::string ownerKey(const StoredItem& item)
{
    return item.owner;
}

std::string ownerAndNameKey(const StoredItem& item)
{
    return StoredItemIndex::key(item.owner, item.nameId);
}

std::string popupKey(const StoredItem& item)
{
    return item.lineKind == toInt(LineKind::Popup) ? StoredItemIndex::key(item.owner, item.sourceText) : std::string();
}

std::string popupPathAndNameKey(const StoredItem& item)
{
    return item.lineKind == toInt(LineKind::MenuItem) ? StoredItemIndex::key(item.popupPath, item.nameId) : std::string();
}

// A menu item by its menu, identifier and text; the identifier and text are joined as the popup
// path is, so that no pair of them can read as another.
std::string menuItemTextKey(std::string_view menu, std::string_view ident, std::string_view text)
{
    return ident.empty() ? std::string() : popupPathKey(menu, {std::string(ident), std::string(text)});
}

std::string ownerNameAndTextKey(const StoredItem& item)
{
    return item.lineKind == toInt(LineKind::MenuItem) ? menuItemTextKey(item.owner, item.nameId, item.sourceText)
                                                       : std::string();
}

std::vector<StoredItemIndex::KeyOf> lookupsOf(StoredItemTable table)
{
    switch (table) {
    case StoredItemTable::Strings:
    case StoredItemTable::Bitmaps:
        return {nameKey};
    case StoredItemTable::Captions:
        return {ownerKey};
    case StoredItemTable::Controls:
        return {ownerAndNameKey};
    case StoredItemTable::MenuItems:
        break;
    }
    return {ownerAndNameKey, popupKey, popupPathAndNameKey, ownerNameAndTextKey};
}

bool sameControl(const StoredItem& stored, const ControlRow& now)
{
    return stored.nameId == now.nameId && stored.className == now.className && stored.x == now.x &&
           stored.y == now.y && stored.cx == now.cx && stored.cy == now.cy && stored.type == now.type &&
           stored.flags == now.flags;
}

} // namespace

UpdateLineStore::UpdateLineStore(CProjectDatabase& db, LineStore& rows)
    : db_(db), rows_(rows), lineIndexes_(db.texts().allLineIndexes())
{
    for (TextMatch& include : db.update().includeLines())
        includes_.push_back(std::move(include));
    // Every line of the script is stored again: found lines write their joined literals anew.
    rows_.clearJoinedLiterals();
}

UpdateLineStore::Match UpdateLineStore::matchOf(const StoredItem& item, bool compareText)
{
    return Match{item.lineIndex, std::nullopt, &item, compareText};
}

StoredItemIndex& UpdateLineStore::storedItems(StoredItemIndex& index, StoredItemTable table)
{
    if (!index.isLoaded()) {
        std::vector<StoredItem> items = db_.update().storedItems(table);
        if (table == StoredItemTable::MenuItems) {
            items = withPopupPaths(std::move(items));
            std::set<std::string> seen;
            for (const StoredItem& item : items)
                if (item.lineKind == toInt(LineKind::MenuItem) && !seen.insert(ownerAndNameKey(item)).second)
                    repeatedMenuIdents_.insert(ownerAndNameKey(item));
        }
        index.load(std::move(items), lookupsOf(table));
    }
    return index;
}

void UpdateLineStore::store(const ParsedLine& line, const ScriptParser& parser, int lineNumber)
{
    const LineSplit split = splitParsedLine(line, parser);
    switch (static_cast<LineKind>(line.kind)) {
    case LineKind::VersionInfo:
        versionIdent_ = std::string(parser.symbolText());
        break;
    case LineKind::Dialog:
        flushRelinks();
        dialogName_ = std::string(parser.symbolText());
        break;
    case LineKind::Menu:
        flushRelinks();
        menuName_ = std::string(parser.symbolText());
        popups_.clear();
        break;
    case LineKind::Popup:
    case LineKind::MenuItem:
        enterLevel(popups_, parser.depth() - 1);
        break;
    default:
        break;
    }
    const std::optional<Match> match = findItem(line, parser, split);
    if (line.kind == toInt(LineKind::Popup))
        popups_.emplace_back(split.text);
    if (!match) {
        addNew(line, parser, split, lineNumber);
        return;
    }
    ++found_;
    foundLines_.add(match->lineIndex);
    rewriteLine(*match, line.kind, lineNumber, split);
    if (!split.asWritten.empty())
        rows_.addJoinedLiteral(match->lineIndex, split.asWritten);
    rewriteItemRow(*match, line, parser);
    if (const std::string* old = match->oldText(); old && *old != split.text) {
        db_.update().setSourceText(match->lineIndex, split.text);
        ++changed_;
    }
}

std::optional<UpdateLineStore::Match> UpdateLineStore::findItem(const ParsedLine& line, const ScriptParser& parser,
                                                               const LineSplit& split)
{
    // Every item that is looked up carries a text; a line that lost its text is a new line.
    if (!split.hasText)
        return std::nullopt;
    const int kind = line.kind;
    const std::string_view symbol = parser.symbolText();
    const StoredItem* found = nullptr;

    if (isLookedUpControlKind(kind))
        return findControl(line, parser, split.text);
    switch (static_cast<LineKind>(kind)) {
    case LineKind::Caption:
        found = storedItems(captions_, StoredItemTable::Captions).first(ByIdent, dialogName_, foundLines_);
        break;
    case LineKind::Popup:
        // A popup is known by its text only: the same text is found, or it is a new popup.
        found = storedItems(menuItems_, StoredItemTable::MenuItems)
                    .first(PopupByText, StoredItemIndex::key(keyBuffer_, menuName_, split.text), foundLines_);
        if (!found)
            return std::nullopt;
        return matchOf(*found, false);
    case LineKind::MenuItem: {
        // By identifier in the same popup first, then with the same text: an identifier the
        // menu repeats is found at its own place, and a popup added or moved elsewhere takes no
        // translation from the places it still has. An identifier used once is found anywhere.
        StoredItemIndex& items = storedItems(menuItems_, StoredItemTable::MenuItems);
        found = items.first(InPopupByIdent, StoredItemIndex::key(keyBuffer_, popupPathKey(menuName_, popups_), symbol),
                            foundLines_);
        if (!found)
            found = items.first(ByIdentAndText, menuItemTextKey(menuName_, symbol, split.text), foundLines_);
        if (!found && !repeatedMenuIdents_.count(StoredItemIndex::key(menuName_, symbol)))
            found = items.first(ByIdent, StoredItemIndex::key(keyBuffer_, menuName_, symbol), foundLines_);
        break;
    }
    case LineKind::StringTableString:
        found = storedItems(strings_, StoredItemTable::Strings).first(ByIdent, symbol, foundLines_);
        break;
    case LineKind::Bitmap:
        found = storedItems(bitmaps_, StoredItemTable::Bitmaps).first(ByIdent, symbol, foundLines_);
        break;
    case LineKind::Include:
    case LineKind::RcInclude:
        return findInclude(split.text);
    case LineKind::DataString:
    case LineKind::UserResourceData:
    case LineKind::RcDataString:
        return findDataString(kind, split.text);
    case LineKind::Block:
        return findBlockHeader(split.text);
    case LineKind::Value: {
        if (symbol.empty())
            return std::nullopt;
        loadVersionItems();
        const auto same = std::find_if(values_.begin(), values_.end(),
                                       [&](const VersionValueMatch& v) { return v.value == symbol; });
        if (same == values_.end())
            return std::nullopt;
        Match match{same->lineIndex, std::move(same->sourceText)};
        values_.erase(same);
        return match;
    }
    default:
        return std::nullopt;
    }
    if (!found)
        return std::nullopt;
    return matchOf(*found);
}

std::optional<UpdateLineStore::Match> UpdateLineStore::findControl(const ParsedLine& line, const ScriptParser& parser,
                                                                  std::string_view text)
{
    const std::string_view ident = parser.symbolText();
    const std::vector<const StoredItem*> candidates = storedItems(controls_, StoredItemTable::Controls)
                                                          .candidates(ByIdent, StoredItemIndex::key(keyBuffer_, dialogName_, ident), foundLines_);
    // Whether an identifier is shared is settled at its first look-up in the dialog: once its
    // other controls are written, the last one left must not be taken for a moved one.
    if (identsOfDialog_ != context_.dialog) {
        identsOfDialog_ = context_.dialog;
        sharedIdents_.clear();
        seenIdents_.clear();
    }
    if (seenIdents_.emplace(ident).second && candidates.size() > 1)
        sharedIdents_.emplace(ident);
    const bool shared = sharedIdents_.count(ident) != 0;
    if (!shared && candidates.size() == 1)
        return matchOf(*candidates.front());
    // Controls sharing an identifier (static texts) are told apart by kind, place, size and style.
    auto same = std::find_if(candidates.begin(), candidates.end(), [&](const StoredItem* c) {
        return c->type == line.kind && c->x == parser.x() && c->y == parser.y() && c->cx == parser.cx() &&
               c->cy == parser.cy() && c->flags == parser.styleBits();
    });
    // A developer who re-lays out a dialog moves its statics by a few units: the first one
    // left of the same kind and with the same text is the same item, moved. A moved static
    // whose text changed is a new one.
    if (same == candidates.end())
        same = std::find_if(candidates.begin(), candidates.end(),
                            [&](const StoredItem* c) { return c->type == line.kind && c->sourceText == text; });
    if (same == candidates.end())
        return std::nullopt;
    return matchOf(**same);
}

void UpdateLineStore::loadVersionItems()
{
    if (versionItemsOf_ == versionIdent_)
        return;
    versionItemsOf_ = versionIdent_;
    std::vector<TextMatch> headers = db_.update().versionBlockHeadersOfVersion(context_.version);
    blockHeaders_.assign(std::make_move_iterator(headers.begin()), std::make_move_iterator(headers.end()));
    std::vector<VersionValueMatch> values = db_.update().allVersionValuesOfVersion(context_.version);
    values_.assign(std::make_move_iterator(values.begin()), std::make_move_iterator(values.end()));
}

std::optional<UpdateLineStore::Match> UpdateLineStore::findBlockHeader(std::string_view text)
{
    loadVersionItems();
    if (blockHeaders_.empty())
        return std::nullopt;
    // A version resource usually has one language block; with several, the same name wins.
    auto header = std::find_if(blockHeaders_.begin(), blockHeaders_.end(),
                               [&](const TextMatch& h) { return h.sourceText == text; });
    if (header == blockHeaders_.end())
        header = blockHeaders_.begin();
    Match match{header->lineIndex, std::move(header->sourceText)};
    blockHeaders_.erase(header);
    return match;
}

std::optional<UpdateLineStore::Match> UpdateLineStore::findInclude(std::string_view fileName)
{
    const auto same = std::find_if(includes_.begin(), includes_.end(),
                                   [&](const TextMatch& include) { return equalsIgnoringCase(include.sourceText, fileName); });
    if (same == includes_.end())
        return std::nullopt;
    const int lineIndex = same->lineIndex;
    includes_.erase(same);
    return Match{lineIndex, std::nullopt};
}

// Data strings have no identifier; the same text of the same kind is taken for the same item,
// so that their translations survive an update instead of being dropped with the old line.
std::optional<UpdateLineStore::Match> UpdateLineStore::findDataString(int kind, std::string_view text)
{
    if (!dataStringsLoaded_) {
        dataStringsLoaded_ = true;
        for (TextRow& row : db_.texts().dataStringTexts())
            dataStrings_[{row.lineKind, std::move(row.sourceText)}].push_back(row.lineIndex);
    }
    auto same = dataStrings_.find(std::make_pair(kind, std::string(text)));
    if (same == dataStrings_.end() || same->second.empty())
        return std::nullopt;
    const int lineIndex = same->second.front();
    same->second.pop_front();
    return Match{lineIndex, std::string(text)};
}

void UpdateLineStore::finish()
{
    flushRelinks();
    flushUnchangedLines();
}

void UpdateLineStore::flushUnchangedLines()
{
    db_.update().markLinesFound(unchangedLines_);
    unchangedLines_.clear();
}

void UpdateLineStore::flushRelinks()
{
    db_.update().relinkControls(relinkedControls_, context_.dialog);
    relinkedControls_.clear();
    db_.update().relinkMenuItems(relinkedMenuItems_, context_.menu);
    relinkedMenuItems_.clear();
}

// A line found at the same place with the same text around it is only marked as found. A
// control found by its identifier may have become another kind of control (LTEXT to RTEXT):
// its line takes the new kind, as its control row does.
void UpdateLineStore::rewriteLine(const Match& match, int kind, int lineNumber, const LineSplit& split)
{
    if (match.stored && match.stored->lineKind != kind)
        db_.update().setLineKind(match.lineIndex, kind);
    // Large enough to make the statement cost nothing per line, small enough to keep its text short.
    constexpr std::size_t kLinesPerBatch = 4096;
    const StoredItem* stored = match.stored;
    if (stored && stored->line == lineNumber && stored->beforeStr == split.before && stored->behindStr == split.behind) {
        unchangedLines_.push_back(match.lineIndex);
        if (unchangedLines_.size() >= kLinesPerBatch)
            flushUnchangedLines();
    } else {
        db_.update().rewriteLine(match.lineIndex, lineNumber, split.before, split.behind);
    }
}

void UpdateLineStore::rewriteItemRow(const Match& match, const ParsedLine& line, const ScriptParser& parser)
{
    const int lineIndex = match.lineIndex;
    const int kind = line.kind;
    const std::string symbol(parser.symbolText());
    if (isDialogControlKind(kind)) {
        ControlRow control = controlRowOf(line, parser);
        control.lineIndex = lineIndex;
        control.dlgLine = context_.dialog;
        if (match.stored && sameControl(*match.stored, control))
            relinkedControls_.push_back(lineIndex);
        else
            db_.update().rewriteControl(control);
        return;
    }
    if (isMenuItemKind(kind)) {
        const int level = parser.depth() - 1;
        if (match.stored && match.stored->level == level && match.stored->nameId == symbol)
            relinkedMenuItems_.push_back(lineIndex);
        else
            db_.update().rewriteMenuItem({lineIndex, context_.menu, level, symbol, 0});
        return;
    }
    switch (static_cast<LineKind>(kind)) {
    case LineKind::Caption:
        // The caption's dialog line is new with every update: link the caption to it.
        db_.update().setCaptionDialog(lineIndex, context_.dialog);
        break;
    case LineKind::Block:
        db_.update().rewriteVersionBlockHeader({lineIndex, context_.version});
        context_.block = lineIndex;
        break;
    case LineKind::Value:
        db_.update().rewriteVersionValue({lineIndex, context_.version, context_.block, symbol});
        break;
    default:
        break;
    }
}

void UpdateLineStore::addNew(const ParsedLine& line, const ScriptParser& parser, const LineSplit& split,
                             int lineNumber)
{
    ++added_;
    if (split.hasText)
        ++addedTexts_;
    addNewLine(rows_, context_, lineIndexes_.take(), 1, lineNumber, line, parser, split);
}

} // namespace qmk
