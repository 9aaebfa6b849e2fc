// The project's item rows by line key (dialogs, controls, menus, strings, bitmaps, versions)
// and whole resources as the resource tree, the previews and the workbook export read them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/DatabasePart.h"

namespace qmk {

class ProjectItems : public DatabasePart {
public:
    using DatabasePart::DatabasePart;

    std::optional<DialogRow> dialog(int lineIndex);
    std::optional<CaptionRow> caption(int lineIndex);
    std::optional<ControlRow> control(int lineIndex);
    std::optional<int> dialogOfControl(int lineIndex);
    std::optional<int> dialogOfCaption(int lineIndex);
    std::optional<std::string> menuIdent(int lineIndex);
    std::optional<int> menuOfItem(int lineIndex);
    std::optional<MenuItemRow> menuItem(int lineIndex);
    std::optional<std::string> menuItemIdent(int lineIndex);
    std::optional<std::string> stringIdent(int lineIndex);
    std::optional<std::string> bitmapIdent(int lineIndex);
    std::optional<VersionValueRow> versionValue(int lineIndex);
    std::optional<std::string> versionOfBlockHeader(int lineIndex);
    std::optional<IdentRow> versionOfValue(int lineIndex);

    std::vector<TextRow> dialogControlTexts(int dlgLineIndex);
    std::vector<TextRow> dialogCaptionTexts(int dlgLineIndex);
    std::vector<TextRow> menuTexts(int menuLineIndex);
    std::vector<int> versionBlockHeaderLines();
    std::vector<IdentRow> resources(ResourceList which);
    std::vector<DialogItemRow> dialogTextItems(int dlgLineIndex);
    std::vector<ControlRow> dialogControlsForPreview(int dlgLineIndex);
    std::vector<MenuItemRow> menuItems(int menuLineIndex);
    std::vector<int> versionBlockHeadersOf(int versionLineIndex);
    std::vector<IdentRow> versionValuesOf(int blockHeaderLineIndex);  // nameId holds Value

    // The Name_ID of the resource that owns each dialog caption and control (its dialog), menu
    // item and popup (its menu) and version value (its version resource), by the item's
    // LineIndex, read by one query so that an export costs no look-up per row.
    std::unordered_map<int, std::string> owningResourceIdents();
    // The width (cx, in dialog units) of every dialog control by its LineIndex, by one query.
    std::unordered_map<int, int> controlWidths();
};

} // namespace qmk
