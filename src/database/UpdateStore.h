// What a source update reads and writes: items found by their identifiers among the lines
// the running update has not written yet, the rewriting of the lines it finds again, and the
// removal of those it did not find.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/DatabasePart.h"

namespace qmk {

class UpdateStore : public DatabasePart {
public:
    using DatabasePart::DatabasePart;

    std::vector<TextMatch> dialogCaptions(std::string_view dlgIdent);
    std::vector<ControlMatch> dialogControls(std::string_view dlgIdent, std::string_view itemIdent, int lineKind);
    std::vector<TextMatch> menuItemsByIdent(std::string_view menuIdent, std::string_view itemIdent);
    std::vector<TextMatch> menuItemsOfKind(std::string_view menuIdent, int lineKind);
    // Every popup and item of the menus of this name, in script order.
    std::vector<MenuItemMatch> menuItemsOfMenusNamed(std::string_view menuIdent);
    std::vector<TextMatch> stringsByIdent(std::string_view nameId);
    std::vector<TextMatch> bitmapsByIdent(std::string_view nameId);
    std::vector<TextMatch> versionValuesByIdent(std::string_view versIdent, std::string_view valueIdent);
    std::vector<TextMatch> versionBlockHeadersOfVersion(int versionLineIndex);
    // Every value of the version resources sharing the given one's identifier, in script order.
    std::vector<VersionValueMatch> allVersionValuesOfVersion(int versionLineIndex);
    // Include line of a file name, compared ignoring case.
    std::optional<int> includeLine(std::string_view fileName);
    std::vector<TextMatch> includeLines();
    // Every item of one table not yet written by the running update, in script order.
    std::vector<StoredItem> storedItems(StoredItemTable table);

    // The stored text becomes the old text, the new one is stored and flagged Modified.
    bool setSourceText(int lineIndex, std::string_view sourceText);
    // Rewrites a line found again by a source update (marks it Added).
    bool rewriteLine(int lineIndex, int line, std::string_view beforeStr, std::string_view behindStr);
    // Lines found again by a source update at the same place with the same text around them:
    // only marked Added, all in one statement.
    void markLinesFound(const std::vector<int>& lineIndexes);
    bool setLineKind(int lineIndex, int lineKind);
    bool setCaptionDialog(int lineIndex, int dlgLine);
    bool rewriteControl(const ControlRow& row);
    // Found controls or menu items whose rows are otherwise unchanged: only linked to their new
    // dialog or menu line, all in one statement.
    void relinkControls(const std::vector<int>& lineIndexes, int dlgLine);
    void relinkMenuItems(const std::vector<int>& lineIndexes, int menuLine);
    bool rewriteMenuItem(const MenuItemRow& row);
    bool rewriteVersionBlockHeader(const VersionBlockHeaderRow& row);
    bool rewriteVersionValue(const VersionValueRow& row);
    // Deletes the rows of every line the update did not write, passes changed texts on to the
    // translations' flags and clears Modified and Added, all in one transaction. Only valid
    // right after an update pass has written every line it met.
    struct Removal {
        int removedTexts = 0;         // texts whose lines are gone
        int flaggedTranslations = 0;  // translations (text and language) flagged for review
    };
    Removal removeObsoleteRows();
};

} // namespace qmk
