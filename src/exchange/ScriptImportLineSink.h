// The line import of a translated script: each statement that carries a text is matched with
// the project's item by the identifiers of its resource and of the item, and its text becomes
// that item's translation unless the item is translated already. A menu is read whole and
// paired with the project's menu of its name popup by popup.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "exchange/ItemMatcher.h"
#include "exchange/MenuMatcher.h"
#include "parser/LineSink.h"

namespace qmk {

class ScriptImportLineSink : public LineSink {
public:
    // Texts are taken from `scriptCodePage` into `translationCodePage` where the two differ.
    ScriptImportLineSink(ItemMatcher& matcher, int scriptCodePage, int translationCodePage);

    void store(const ParsedLine& line, const ScriptParser& parser, int lineNumber) override;
    // Imports what the last lines left pending (a menu at the end of the script).
    void finish();

    int importCount() const { return imported_; }
    // Texts the translation's code page cannot hold (as they stand in the script); not stored.
    const std::vector<std::string>& unrepresentable() const { return unrepresentable_; }

private:
    static bool isResourceHeaderKind(int kind);
    void importText(const ImportedItem& item, std::string_view text);
    void storeText(int lineIndex, std::string_view text, bool modified);
    void importMenu();

    ItemMatcher& matcher_;
    int scriptCodePage_;
    int translationCodePage_;
    std::string resourceIdent_;
    bool inMenu_ = false;
    std::vector<MenuEntry> menu_;         // the popups and items of the menu being read
    std::map<std::string, int> menusRead_;  // how many menus of each name were imported
    int imported_ = 0;
    std::vector<std::string> unrepresentable_;
};

} // namespace qmk
