// Finds the project item that a translated text belongs to by the identifiers of its resource
// and of the item itself, and stores the text there unless the item is translated already.
// Shared by the script import and the database import.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "database/ProjectRows.h"

namespace qmk {

class CProjectDatabase;

// A translated text as its origin names it.
struct ImportedItem {
    int lineKind = 0;
    std::string resourceIdent;  // the dialog, menu or version resource it belongs to
    std::string itemIdent;      // the control, menu item, string, bitmap or value name
    int x = 0, y = 0, cx = 0, cy = 0;  // the control's geometry
};

// Where a text goes, and how its translation is to be flagged.
struct ImportTarget {
    int lineIndex = 0;
    bool modified = false;
};

class ItemMatcher {
public:
    ItemMatcher(CProjectDatabase& db, LanguageId language);

    // The kinds whose texts are imported: captions, controls, popups, menu items, bitmaps,
    // string-table strings and version values.
    static bool isImportedKind(int lineKind);

    // The item to take the text; nothing when no item matches, or when the item that matches
    // by identifier is translated already.
    std::optional<ImportTarget> find(const ImportedItem& item);

    bool isUntranslated(int lineIndex);
    // Writes the text when the item has no translation yet; true when written.
    bool storeIfUntranslated(int lineIndex, std::string_view text, bool modified);

    CProjectDatabase& database() { return db_; }
    LanguageId language() const { return language_; }

private:
    std::optional<ImportTarget> firstRow(const std::vector<TextMatch>& rows);
    std::optional<ImportTarget> firstUntranslated(const std::vector<TextMatch>& rows, bool modified);
    std::optional<ImportTarget> control(const ImportedItem& item);

    CProjectDatabase& db_;
    LanguageId language_;
    // Controls an earlier text of this import went to.
    std::unordered_set<int> claimed_;
};

} // namespace qmk
