// The line import of a translated script.
#include "exchange/ScriptImportLineSink.h"

#include <algorithm>

#include "database/CProjectDatabase.h"
#include "exchange/ImportedTranslation.h"
#include "parser/LineKindGroups.h"
#include "parser/ParsedLine.h"
#include "parser/ScriptParser.h"

namespace qmk {
ScriptImportLineSink::ScriptImportLineSink(ItemMatcher& matcher, int scriptCodePage, int translationCodePage)
    : matcher_(matcher), scriptCodePage_(scriptCodePage), translationCodePage_(translationCodePage)
{
}

bool ScriptImportLineSink::isResourceHeaderKind(int kind)
{
    switch (static_cast<LineKind>(kind)) {
    case LineKind::StringTable:
    case LineKind::Menu:
    case LineKind::Dialog:
    case LineKind::Accelerators:
    case LineKind::RcData:
    case LineKind::UserResource:
    case LineKind::TextInclude:
    case LineKind::VersionInfo:
    case LineKind::DialogExByString:
        return true;
    default:
        return false;
    }
}

void ScriptImportLineSink::store(const ParsedLine& line, const ScriptParser& parser, int)
{
    if (isResourceHeaderKind(line.kind)) {
        finish();
        resourceIdent_ = std::string(parser.symbolText());
        inMenu_ = line.kind == toInt(LineKind::Menu);
        return;
    }
    if (inMenu_ && isMenuItemKind(line.kind)) {
        // Every popup and item counts for positions, with or without a text.
        const LineSplit split = splitParsedLine(line, parser);
        const bool item = line.kind == toInt(LineKind::MenuItem);
        const bool text = line.action == toInt(LineAction::String) && split.hasText;
        menu_.push_back({line.kind, parser.depth() - 1, item ? std::string(parser.symbolText()) : std::string(),
                         text ? std::string(split.text) : std::string()});
        return;
    }
    if (line.action != toInt(LineAction::String) || !ItemMatcher::isImportedKind(line.kind))
        return;
    const LineSplit split = splitParsedLine(line, parser);
    if (!split.hasText || split.text.empty())
        return;
    ImportedItem item;
    item.lineKind = line.kind;
    item.resourceIdent = resourceIdent_;
    item.itemIdent = std::string(parser.symbolText());
    if (isDialogControlKind(line.kind)) {
        item.x = parser.x();
        item.y = parser.y();
        item.cx = parser.cx();
        item.cy = parser.cy();
    }
    importText(item, split.text);
}

void ScriptImportLineSink::finish()
{
    if (!menu_.empty())
        importMenu();
    menu_.clear();
    inMenu_ = false;
}

// The k-th menu of a name in the script takes the project's k-th menu of that name (or its
// first). Popups are always flagged for review, having no identifier of their own; items are
// when their identifier did not find them.
void ScriptImportLineSink::importMenu()
{
    const std::vector<MenuItemMatch> items = matcher_.database().update().menuItemsOfMenusNamed(resourceIdent_);
    std::vector<int> menuLines;
    for (const MenuItemMatch& item : items)
        if (std::find(menuLines.begin(), menuLines.end(), item.menuLine) == menuLines.end())
            menuLines.push_back(item.menuLine);
    if (menuLines.empty())
        return;
    const auto nth = static_cast<std::size_t>(menusRead_[resourceIdent_]++);
    const int menuLine = menuLines[nth < menuLines.size() ? nth : 0];

    std::vector<MenuEntry> ours;
    std::vector<int> lineIndexes;
    for (const MenuItemMatch& item : items) {
        if (item.menuLine != menuLine)
            continue;
        ours.push_back({item.lineKind, item.level, item.lineKind == toInt(LineKind::MenuItem) ? item.nameId : "",
                        item.sourceText});
        lineIndexes.push_back(item.lineIndex);
    }
    const std::vector<MenuPair> pairs = pairMenuEntries(ours, menu_);
    for (std::size_t i = 0; i < menu_.size(); ++i) {
        if (pairs[i].partner < 0 || menu_[i].text.empty())
            continue;
        const bool review = menu_[i].lineKind == toInt(LineKind::Popup) || pairs[i].by != MenuPairing::Identifier;
        storeText(lineIndexes[static_cast<std::size_t>(pairs[i].partner)], menu_[i].text, review);
    }
}

void ScriptImportLineSink::importText(const ImportedItem& item, std::string_view text)
{
    if (std::optional<ImportTarget> target = matcher_.find(item))
        storeText(target->lineIndex, text, target->modified);
}

void ScriptImportLineSink::storeText(int lineIndex, std::string_view text, bool modified)
{
    std::optional<std::string> stored = recodedText(text, scriptCodePage_, translationCodePage_);
    if (!stored) {
        unrepresentable_.emplace_back(text);
        return;
    }
    if (matcher_.storeIfUntranslated(lineIndex, *stored, modified))
        ++imported_;
}

} // namespace qmk
