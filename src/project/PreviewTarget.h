// Which preview shows an item: the dialog of a control or caption, the menu of an item or popup,
// the bitmap itself; and where a bookmark made in a preview leads back to.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "project/ItemTypes.h"

namespace qmk {

class CQuillDoc;

enum class PreviewKind { Dialog, Menu, Bitmap };

struct PreviewTarget {
    PreviewKind kind = PreviewKind::Dialog;
    int resourceLine = -1;    // the dialog's, menu's or bitmap's line
    std::optional<int> item;  // the item to select in it
};

// The preview of an item of the given type; none for items no preview shows, and none when the
// database cannot be read (reported through the document's feedback).
std::optional<PreviewTarget> previewTargetOf(CQuillDoc& doc, int lineIndex, ItemType type);

// The name of the dialog, menu or bitmap a preview shows, for its title only: "" when unknown
// or when the database cannot be read (the preview's own reading reports that).
std::string previewResourceName(CQuillDoc& doc, PreviewKind kind, int resourceLine);

// The preview a bookmark made in the window kind "Dialog", "Menu" or "Bitmap" opens; none, as
// above, when the database cannot be read.
std::optional<PreviewTarget> previewTargetOfBookmark(CQuillDoc& doc, int lineIndex, std::string_view window);

} // namespace qmk
