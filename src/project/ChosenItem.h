// The item a translator chose (in the Text Table, the resource tree, a preview, by a bookmark
// or a search) with what the translation bar shows of it in one translation, whether or not
// the Text Table shows its row at the moment.
#pragma once

#include <optional>
#include <string>

#include "database/ProjectRows.h"
#include "project/ItemTypes.h"

namespace qmk {

class CQuillDoc;

struct ItemTexts {
    bool found = false;
    ItemType itemType = ItemType::None;
    std::string idText;       // the "Id" column's text
    std::string resource;     // the name of the dialog, menu or version the item belongs to
    std::string source;       // stored bytes, in the project's code page
    std::string translation;  // stored bytes, in the translation's code page
    std::string sourceShown;  // both as UTF-8
    std::string translationShown;
    bool excluded = false;
    bool flagged = false;     // the translation is to be reviewed
    int row = -1;             // its Text Table row, -1 while the switches leave it out
};

// Read from the Text Table's row where it has one, else from the database (a database error
// gives an item that is not found). The owning resource's name costs a query: only on request.
ItemTexts itemTexts(CQuillDoc& doc, int lineIndex, std::optional<LanguageId> language, bool withResource = false);

// "IDD_ABOUT: IDC_NAME (Dialog Item)", what the bar's heading says of the item.
std::string itemHeading(const ItemTexts& item);

} // namespace qmk
